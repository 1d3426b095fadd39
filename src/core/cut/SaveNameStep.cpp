#include "core/cut/SaveNameStep.h"

#include <QFileInfo>

#include "core/cut/OutputNaming.h"
#include "core/cut/SegmentWriter.h"
#include "core/host/Messenger.h"
#include "core/host/SaveFileDialog.h"
#include "core/host/SharedFlags.h"

namespace veskar {

SaveNameResult AskSaveName(const QString& automaticName, const QString& sourcePath,
                           QString& saveDir, SaveFileDialog& dialog, Messenger& messenger,
                           SharedFlags& flags) {
    SaveFileDialog::Request request;
    request.title = QStringLiteral("ＷＡＶ分割ファイル作成");
    request.filter = QStringLiteral("ＷＡＶ files (*.WAV)|*.WAV|ALL files (*.*)|*.*");
    request.defaultExt = QStringLiteral("wav");
    request.fileName = automaticName;
    request.initialDir = WithoutTrailingSeparator(QFileInfo(automaticName).path());
    request.prompt = QStringLiteral("カットファイル名を自分で付ける");

    for (;;) {
        const QString chosen = dialog.AskSavePath(request);
        if (chosen.isEmpty()) {
            if (messenger.ShowError(automaticName + "\nセーブせずに飛ばします☆☆☆", Messenger::Ok) ==
                Messenger::Abort) {
                flags.stopRequested = true;
            }
            return {};
        }
        if (IsSameFile(chosen, sourcePath)) {
            if (messenger.ShowError(chosen + "\n元ファイルには上書きセーブ出来ません・・・",
                                    Messenger::Ok) == Messenger::Abort) {
                flags.stopRequested = true;
            }
            continue;
        }
        // The piece will not replace the file of that name; it goes where the save puts it.
        const QString lowered = LowerCaseExtension(chosen);
        if (QFileInfo::exists(lowered) &&
            messenger.AskTimedQuestion(QFileInfo(lowered).fileName() + "\n" + lowered +
                                           "\n同名のファイルが既に存在します・・・\n" +
                                           QFileInfo(FreeGivenPath(lowered)).fileName() +
                                           "\nの名前で、セーブしますか?",
                                       Messenger::Yes) != Messenger::Yes) {
            continue;
        }
        const QString chosenFolder = WithoutTrailingSeparator(QFileInfo(chosen).absolutePath());
        const QString currentFolder = WithoutTrailingSeparator(saveDir);
        if (!IsSameFile(chosenFolder, currentFolder)) {
            const int answer = messenger.AskErrorQuestion(
                "今作成するWAVファイルは、\n" + chosenFolder +
                    "\nに、登録しますが・・・\n「分割WAVファイル登録先」設定も\n" + currentFolder +
                    "\nから\n" + chosenFolder + "\nに、変更しますか?",
                Messenger::Yes);
            if (answer == Messenger::Abort) {
                continue;
            }
            if (answer == Messenger::Yes) {
                saveDir = WithTrailingSeparator(chosenFolder);
            }
        }
        return {true, chosen};
    }
}

} // namespace veskar

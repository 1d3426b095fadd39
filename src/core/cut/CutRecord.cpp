#include "core/cut/CutRecord.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "core/host/Messenger.h"
#include "core/host/TextViewer.h"
#include "core/text/NumberFormat.h"
#include "core/wav/WavReader.h"

namespace veskar {

QString RecordDateText(const QDateTime& time) {
    return MakeDateText(time) + " ";
}

namespace {

// A right-aligned column after another one: a text that fills its width gets one blank before
// it, so a 100-minute length or a 1 GB size does not run into the column on its left.
QString Column(const QString& text, int width) {
    return text.size() >= width ? " " + text : text.rightJustified(width);
}

} // namespace

QString CutRecord::FullLine(const QString& formatCode, const QString& lengthText,
                            const QString& fileSizeText, const QString& fileName,
                            const QString& folder) {
    return formatCode.rightJustified(5) + Column(lengthText, 11) + Column(fileSizeText, 12) + " " +
           fileName + " " + folder;
}

QString CutRecord::FullLine(const WavInfo& info) {
    return FullLine(info.formatCode, info.lengthText, GroupedNumber(info.fileSize), info.fileName,
                    info.folder);
}

QString CutRecord::ShortLine(const QDateTime& now, std::optional<TimeMs> lengthMs, bool minutes,
                             const QString& path) {
    QString length = QStringLiteral("---s");
    if (lengthMs && *lengthMs >= 0) {
        const TimeMs ms = *lengthMs;
        length = minutes ? QString::number(ms / 60000) + "m" +
                               QString::number(ms % 60000).rightJustified(5, '0')
                         : QString::number(ms / 1000) + "s" +
                               QString::number(ms % 1000).rightJustified(3, '0');
    }
    return RecordDateText(now) + "  " + length + "  " + path;
}

QString CutRecord::FileText(const QDateTime& now) const {
    const QString dashes(40, '-');
    QStringList lines;
    lines << QStringLiteral("カットデータ一覧　") + RecordDateText(now)
          << QString::number(m_lines.size()) + QStringLiteral("個 カットしました。") << dashes;
    lines << m_lines;
    lines << dashes;
    return lines.join("\r\n") + "\r\n";
}

namespace {

QString RecordPath(const QString& workDir) {
    return QDir(workDir).filePath(QString::fromLatin1(CutRecord::kFileName));
}

} // namespace

bool ShowCutRecord(const CutRecord& record, RecordRequest request, bool noMemo,
                   const QString& workDir, const QDateTime& now, TextViewer& viewer,
                   Messenger& messenger) {
    if (record.IsEmpty()) {
        return true;
    }
    const QString path = RecordPath(workDir);
    QSaveFile file(path);
    const QByteArray bytes = record.FileText(now).toUtf8();
    // Flushed before the commit: the commit does not notice a write that fails as the buffer is
    // flushed (a full disk) and would put a cut-off record in place of the earlier one.
    const bool written = QDir().mkpath(workDir) && file.open(QIODevice::WriteOnly) &&
                         file.write(bytes) == bytes.size() && file.flush() && file.commit();
    if (!written) {
        messenger.ShowTimedMessage(QString::fromUtf8(CutRecord::kShowError), Messenger::Ok);
        return false;
    }
    const bool alwaysShown = request == RecordRequest::MF_KIROKU ||
                             request == RecordRequest::MF_KIROKUCLR ||
                             request == RecordRequest::MainWindow;
    if (noMemo && !alwaysShown) {
        return true;
    }
    if (!viewer.ShowTextFile(path)) {
        messenger.ShowTimedMessage(QString::fromUtf8(CutRecord::kShowError), Messenger::Ok);
        return false;
    }
    return true;
}

void ClearCutRecord(CutRecord& record, const QString& workDir, const QDateTime& now,
                    TextViewer& viewer, Messenger& messenger) {
    const int answer = messenger.AskTimedQuestion(
        QStringLiteral("カット記録削除：\nカット記録を削除してよろしいですか？？？"),
        Messenger::No);
    if (answer != Messenger::Yes) {
        messenger.ShowTimedMessage(QStringLiteral("カット記録削除を中止しました。"), Messenger::Ok);
        return;
    }
    // Emptied only once the user has been shown it: the record exists nowhere else.
    if (ShowCutRecord(record, RecordRequest::MF_KIROKUCLR, false, workDir, now, viewer,
                      messenger)) {
        record.Clear();
    }
}

bool ShowLastCutRecordFile(const QString& workDir, TextViewer& viewer, Messenger& messenger) {
    if (!viewer.ShowTextFile(RecordPath(workDir))) {
        messenger.ShowTimedMessage(QString::fromUtf8(CutRecord::kShowError), Messenger::Ok);
        return false;
    }
    return true;
}

RecordMenuState PrepareRecordMenu(const CutRecord& record, const QString& workDir) {
    RecordMenuState state;
    state.cutTxtEnabled = record.IsEmpty() && QFileInfo(RecordPath(workDir)).isFile();
    state.kirokuEnabled = !record.IsEmpty();
    state.kirokuClrEnabled = !record.IsEmpty();
    return state;
}

} // namespace veskar

#include "gui/main/CutFileOpener.h"

#include <QApplication>
#include <QFileInfo>

#include "core/host/Messenger.h"
#include "core/play/DeviceFormat.h"
#include "core/wav/WavReader.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/dialogs/TDIR2OPENDLG.h"
#include "gui/main/BusyCursor.h"
#include "gui/main/PlayController.h"

namespace veskar {

CutFileOpener::CutFileOpener(PlayController& player, CutScreen& cutScreen, Messenger& messenger,
                             QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_player(player), m_cutScreen(cutScreen), m_messenger(messenger),
      m_dialogParent(dialogParent) {
    m_openDialog = new TDIR2OPENDLG(messenger, this);
    m_openDialog->setObjectName("DIR2OPENDLG_WAV");
    m_openDialog->SetFilter(QStringLiteral("ＷＡＶ files (*.WAV)|*.WAV|ALL files (*.*)|*.*"));
    // Opening a file replaces nothing.
    m_openDialog->SetOverwriteQuestion(false);
    pickFile = [this](QWidget* dialogParent_) {
        TDIR2OPENDLG& dialog = *m_openDialog;
        dialog.SetSourceHandle(dialogParent_);
        // The cut file in force is offered again; without one the folder last shown is.
        dialog.SetFilename(m_cutScreen.CutFile());
        if (dialog.ExecuteFile(QStringLiteral("　WAVファイルを開く")) != Messenger::Ok) {
            return QString();
        }
        return dialog.Filename();
    };
}

bool CutFileOpener::OpenWavFile() {
    const QString path = pickFile ? pickFile(m_dialogParent) : QString();
    if (path.isEmpty()) {
        return false;
    }
    BusyCursor busy;
    return ChooseCutFile(path);
}

bool CutFileOpener::ChooseCutFile(const QString& path) {
    PlayEngine& engine = m_player.Engine();
    engine.StopAndClose();
    // A stop pressed before belongs to the old file; it would cut the format query short.
    m_player.Flags().stopRequested = false;
    // The reader says plainly what is wrong with a file the device would only refuse to open.
    WavInfo info;
    const QString readerMessage = ReadWavInfo(path, info);
    if (!readerMessage.isEmpty()) {
        m_messenger.ShowError(readerMessage, Messenger::Ok);
        return false;
    }
    const TimeMs length = engine.QueryCutFileLength(path);
    if (length < 0) {
        return false;
    }
    // Without a sound card the device still reports the format; when it cannot, the family of
    // the file's own header stands in.
    const DeviceFormatReport format =
        QueryDeviceFormat(path, m_player.QueryDevice(), m_player.Player(), m_player.Flags());
    m_eightBit = format.bitsPerSample ? format.eightBit : info.bitsPerSample == 8;
    if (const auto mode = m_player.cutPanel->Preset().ModeForNewFile()) {
        m_player.cutPanel->SetPlayMode(*mode);
    }
    m_cutScreen.SetCutFile(path, length);
    return true;
}

} // namespace veskar

#include "gui/main/CutFileOpener.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "core/host/Messenger.h"
#include "core/play/DeviceFormat.h"
#include "core/wav/WavReader.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/main/BusyCursor.h"
#include "gui/main/PlayController.h"

namespace veskar {

CutFileOpener::CutFileOpener(PlayController& player, CutScreen& cutScreen, Messenger& messenger,
                             QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_player(player), m_cutScreen(cutScreen), m_messenger(messenger),
      m_dialogParent(dialogParent) {
    pickFile = [this](QWidget* dialogParent_) {
        const QString folder = m_cutScreen.CutFile().isEmpty()
                                   ? QString()
                                   : QFileInfo(m_cutScreen.CutFile()).absolutePath();
        return QFileDialog::getOpenFileName(dialogParent_, QStringLiteral("WAVファイルを開く"),
                                            folder,
                                            QStringLiteral("WAVファイル (*.wav *.WAV);;"
                                                           "すべてのファイル (*)"));
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

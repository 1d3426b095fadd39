#pragma once

#include <functional>

#include <QObject>
#include <QString>

class QWidget;

namespace veskar {

class CutScreen;
class Messenger;
class PlayController;
class TDIR2OPENDLG;

/// Makes a WAV file the cut file, and the "WAVファイルを開く…" command that picks one with the
/// folder and file selection dialog.
class CutFileOpener : public QObject {
    Q_OBJECT
public:
    /// Asks the user for a WAV file; empty when cancelled.
    using FilePicker = std::function<QString(QWidget* parent)>;

    CutFileOpener(PlayController& player, CutScreen& cutScreen, Messenger& messenger,
                  QWidget* dialogParent, QObject* parent = nullptr);

    /// Asks with the selection dialog; tests replace it.
    FilePicker pickFile;
    TDIR2OPENDLG& OpenDialog() { return *m_openDialog; }

    /// The steps of choosing a cut file: stops playback, checks the file with the WAV reader,
    /// asks the wave device for its length and format, applies the play-mode preset and hands
    /// the file to the cut screen. On failure the user has been told why and the cut file in
    /// force stays. The 8-bit flag of the chosen file is kept for the silence settings.
    bool ChooseCutFile(const QString& path);
    bool CutFileEightBit() const { return m_eightBit; }

public slots:
    /// "WAVファイルを開く…": picks a file and makes it the cut file; true when it became one.
    bool OpenWavFile();

private:
    PlayController& m_player;
    CutScreen& m_cutScreen;
    Messenger& m_messenger;
    QWidget* m_dialogParent;
    bool m_eightBit = false;
    TDIR2OPENDLG* m_openDialog = nullptr;
};

} // namespace veskar

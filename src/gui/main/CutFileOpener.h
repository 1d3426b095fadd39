#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "gui/main/PanelBusy.h"

class QAction;
class QComboBox;
class QMenu;
class QWidget;

namespace veskar {

class CutListPanel;
class CutScreen;
class MemoryListPanel;
class Messenger;
class PlayController;
class SilencePresetBar;
class TDIR2OPENDLG;

/// The cut file choice: the cut file box ComboBox1 over the memory list's files, the steps that
/// make one of them the cut file, and the "WAVファイルを開く…" command that picks one with the
/// folder and file selection dialog.
class CutFileOpener : public QObject {
    Q_OBJECT
public:
    /// Asks the user for a WAV file; empty when cancelled.
    using FilePicker = std::function<QString(QWidget* parent)>;

    CutFileOpener(PlayController& player, CutScreen& cutScreen, Messenger& messenger,
                  QWidget* dialogParent, QObject* parent = nullptr);

    /// The parts a file choice brings into line with the new file; each may be left unset.
    void SetParts(MemoryListPanel* memoryList, CutListPanel* cutLists, SilencePresetBar* presets);

    /// Asks with the selection dialog; tests replace it.
    FilePicker pickFile;
    TDIR2OPENDLG& OpenDialog() { return *m_openDialog; }

    /// The steps of choosing a cut file: stops playback, checks the file with the WAV reader,
    /// asks the wave device for its length and format, saves the silence preset of the old
    /// family, saves the registered list being left and loads the new file's last cut list,
    /// rebuilds the lists, loads the preset of the new family and applies the play-mode preset.
    /// On failure the user has been told why and the cut file in force stays. The 8-bit flag
    /// of the chosen file is kept for the silence settings.
    bool ChooseCutFile(const QString& path);
    bool CutFileEightBit() const { return m_eightBit; }

    /// Fills ComboBox1 with the memory list's files and selects row.
    void FillCutFileBox(int row);
    /// Adds the files to the memory list and opens the first of them as the cut file; true when
    /// it became one.
    bool OpenFiles(const QStringList& paths);
    /// A long run reads the cut file or walks its lists: the cut file stays while it goes on.
    void SetRunGoingOn(bool running) { m_runHold.SetHeld(running); }

    /// The row of ComboBox1 on the cut screen, with room for the window's buttons after it.
    QWidget* Panel_CutFileBox = nullptr;
    QComboBox* ComboBox1 = nullptr;
    /// ComboBox1's context menu: the registration only, or the file from the disk too.
    QMenu* PopupMenu_CB = nullptr;
    QAction* P_File_T_DEL = nullptr;
    QAction* P_File_DEL = nullptr;

public slots:
    /// "WAVファイルを開く…": picks a file and makes it the cut file; true when it became one.
    bool OpenWavFile();
    /// The cut file box's choice: the missing-file rule on its entry, then the file's choice.
    bool ComboBox1Click();
    /// Takes the cut file's entry out of the box and the memory list, after asking also its file
    /// from the disk with its registered times, and opens the entry that takes its place.
    void RemoveCutFileEntry(bool fromDisk);
    /// Files whose recordings and registered times were deleted: when the cut file is one of
    /// them, the cut screen lets it go without writing anything of it back.
    void ForgetCutFileAmong(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The memory-list row of the box's entry at index, or -1 when the list no longer has it.
    int EntryRow(int index) const;

    PlayController& m_player;
    CutScreen& m_cutScreen;
    Messenger& m_messenger;
    QWidget* m_dialogParent;
    MemoryListPanel* m_memoryList = nullptr;
    CutListPanel* m_cutLists = nullptr;
    SilencePresetBar* m_presets = nullptr;
    bool m_eightBit = false;
    bool m_choosing = false;
    PanelBusy m_runHold;
    TDIR2OPENDLG* m_openDialog = nullptr;
};

} // namespace veskar

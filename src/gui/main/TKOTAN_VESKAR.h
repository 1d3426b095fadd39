#pragma once

#include <memory>
#include <optional>

#include <QMainWindow>

#include "core/analysis/CutAnalysis.h"
#include "core/browser/BrowserState.h"
#include "core/host/Host.h"
#include "core/host/SharedFlags.h"
#include "core/settings/ListFiles.h"
#include "core/settings/Settings.h"
#include "core/timelists/NumberedTimeTable.h"
#include "core/timelists/TimeLists.h"
#include "gui/dialogs/GuiMessenger.h"
#include "gui/dialogs/GuiProgressBox.h"
#include "gui/dialogs/TDIR2SETDLG.h"
#include "gui/dialogs/TMKBoxDlg.h"
#include "gui/dialogs/TPBarBoxDlg.h"
#include "gui/dialogs/TextFileWindow.h"
#include "platform/DesktopTextViewer.h"
#include "platform/QtEventPump.h"

class QCloseEvent;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTimer;
class QWidget;

namespace veskar {

class AnalysisPanels;
class OverviewStrip;
class BrowserPanel;
class ChopMenu;
class CutCommands;
class CutPointCommands;
class CutScreen;
class CutFileOpener;
class CutListPanel;
class MemoryListPanel;
class MixerPanels;
class MixerScreenPanel;
class PlayController;
class PulseMixer;
class VolumeProgram;
class QtWaveDevice;
class TablePanel;
class TableLines;
class WindowCommands;

/// The main window. It owns the state of both screens: the file-selection screen Panel_DFF
/// (browser, memory list, player) and the cut screen Panel_CUT (time lists, registered list,
/// silence and level panels). Each screen is filled by its own class as it is built.
class TKOTAN_VESKAR : public QMainWindow {
    Q_OBJECT
public:
    explicit TKOTAN_VESKAR(QWidget* parent = nullptr);
    ~TKOTAN_VESKAR() override;

    /// Form creation: places the window where it was ("FP"), takes the save folder
    /// ("SAVE_DIR") and starts the first-run prompt (Timer6) when none is set, otherwise the
    /// deferred start-up (Timer_Create). The program entry calls it once; a window made
    /// without it neither reads nor writes the settings.
    void FormCreate();

    /// `StartupStage`: 0 from form creation, 99 once the deferred start-up has finished. The
    /// close writes the settings and list files only at 99.
    int StartupStage = 0;
    /// Asked for on the command line: the start stays on the file screen even when the cut
    /// screen was open at close.
    bool startOnFileScreen = false;
    /// `ClosingFlag`: the close sequence runs; a second close request meanwhile does nothing.
    bool ClosingFlag = false;
    /// The settings in force. The values whose controls the window has are read from them at
    /// close; the others pass from start-up to close unchanged.
    Settings settings;
    /// The list files' lines in force (`ColorTagNames` lives in TimeLists::startColors).
    DataLists dataLists;
    /// One-shot 200 ms timers: the deferred start-up, and the save folder's first-run prompt.
    QTimer* Timer_Create = nullptr;
    QTimer* Timer6 = nullptr;
    /// The folder-setting box of the destination folders.
    TDIR2SETDLG DIR2SETDLG1{this};

    QWidget* Panel_DFF = nullptr;
    /// The file screen's browser: drives, folders, files, filters and folder history.
    BrowserPanel* browserPanel = nullptr;
    /// The file screen's memory list, the lists of recordings the cut screen works through.
    MemoryListPanel* memoryPanel = nullptr;
    /// The chop cut: `Btn_BUTUGIRI` beside the memory list's "選択確認" and its menu.
    ChopMenu* chopMenu = nullptr;
    /// What the browser shows and remembers; filled from the settings and list files at start-up
    /// and written back at close.
    BrowserState browserState;
    /// The cut screen (objectName "Panel_CUT"); cutScreen is the same widget with its controls.
    QWidget* Panel_CUT = nullptr;
    CutScreen* cutScreen = nullptr;
    /// The cut lists of the cut file, above the registered list.
    CutListPanel* cutListPanel = nullptr;
    /// The option menu.
    QMenu* MOption0 = nullptr;
    /// The window's own commands: Ctrl keys, colours, tray, free-space report, entries, help.
    WindowCommands* commands = nullptr;
    /// The file menu.
    QMenu* MFile0 = nullptr;
    /// Playback of both screens and the provisional cut file choice.
    PlayController* player = nullptr;
    CutFileOpener* cutFileOpener = nullptr;
    /// The volume panels of both screens over the sound server's mixer, and the desktop's
    /// volume program.
    MixerPanels* mixer = nullptr;
    MixerScreenPanel* fileMixerPanel = nullptr;
    MixerScreenPanel* cutMixerPanel = nullptr;
    /// Cut points in and out of the registered list (file menu).
    CutPointCommands* cutPoints = nullptr;

    /// Every time list of the cut screen with its attached data.
    TimeLists timeLists;
    SharedFlags flags;
    /// The level analysis and silence detection of the cut file, and their panels.
    CutAnalysis analysis{timeLists};
    /// The numbered time table and its panel at the top of the window, over the splitter
    /// Panel_TT_V; its rows outlive a change of cut file.
    NumberedTimeTable numberedTable;
    TablePanel* Panel_TT = nullptr;
    QSplitter* Panel_TT_V = nullptr;
    AnalysisPanels* analysisPanels = nullptr;
    OverviewStrip* overview = nullptr;

    /// The window's message box and progress boxes, centred over the window.
    TMKBoxDlg MKBoxDlg1{this};
    TPBarBoxDlg PBarBoxDlg1{this};

    /// What the engine's long runs need of the window: its message box, its progress boxes and
    /// the event loop.
    Host& EngineHost() { return m_host; }
    /// The cut commands of the cut screen and the file menu, with the cut run and its record.
    CutCommands& Cut() { return *m_cut; }

    /// Files given on the command line or handed over by a later start: added to the memory
    /// list, the first opened as the cut file on the cut screen. Before the start-up has read
    /// the memory list they wait for it.
    void OpenFiles(const QStringList& paths);
    /// The files of the rows selected in the memory list, in list order: the other screens take
    /// their files from there.
    QStringList SelectedMemoryFiles() const;
    /// True while the cut screen (not the file screen) is showing.
    bool CutScreenShown() const;

public slots:
    void ShowFileScreen();
    /// Button14: the cut screen with the memory list's row as the cut file.
    void OpenCutScreenAt(int row);
    /// Button_Select: back to the file screen, the cut file's row selected in the memory list.
    void Button_SelectClick();
    void ShowCutScreen();
    /// The save folder's first-run prompt.
    void Timer6Timer();
    /// The deferred start-up: the chop-cut folder's first-run prompt, then every other setting
    /// and list file, applied in the order they are read.
    void Timer_CreateTimer();
    /// The chop-cut folder's folder box.
    void PBG_BG_DIRClick();

protected:
    /// The close sequence (FormCloseQuery): stops playback and a running cut, then, once the
    /// start-up had finished, writes the list files, the cut record and every setting. The
    /// window closes whatever failed; a failed write is reported first.
    void closeEvent(QCloseEvent* event) override;

private:
    /// The silence list whose songs the overview shades (0..5).
    int m_songList = 0;
    /// The folder box for the destination folder dirName ("SAVE_DIR", "BG_DIR"), opened at
    /// folder; the registered folder, or nothing when the user kept the one in force.
    std::optional<QString> RunFolderBox(const QString& title, const QString& dirName,
                                        const QString& folder);
    /// Puts the values read in the deferred start-up into the controls, with the side steps
    /// that follow some of them (the time lists after "FUN", the name pattern after the naming
    /// options).
    void ApplyDeferredSettings();
    /// The browser from the settings and list files read at start-up, and back at close.
    void StartBrowser();
    /// The files a chop cut takes: the memory list's selected rows, top to bottom.
    QStringList ChopSources() const;
    void CollectBrowser();
    /// Reads the controls back into settings and the list files' lines, for the close.
    void CollectSettings();
    /// The save at close; the messages of what could not be written.
    QStringList SaveAtClose();

    void MakeFileScreen();
    void MakeMixer();
    /// The memory list, the cut lists and the presets from the settings, at the end of the
    /// deferred start-up; then the screen that was open at close and the files that waited.
    void StartLists();
    /// Panel_TT with its splitter, the table items of PopupMenu1 and row playback.
    void MakeTablePanel();
    /// "WAVファイルを開く…": first in the file menu.
    void MakeOpenCommand();
    void MakeOverview();

    QStackedWidget* m_screens = nullptr;
    GuiMessenger m_messenger{MKBoxDlg1};
    GuiProgressBox m_progress{PBarBoxDlg1};
    QtEventPump m_pump;
    Host m_host{m_messenger, m_progress, m_pump};
    /// Shows the cut record in the user's text editor, or in a window of our own when the
    /// desktop has no application for it.
    DesktopTextViewer m_desktopViewer;
    WindowTextViewer m_textViewer{m_desktopViewer, this};
    QStringList m_pendingFiles;
    std::unique_ptr<QtWaveDevice> m_playDevice;
    std::unique_ptr<QtWaveDevice> m_queryDevice;
    std::unique_ptr<PlayController> m_player;
    std::unique_ptr<PulseMixer> m_mixerBackend;
    std::unique_ptr<MixerPanels> m_mixer;
    std::unique_ptr<VolumeProgram> m_volumeProgram;
    std::unique_ptr<TableLines> m_tableLines;
    // Declared last, so that it is destroyed before the host and the lists it uses.
    std::unique_ptr<CutCommands> m_cut;
};

} // namespace veskar

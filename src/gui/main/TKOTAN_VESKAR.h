#pragma once

#include <memory>

#include <QMainWindow>

#include "core/analysis/CutAnalysis.h"
#include "core/host/Host.h"
#include "core/host/SharedFlags.h"
#include "core/timelists/TimeLists.h"
#include "gui/dialogs/GuiMessenger.h"
#include "gui/dialogs/GuiProgressBox.h"
#include "gui/dialogs/TMKBoxDlg.h"
#include "gui/dialogs/TPBarBoxDlg.h"
#include "platform/DesktopTextViewer.h"
#include "platform/QtEventPump.h"

class QMenu;
class QStackedWidget;
class QWidget;

namespace veskar {

class AnalysisPanels;
class CutCommands;
class CutScreen;
class CutFileOpener;
class PlayController;
class QtWaveDevice;

/// The main window. It owns the state of both screens: the file-selection screen Panel_DFF
/// (browser, memory list, player) and the cut screen Panel_CUT (time lists, registered list,
/// silence and level panels). Each screen is filled by its own class as it is built.
class TKOTAN_VESKAR : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "PIRVAN SOUND カッター";

    explicit TKOTAN_VESKAR(QWidget* parent = nullptr);
    ~TKOTAN_VESKAR() override;

    QWidget* Panel_DFF = nullptr;
    /// The cut screen (objectName "Panel_CUT"); cutScreen is the same widget with its controls.
    QWidget* Panel_CUT = nullptr;
    CutScreen* cutScreen = nullptr;
    /// The option menu.
    QMenu* MOption0 = nullptr;
    /// The file menu.
    QMenu* MFile0 = nullptr;
    /// Playback of both screens and the provisional cut file choice.
    PlayController* player = nullptr;
    CutFileOpener* cutFileOpener = nullptr;

    /// Every time list of the cut screen with its attached data.
    TimeLists timeLists;
    SharedFlags flags;
    /// The level analysis and silence detection of the cut file, and their panels.
    CutAnalysis analysis{timeLists};
    AnalysisPanels* analysisPanels = nullptr;

    /// The window's message box and progress boxes, centred over the window.
    TMKBoxDlg MKBoxDlg1{this};
    TPBarBoxDlg PBarBoxDlg1{this};

    /// What the engine's long runs need of the window: its message box, its progress boxes and
    /// the event loop.
    Host& EngineHost() { return m_host; }
    /// The cut commands of the cut screen and the file menu, with the cut run and its record.
    CutCommands& Cut() { return *m_cut; }

public slots:
    void ShowFileScreen();
    void ShowCutScreen();

private:
    /// "WAVファイルを開く…": first in the file menu, and in the middle of the file screen.
    void MakeOpenCommand();

    QStackedWidget* m_screens = nullptr;
    GuiMessenger m_messenger{MKBoxDlg1};
    GuiProgressBox m_progress{PBarBoxDlg1};
    QtEventPump m_pump;
    Host m_host{m_messenger, m_progress, m_pump};
    /// Shows the cut record in the user's text editor.
    DesktopTextViewer m_textViewer;
    std::unique_ptr<QtWaveDevice> m_playDevice;
    std::unique_ptr<QtWaveDevice> m_queryDevice;
    std::unique_ptr<PlayController> m_player;
    // Declared last, so that it is destroyed before the host and the lists it uses.
    std::unique_ptr<CutCommands> m_cut;
};

} // namespace veskar

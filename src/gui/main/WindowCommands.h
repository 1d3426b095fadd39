#pragma once

#include <functional>

#include <QObject>
#include <QRect>

class QAction;
class QKeyEvent;
class QMenu;
class QPushButton;
class QSystemTrayIcon;
class QWidget;

namespace veskar {

class HelpWindow;
class Messenger;
class TKOTAN_VESKAR;
class TextViewer;

/// The main window's own commands: the Ctrl keys of the cut screen, the two colour schemes, the
/// tray, the free-space report, the start-up and desktop entries, mini help, the version box and
/// exit. Key presses and hints of every control of the window pass through it first.
class WindowCommands : public QObject {
    Q_OBJECT
public:
    /// Adds its items to the window's file and option menus and a help menu to its menu bar.
    WindowCommands(TKOTAN_VESKAR& window, Messenger& messenger, TextViewer& viewer);
    ~WindowCommands() override;

    /// Whether the desktop has a notification area; without one the tray button minimises.
    void SetTrayAvailable(std::function<bool()> available) { m_trayAvailable = std::move(available); }
    /// The "Version" the tray menu and the version box show (read from the settings store when
    /// not set).
    void SetVersionSource(std::function<int()> version) { m_version = std::move(version); }

    /// Shows the colour ticks in force (after the settings were read) on the window.
    void ApplyColors();
    /// HELP_MOKUJI / HELP_KEYWORD: the help window at its contents page with the contents or the
    /// keyword index beside it. Says so when the help file is missing.
    void OpenHelp(bool keywords);
    /// Closes the help window (at exit).
    void CloseHelp();
    HelpWindow* Help() const { return m_help; }
    /// True while the window hides in the tray.
    bool InTray() const { return m_inTray; }

    // Controls, named as in the form.
    QPushButton* Btn_Tray = nullptr;
    QAction* BackColor = nullptr;
    QAction* KOTAN_COLOR = nullptr;
    QAction* PAKI = nullptr;
    QAction* MICON_SET = nullptr;
    QAction* MICON_DEL = nullptr;
    QAction* MDESK_SET = nullptr;
    QAction* MDESK_DEL = nullptr;
    QMenu* MHelp0 = nullptr;
    QAction* HELP_MOKUJI = nullptr;
    QAction* HELP_KEYWORD = nullptr;
    QAction* HELP3 = nullptr;
    QAction* HELP2 = nullptr;
    QAction* MHELP_VERCUT = nullptr;
    QAction* MQ_A = nullptr;
    QAction* MF_X = nullptr;
    QMenu* PopupMenu_TR = nullptr;
    QAction* P_NAME = nullptr;
    QAction* TR_IconOFF = nullptr;
    QAction* Exit1 = nullptr;
    QSystemTrayIcon* trayIcon = nullptr;

public slots:
    void BackColorClick();
    void KOTAN_COLORClick();
    void Btn_TrayClick();
    void TR_IconOFFClick();
    void PAKIClick();
    void MOption0Popup();
    void MICON_SETClick();
    void MICON_DELClick();
    void MDESK_SETClick();
    void MDESK_DELClick();
    void HELP2Click();
    void MHELP_VERCUTClick();
    void MQ_AClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeOptionItems();
    void MakeHelpMenu();
    void MakeTray();
    /// FormKeyDown: the Ctrl keys of the cut screen. True when the key was one of them.
    bool FormKeyDown(const QKeyEvent& key);
    bool KeypadKey(int key);
    /// Ctrl+1..6 and U: the silence panel open, detection run when it was closed.
    void OpenSilencePanel(bool detect);
    /// Ctrl+M / N: the register button of the focused list.
    void RegisterFocused(bool withColor);
    int Version() const;

    TKOTAN_VESKAR& m_window;
    Messenger& m_messenger;
    TextViewer& m_viewer;
    std::function<bool()> m_trayAvailable;
    std::function<int()> m_version;
    QRect m_trayBounds;
    bool m_inTray = false;
    bool m_noTraySaid = false;
    HelpWindow* m_help = nullptr;
};

} // namespace veskar

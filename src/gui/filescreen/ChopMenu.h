#pragma once

#include <array>
#include <functional>

#include <QObject>
#include <QStringList>

#include "core/chop/ChopModes.h"
#include "core/host/Host.h"

class QAction;
class QActionGroup;
class QMenu;
class QPushButton;
class QWidget;

namespace veskar {

struct Settings;
struct SharedFlags;
class TextViewer;

/// The chop cut of the file screen: the button `Btn_BUTUGIRI` and its menu `PopupMenu_BG` with
/// the modes, the minutes and intro settings, the raw-conversion format and the record. The
/// settings it changes are those in force, written at close.
class ChopMenu : public QObject {
    Q_OBJECT
public:
    ChopMenu(Host host, SharedFlags& flags, TextViewer& viewer, Settings& settings,
             QWidget* parent);

    /// The files a run chops, top to bottom.
    void SetSources(std::function<QStringList()> sources) { m_sources = std::move(sources); }
    /// Shows a folder in the file browser; false when it cannot.
    void SetShowFolder(std::function<bool(const QString&)> show) { m_showFolder = std::move(show); }
    /// Gives the list the pieces come from the focus, so its selection shows during a run.
    void SetFocusSources(std::function<void()> focus) { m_focusSources = std::move(focus); }
    /// `PBG_BG_DIRClick`: the window's folder box for `ChopDir`.
    void SetChooseFolder(std::function<void()> choose) { m_chooseFolder = std::move(choose); }
    /// Where the chop record is shown; null goes back to the viewer given at construction.
    void SetTextViewer(TextViewer* viewer) { m_viewer = viewer ? viewer : &m_givenViewer; }
    /// Ticks and captions from the settings in force.
    void ApplySettings();

    QPushButton* Btn_BUTUGIRI = nullptr;
    QMenu* PopupMenu_BG = nullptr;
    /// The items that start a run, by mode number (`PBG_2` … `PBG_TMP_WAV`).
    std::array<QAction*, kChopModeCount> modeItems{};
    QAction* PBG_TBM_Set = nullptr;
    QAction* PBG_INTRO_Set = nullptr;
    QAction* PBG_AUTO_83 = nullptr;
    QAction* PBG_BG_DIR = nullptr;
    QAction* PBG_TXT = nullptr;
    QActionGroup* rateItems = nullptr;    ///< `PBG_TWR_08` … `PBG_TWR_48`
    QActionGroup* bitsItems = nullptr;    ///< `PBG_TWB_08`, `PBG_TWB_16`
    QActionGroup* channelItems = nullptr; ///< `PBG_TWC_M`, `PBG_TWC_S`

public slots:
    void Btn_BUTUGIRIClick();
    void PopupMenu_BGPopup();
    void PBG_2Click(int mode);
    void PBG_TXTClick();
    void PBG_TBM_SetClick();
    void PBG_INTRO_SetClick();

private:
    void MakeMenu();
    void OpenMenuAt(const QPoint& globalPos);
    QActionGroup* MakeRadioGroup(QMenu* menu, const QStringList& names, const QStringList& captions,
                                 int& setting);
    void ShowChopFolder();

    Host m_host;
    SharedFlags& m_flags;
    TextViewer& m_givenViewer;
    TextViewer* m_viewer;
    Settings& m_settings;
    std::function<QStringList()> m_sources;
    std::function<bool(const QString&)> m_showFolder;
    std::function<void()> m_focusSources;
    std::function<void()> m_chooseFolder;
    bool m_cursorSet = false; ///< the wait cursor of opening the menu is on
};

} // namespace veskar

#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include <QColor>
#include <QWidget>

#include "core/timelists/TimeLists.h"
#include "gui/cutscreen/TimeListModel.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

namespace veskar {

class EventPump;
class Messenger;
class TimeListBox;
struct SharedFlags;

/// The cut screen Panel_CUT: the equal-interval list, the six subdivision lists with their
/// buttons, the registered list with its colours and menus. It shows the TimeLists the main
/// window owns; every handler reads its controls, calls the engine and shows the result.
///
/// Room for the other parts of the screen: Slot_CutFile (the cut file choice), Slot_Playback
/// (play modes, play bar; holds the position labels Label14 and Label13), Slot_Cut (under the
/// registered list, for Btn_CUT), Slot_Silence, Slot_Level and Slot_Mixer (right side, for
/// Panel_Muon, Panel_L and the volume panels). Each slot is an empty widget with a layout of its own.
class CutScreen : public QWidget {
    Q_OBJECT
public:
    /// What the screen asks of playback, filled in by the window once playback exists. Unset
    /// functions behave as a window without playback: the position query fails (the position
    /// label stands in), the special mode is "OFF", the play mode is kept here.
    struct PlaybackHooks {
        /// QueryPosition: the device position in ms as text, empty when the query failed.
        std::function<std::optional<QString>()> queryPosition;
        /// The special play mode choice (RadioGroup3).
        std::function<SpecialMode()> specialMode;
        /// The play mode choice (RadioGroup1), read and set.
        std::function<CutPlayMode()> playMode;
        std::function<void(CutPlayMode)> setPlayMode;
    };

    /// What the screen asks of the level analysis, filled in once it exists.
    struct LevelHooks {
        /// LevelColor: the background for a measured level, empty for normal colours.
        std::function<std::optional<QColor>(int level)> levelColor;
        /// MeasureListLevels of subdivision list 0..5; runs after each subdivision.
        std::function<bool(int level)> measureListLevels;
    };

    /// A one-line text prompt: title and current text in, the edited text out (empty: cancel).
    using TextPrompt =
        std::function<std::optional<QString>(const QString& title, const QString& text)>;

    CutScreen(TimeLists& lists, Messenger& messenger, EventPump& pump, SharedFlags& flags,
              QWidget* parent = nullptr);

    void SetPlaybackHooks(PlaybackHooks hooks) { m_playback = std::move(hooks); }
    void SetLevelHooks(LevelHooks hooks) { m_levels = std::move(hooks); }
    void SetLevelDisplayOptions(const LevelDisplayOptions& options);
    void SetTextPrompt(TextPrompt prompt) { m_prompt = std::move(prompt); }

    /// Makes path the cut file with the given length (-1 when it could not be had) and brings
    /// the lists into line with it. loadRegistered fills the registered list for the new file
    /// once the time widths are set and before the lists are rebuilt (it saves the list being
    /// left first); without it the registered list starts empty.
    void SetCutFile(const QString& path, TimeMs lengthMs,
                    const std::function<void()>& loadRegistered = {});
    const QString& CutFile() const { return m_cutFile; }

    TimeListId LastClickedList() const { return m_lastClicked; }
    TimeListId PopupTargetList() const { return m_popupTarget; }
    /// Makes the list a cut key (Ctrl+J/K/L) walks the cut menu's target: the focused time
    /// list, else the list the menu was last opened on, else the last clicked one, else the
    /// registered list. While MO_TSR_MUKOU keeps the menu off the other lists, so do the keys.
    void AimKeyboardCut();
    /// The box of a list id (levels, interval, registered); null for others.
    TimeListBox* ListBox(TimeListId id) const;
    /// Re-reads every list and its selection from the engine.
    void RefreshLists();
    /// Re-reads the registered list after the engine registered lines into it; red while full.
    void ShowRegisteredList();

    /// Shows the start-colour options in force (TimeLists::startColors), as after the settings
    /// were read: the tick of MO_ST_TM, the register buttons and the continuous-target panel.
    void ShowStartColorSettings();

    /// Lets another panel's subdivide button (the silence lists) take part in the disabling
    /// while a subdivision runs.
    void AddSubdivideButton(QPushButton* button);
    /// Lets another panel's "<登" button take the default colour like the screen's own.
    void AddColorRegisterButton(QPushButton* button);
    /// Lets another part's PopupMenu1 item (the colour cut) be shown and enabled with the
    /// start-colour items.
    void AddStartColorItem(QAction* item);

    // Controls, named as in the form.
    QWidget* Slot_Overview = nullptr; ///< across the top, for the overview strip
    QWidget* Slot_CutFile = nullptr;
    QWidget* Slot_Playback = nullptr;
    QWidget* Slot_Cut = nullptr;
    QWidget* Slot_CutList = nullptr; ///< above the registered list, for ComboBox_CL
    QWidget* Slot_Silence = nullptr;
    QWidget* Slot_Level = nullptr;
    QWidget* Slot_Mixer = nullptr;
    QLabel* Label14 = nullptr; ///< position ("再生時間（秒）")
    QLabel* Label13 = nullptr; ///< length ("総再生時間（秒）")

    QComboBox* ComboBox_TM = nullptr;
    TimeListBox* ListBox_ALL = nullptr;
    QPushButton* Button_ALLT = nullptr;
    QPushButton* Btn_ALLTC = nullptr;

    /// The subdivision lists and their buttons by level (0 = 1 ms .. 5 = 60 s).
    std::array<TimeListBox*, kSubdivisionLevels> levelLists{};
    std::array<QPushButton*, kSubdivisionLevels> subdivideButtons{};     ///< ">1ms" .. ">60s"
    std::array<QPushButton*, kSubdivisionLevels> colorRegisterButtons{}; ///< "<登"
    std::array<QPushButton*, kSubdivisionLevels> plainRegisterButtons{}; ///< "録"
    TimeListBox* ListBox_1ms = nullptr;
    TimeListBox* ListBox_10ms = nullptr;
    TimeListBox* ListBox_100ms = nullptr;
    TimeListBox* ListBox_1s = nullptr;
    TimeListBox* ListBox_10s = nullptr;
    TimeListBox* ListBox_60s = nullptr;
    QWidget* Panel_1ms = nullptr;
    QPushButton* Btn_1ms_ON = nullptr;
    QPushButton* Btn_1ms_OFF = nullptr;
    QPushButton* Button_60s_U = nullptr;

    TimeListBox* ListBox_C = nullptr;
    QPushButton* Btn_NT = nullptr;
    QPushButton* Btn_NTC = nullptr;
    QPushButton* Button_600s_CT = nullptr;
    QPushButton* Button_600s_C = nullptr;
    QPushButton* Button5 = nullptr;
    QFrame* Panel_RENZOKU = nullptr;

    QAction* MO_FUN = nullptr;
    QAction* MO_ST_TM = nullptr;
    QAction* MO_TSR_MUKOU = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* P_LIST_Name = nullptr;
    /// Separator before the start-colour items; the cut items go above it.
    QAction* PCUT_N0 = nullptr;
    QMenu* P_START0 = nullptr;
    std::array<QAction*, kStartColorCount> startColorItems{}; ///< [1..6]: P_START .. P_START_Pink
    QAction* P_ST_CLR = nullptr;
    QAction* PCUT_N1 = nullptr;
    QMenu* P_RENZOKU0 = nullptr;
    std::array<QAction*, kStartColorCount> continuousItems{}; ///< P_RENZOKU_ALL .. _Pink
    QAction* PCUT_N3 = nullptr;
    QMenu* P_BINRUI0 = nullptr;
    std::array<QAction*, kStartColorCount> classificationItems{};

    QMenu* PopupMenu_T = nullptr;
    std::array<QAction*, kStartColorCount> defaultColorItems{}; ///< PTS_T_NON .. PTS_T_Pink
    QMenu* PopupMenu_R = nullptr;
    std::array<QAction*, kStartColorCount> continuousPanelItems{}; ///< P_RENZOKU_M_ALL .. _Pink

signals:
    /// A line of one of the screen's lists was clicked (or reached by a navigation key):
    /// playback plays from it, the level panel shows its levels.
    void LineClicked(TimeListId list, int row);
    /// The lists were rebuilt for a new file or time form; the parts that show times elsewhere
    /// (silence lists, level panel, play bars) reset themselves.
    void TimeListsRebuilt();
    /// A cut file was made the screen's file (after its lists were rebuilt).
    void CutFileChosen(const QString& path);
    /// The registered list was shown anew (lines, tags or selection may have changed).
    void RegisteredListShown();

public slots:
    /// The interval choice (ComboBox_TMClick).
    void ComboBox_TMClick();
    /// The time form option (MO_FUNClick) and the rebuild it runs.
    void MO_FUNClick();
    void RebuildTimeLists();
    /// Start times on or off (MO_ST_TMClick).
    void MO_ST_TMClick();
    /// Subdivides from the source list's current line (None: the playback position) into
    /// levels topLevel down to 0 (Button_600s_CClick, shared by every subdivide button).
    void Subdivide(int topLevel, TimeListId source);
    /// Subdivides from another panel's list (the silence lists) into all six levels.
    void SubdivideFromList(TimeList& source);
    void Btn_1ms_ONClick();
    void Btn_1ms_OFFClick();
    /// The register buttons (Button_ALLTClick): selected lines of a list, with or without the
    /// default colour.
    void RegisterLines(TimeListId source, bool withColor);
    /// Btn_NT (with colour) and Btn_NTC (without).
    void RegisterPosition(bool withColor);
    /// Registers a time without colour, as "録" registers a line (a double click on the
    /// overview).
    void RegisterTime(veskar::TimeMs timeMs);
    /// Fills every subdivision list around a time (the middle of the overview's zoomed window).
    void SubdivideAround(veskar::TimeMs timeMs);
    /// Button5.
    void Button5Click();
    /// The start-colour items of PopupMenu1; act only when it was opened on ListBox_C.
    void SetStartColor(int code);
    void ClearStartColor();
    void SetDefaultStartColor(int code);
    void SetContinuousTarget(int target);
    void EditClassificationName(int code);
    /// A right-click on a time list (ListBox_CMouseDown): opens PopupMenu1 for it.
    void ListBox_CMouseDown(TimeListId target, const QPoint& globalPos);
    /// Prepares PopupMenu1 for its target (PopupMenu1Popup).
    void PopupMenu1Popup();
    /// A line of a time list was clicked (also the silence lists and the level panel's list).
    void ListBox_ALLClick(TimeListId list, int row);
    /// A line chosen outside its list (the numeric level list): the list shows it selected,
    /// then it is clicked.
    void ClickLine(TimeListId list, int row);
    /// Draws a list again, as after its levels were measured.
    void RepaintList(TimeListId list);
    /// The default start colour's menu PopupMenu_T, from a right-click on a register button;
    /// only while start times are on and no error box is open.
    void OpenDefaultColorMenu(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeOptionItems();
    QWidget* MakePositionPanel();
    QWidget* MakeIntervalColumn();
    QWidget* MakeLevelColumn(int level);
    QWidget* MakeOneMsPanel();
    QWidget* MakeRegisteredColumn();
    void MakeMenus();
    void MakeStartColorItems();
    void MakeContinuousMenus();
    void MakeClassificationMenu();
    void MakeDefaultColorMenu();
    QPushButton* MakeButton(const QString& name, const QString& caption,
                            const QString& hint = QString());
    QPushButton* MakeRegisterButton(const QString& name, bool withColor);
    TimeListBox* MakeListBox(TimeListId id, const QString& name, const QString& hint);
    TimeList* EngineList(TimeListId id);

    bool ListBox_1sKeyDown(TimeListBox* box, int key, Qt::KeyboardModifiers modifiers);
    void SetSubdivideButtonsEnabled(bool enabled);
    /// One subdivision at a time, with the subdivide buttons off while it runs; afterwards
    /// the lists from topLevel down show their new lines and are measured when asked for.
    void RunSubdivision(int topLevel, const std::function<TimeLists::SubdivideResult()>& subdivide);
    void RepaintColorRegisterButtons();
    void RepaintContinuousPanel();
    void OpenContinuousPanelMenu(const QPoint& globalPos);
    std::optional<LineColors> LevelColors(std::optional<int> level) const;

    std::optional<QString> QueryPosition() const;
    SpecialMode CurrentSpecialMode() const;
    CutPlayMode CurrentPlayMode() const;
    void SetPlayMode(CutPlayMode mode);

    TimeLists& m_lists;
    Messenger& m_messenger;
    EventPump& m_pump;
    SharedFlags& m_flags;
    PlaybackHooks m_playback;
    LevelHooks m_levels;
    LevelDisplayOptions m_levelOptions;
    TextPrompt m_prompt;

    QString m_cutFile;
    TimeListId m_lastClicked = TimeListId::None;
    TimeListId m_popupTarget = TimeListId::None;
    bool m_subdividing = false;
    CutPlayMode m_playMode = CutPlayMode::Zone;
    std::vector<QPushButton*> m_allSubdivideButtons;
    std::vector<QPushButton*> m_colorRegisterButtonsAll;
    std::vector<QPushButton*> m_registerButtonsAll;
    std::vector<QAction*> m_startColorMenuItems;
};

} // namespace veskar

#pragma once

#include <array>
#include <functional>

#include <QObject>
#include <QPoint>

#include "core/host/Host.h"
#include "core/timelists/TimeListId.h"
#include "core/wav/SilenceSettings.h"

class QAction;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

namespace veskar {

class CutAnalysis;
class TimeListBox;
class TTmSETBoxDlg;
struct SharedFlags;

/// The silence panel Panel_Muon: the recognition time and six duration/level pairs with their
/// quick-choice menus, the detection run, and the six result lists with their register and
/// subdivide buttons. The fields are kept in CutAnalysis::silenceSettings as they are typed;
/// the detection and the registration are the engine's. What the rest of the cut screen must
/// do about it (play a clicked line, show the registered list, subdivide) goes out as signals.
class SilencePanel : public QObject {
    Q_OBJECT
public:
    static constexpr int kDurationChoices = 7;
    static constexpr int kLevelChoices = 9;

    SilencePanel(CutAnalysis& analysis, const Host& host, SharedFlags& flags, QWidget* parent);

    /// Stops whatever plays and closes the wave device; "すべて色付登録" runs it first. Set
    /// once playback exists.
    void SetStopPlayback(std::function<void()> stop) { m_stopPlayback = std::move(stop); }

    /// Shows CutAnalysis::silenceSettings in the fields (after a file choice, a preset, the
    /// settings store or a run that replaced a field).
    void ShowSettings();
    /// Shows the six lists as CutAnalysis holds them.
    void RefreshLists();
    /// Repaints the song starts, whose colour follows the current start colour.
    void RepaintLists();

    QPushButton* Btn_Muon = nullptr; ///< opens the panel
    QFrame* Panel_Muon = nullptr;
    QPushButton* Btn_Muon_START = nullptr;
    QPushButton* Btn_Muon_close = nullptr;
    QPushButton* Btn_Muon_Suggest = nullptr; ///< "おすすめ"
    QPushButton* Btn_Muon_Tracks = nullptr;  ///< "曲数で分割…"
    /// The count box "曲数で分割…" asks the number of pieces with.
    TTmSETBoxDlg* TmSETBoxDlg_Tracks = nullptr;
    QLabel* Label_Ninshiki_Text = nullptr;
    QLabel* Label_Ninshiki_Time = nullptr;
    QLineEdit* Edit_Ninshiki_Time = nullptr;
    std::array<QLabel*, kSilenceChannels> Label_MT{};
    std::array<QLineEdit*, kSilenceChannels> Edit_MT{};
    std::array<QLabel*, kSilenceChannels> Label_ML{};
    std::array<QLineEdit*, kSilenceChannels> Edit_ML{};
    std::array<TimeListBox*, kSilenceChannels> ListBox_MS{};
    std::array<QPushButton*, kSilenceChannels> Btn_MST{};  ///< "<登"
    std::array<QPushButton*, kSilenceChannels> Btn_MSTC{}; ///< "録"
    std::array<QPushButton*, kSilenceChannels> Btn_MS{};   ///< ">60s"

    QMenu* PopupMenu_MT = nullptr;
    std::array<QAction*, kDurationChoices> PMT{};
    QMenu* PopupMenu_ML = nullptr;
    std::array<QAction*, kLevelChoices> PML{};
    QMenu* PopupMenu_ML8 = nullptr;
    std::array<QAction*, kLevelChoices> PML8{};
    QMenu* PopupMenu_MINI = nullptr;
    QAction* PM_INI = nullptr;
    QMenu* PopupMenu_MS = nullptr;
    QAction* P_MS0 = nullptr;

signals:
    /// A line of silence list k was clicked: it plays like a line of any time list.
    void LineClicked(veskar::TimeListId list, int row);
    /// Lines were registered into the registered list.
    void LinesRegistered();
    /// The six lists were refilled or emptied.
    void ListsChanged();
    /// ">60s" under list k: subdivide around its current line.
    void SubdivideRequested(int channel);
    /// A right-click on a register button: the default start colour's menu.
    void DefaultColorMenuRequested(const QPoint& globalPos);

public slots:
    /// Ctrl+1..6: focuses list k; a closed panel is opened and the detection run first.
    void FocusList(int channel);
    void Btn_MuonClick();
    void Btn_Muon_closeClick();
    void Btn_Muon_STARTClick();
    void PM_INIClick();
    /// "おすすめ": the fields from the recording's suggestion, then the detection with them.
    void Btn_Muon_SuggestClick();
    /// "曲数で分割…": asks for the number of pieces and registers their fitted starts.
    void Btn_Muon_TracksClick();
    /// "すべて色付登録" on the list the menu was opened on.
    void P_MS0Click();
    /// Btn_MSkT (with colour) and Btn_MSkTC (without): the selected lines of list k.
    void RegisterLines(int channel, bool withColor);
    /// Btn_MSk: subdivides from the current line of list k.
    void Subdivide(int channel);
    /// A click on a field's label: the quick-choice menu of that field. field 0..5 are the
    /// channels, 6 the recognition time; level chooses the level field of the channel.
    void LabelClick(int field, bool level, const QPoint& globalPos);
    /// The right button on list k (ListBox_MS0MouseDown).
    void ListBox_MS0MouseDown(int channel, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* MakePanel(QWidget* parent);
    QWidget* MakeChannel(int channel, QWidget* parent);
    QHBoxLayout* MakeChannelFields(int channel, QWidget* column);
    TimeListBox* MakeChannelList(int channel, QWidget* column);
    QHBoxLayout* MakeChannelButtons(int channel, QWidget* column);
    /// Lays the six lists out in rows of `columns` lists.
    void PlaceChannels(int columns);
    QLabel* MakeFieldLabel(const QString& name, const QString& caption, QWidget* parent);
    QLineEdit* MakeField(const QString& name, QWidget* parent);
    void MakeMenus();
    QHBoxLayout* MakeAdviceButtons(QWidget* panel);
    /// List k shows beside each song start how many lists agree on it.
    void ShowAgreement(int channel, TimeListBox* box);
    void FieldEdited();
    void ChooseValue(const QString& value);

    CutAnalysis& m_analysis;
    QWidget* m_parent;
    Host m_host;
    SharedFlags& m_flags;
    QGridLayout* m_channelGrid = nullptr;
    std::array<QWidget*, kSilenceChannels> m_channelColumns{};
    int m_gridColumns = 0;
    /// The panel's width from which the lists stand three in a row.
    int m_threeColumnsWidth = 0;
    std::function<void()> m_stopPlayback;
    QLineEdit* m_menuTarget = nullptr;
    bool m_menuOpening = false;
    int m_popupChannel = -1;
    bool m_detecting = false;
    int m_pieces = 10;
    bool m_showing = false;
};

} // namespace veskar

#pragma once

#include <array>

#include <QWidget>

#include "core/play/PlayModes.h"

class QAction;
class QButtonGroup;
class QGroupBox;
class QMenu;
class QPushButton;
class QRadioButton;

namespace veskar {

class PositionBarPanel;

/// The player controls of the cut screen: the play mode RadioGroup1 with its preset menu
/// PopupMenu_PM, the special mode RadioGroup3 with its length menus PopupMenu_TS, the stop
/// button "停 止" and the play bar. It keeps the choices; PlayController hands them to the
/// play engine.
class PlayerPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kProbeMenus = 5;

    explicit PlayerPanel(QWidget* parent = nullptr);

    CutPlayMode PlayMode() const;
    /// Sets RadioGroup1 as a program would (no PlayModeChosen).
    void SetPlayMode(CutPlayMode mode);
    SpecialMode Special() const;
    const ProbeLengths& Probes() const { return m_probes; }
    int ProbeItem(ProbeMenu menu) const { return m_probeItems[static_cast<int>(menu)]; }
    /// Ticks a length item (a PT_ST5 .. PT_SE5 item) and renames its mode.
    void ChooseProbeItem(ProbeMenu menu, int item);

    /// The play-mode preset of PopupMenu_PM.
    const PlayModePreset& Preset() const { return m_preset; }
    /// Ticks preset item and "起動時のみ" as the settings hold them, then sets the play mode the
    /// preset gives at start-up.
    void SetPresetAtStartup(int item, bool startOnly);

    QGroupBox* RadioGroup1 = nullptr;
    std::array<QRadioButton*, 6> playModeItems{};
    QGroupBox* RadioGroup3 = nullptr;
    std::array<QRadioButton*, 6> specialModeItems{};
    QPushButton* Button2 = nullptr; ///< "停 止"
    PositionBarPanel* Panel_PB_M = nullptr;

    QMenu* PopupMenu_PM = nullptr;
    std::array<QAction*, PlayModePreset::kItems> presetItems{}; ///< PM_0 .. PM_6
    QAction* PM_START = nullptr;
    QAction* PM_X = nullptr;

    QMenu* PopupMenu_TS = nullptr;
    /// PT_ST5, PT_EN5, PT_ME1, PT_MS1, PT_SE5, by ProbeMenu.
    std::array<QMenu*, kProbeMenus> probeMenus{};
    /// The items of each length menu by item number.
    std::array<std::vector<QAction*>, kProbeMenus> probeItems;

signals:
    /// The user chose an item of RadioGroup1 or RadioGroup3.
    void PlayModeChosen(veskar::CutPlayMode mode);
    void SpecialModeChosen(veskar::SpecialMode mode);
    /// A length of a special mode changed.
    void ProbesChanged();

private:
    QGroupBox* MakeGroup(const QString& name, const QString& title, const QString& hint,
                         const QStringList& items, std::array<QRadioButton*, 6>& buttons,
                         QButtonGroup*& group);
    void MakePresetMenu();
    void MakeProbeMenus();

    QButtonGroup* m_playGroup = nullptr;
    QButtonGroup* m_specialGroup = nullptr;
    PlayModePreset m_preset;
    ProbeLengths m_probes;
    std::array<int, kProbeMenus> m_probeItems{};
};

} // namespace veskar

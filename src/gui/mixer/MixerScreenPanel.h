#pragma once

#include <array>

#include <QWidget>

#include "core/mixer/MixerPanels.h"

class QComboBox;
class QMenu;
class QPushButton;

namespace veskar {

class VolumePanel;
class VolumeProgram;

/// A screen's mixer: "ボリューム ON", the master and wave panels, the presets "Min", "V1", "V2"
/// with ">>登録", "Vol OFF" and "vol". Control names are those of the screen it sits on.
class MixerScreenPanel : public QWidget {
    Q_OBJECT
public:
    MixerScreenPanel(MixerPanels& model, MixerScreen screen, VolumeProgram& program,
                     QWidget* parent = nullptr);

    QPushButton* Btn_ON = nullptr;  ///< Btn_V_ON / Btn_VM_ON
    std::array<QPushButton*, MixerPanels::kPresets> presetButtons{}; ///< Min, V1, V2
    QComboBox* ComboBox = nullptr;  ///< ComboBox_V / ComboBox_VM
    QPushButton* Btn_Store = nullptr; ///< ColorBtn13 / ColorBtn2 ">>登録"
    QPushButton* Btn_OFF = nullptr; ///< ColorBtn14 / ColorBtn12 "Vol OFF"
    QPushButton* Btn_VOL = nullptr;
    QMenu* PVOL_Menu = nullptr;     ///< right click on "vol": PVOL, PVOL_R
    std::array<VolumePanel*, 2> panels{}; ///< master, wave

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    MixerPanels& m_model;
    MixerScreen m_screen;
};

} // namespace veskar

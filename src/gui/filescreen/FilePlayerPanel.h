#pragma once

#include <array>

#include <QGroupBox>

#include "core/play/PlayModes.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace veskar {

class PositionBarPanel;

/// The player area of the file screen: the file information line, "再生" / "BS" / "Skip", the
/// file play mode ComboBox_PM with "REP", the special mode ComboBox_TPM with its seconds menu
/// PopupMenu_TPM, the time labels and the play bar. It keeps the choices; PlayController hands
/// them to the play engine.
class FilePlayerPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit FilePlayerPanel(QWidget* parent = nullptr);

    FilePlayMode PlayMode() const;
    bool Repeat() const;
    FileSpecialMode Special() const;
    int IntroIndex() const { return m_introIndex; }
    int EdgeIndex() const { return m_edgeIndex; }
    /// A P_TPM_I_n / P_TPM_FE_n choice: ticks it and renames the entry and the submenu.
    void ChooseIntroIndex(int index);
    void ChooseEdgeIndex(int index);

    QLineEdit* Edit_File_Disp = nullptr;
    QPushButton* Btn_PLAY = nullptr;
    QPushButton* Btn_BS = nullptr;
    QPushButton* Btn_Skip = nullptr;
    QComboBox* ComboBox_PM = nullptr;
    QCheckBox* CheckBox_REP = nullptr;
    QComboBox* ComboBox_TPM = nullptr;
    QLabel* Label2 = nullptr; ///< position ("再生タイム")
    QLabel* Label1 = nullptr; ///< length ("終了タイム")
    PositionBarPanel* Panel_B0 = nullptr;

    QMenu* PopupMenu_TPM = nullptr;
    QMenu* P_TPM_I = nullptr;
    QMenu* P_TPM_FE = nullptr;
    std::array<QAction*, kFileModeSecondsCount> introItems{}; ///< P_TPM_I_0 .. P_TPM_I_9
    std::array<QAction*, kFileModeSecondsCount> edgeItems{};  ///< P_TPM_FE_0 .. P_TPM_FE_9

signals:
    /// A choice in ComboBox_PM, CheckBox_REP or ComboBox_TPM, or a new intro or edge length.
    void FilePlayModeChosen(veskar::FilePlayMode mode);
    void ControlsChanged();

private:
    QMenu* MakeSecondsMenu(const QString& name, const QStringList& items, int checked,
                           std::array<QAction*, kFileModeSecondsCount>& actions, bool intro);

    int m_introIndex = kDefaultIntroIndex;
    int m_edgeIndex = kDefaultEdgeIndex;
};

} // namespace veskar

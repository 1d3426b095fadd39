#pragma once

#include <functional>

#include <QWidget>

#include "core/play/CutPlayMode.h"
#include "core/timelists/NumberedTimeTable.h"
#include "core/timelists/RegisteredList.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace veskar {
class PositionBarPanel;
}

namespace veskar {

/// The numbered time table Panel_TT: the table ListView_T under its bar Panel_TT_Btn. It shows
/// the NumberedTimeTable the window owns; each button runs the table's operation and shows the
/// result.
class TablePanel : public QWidget {
    Q_OBJECT
public:
    TablePanel(NumberedTimeTable& table, Messenger& messenger, EventPump& pump,
               QWidget* parent = nullptr);

    /// The cut file, whose ranges the peaks are measured in.
    void SetCutFileSource(std::function<QString()> cutFile) { m_cutFile = std::move(cutFile); }
    /// Tags are drawn only while start times are enabled.
    void SetStartTimesEnabled(bool on);
    /// Mirrors RadioGroup1 without announcing it.
    void SetPlayMode(CutPlayMode mode);

    /// P_TTClick: rows for the selected registered lines (all of them with all), shown at once.
    /// Adding stops when interrupted turns true or Btn_T_Cancel is pressed meanwhile.
    void AddRowsFrom(const RegisteredList& registered, const TimeFormat& format,
                     const std::function<bool()>& interrupted);
    /// Re-reads every row and the selection from the table.
    void ShowRows();

    QWidget* Panel_TT_Btn = nullptr;
    QLabel* Label_TT_Kosu = nullptr;
    QPushButton* Btn_TT_RET = nullptr;
    QPushButton* Btn_TT_UP = nullptr;
    QPushButton* Btn_TT_DOWN = nullptr;
    QPushButton* Btn_TT_SC = nullptr;
    QPushButton* Btn_TT_DEL = nullptr;
    /// "登録 中断": shown in place of Btn_TT_No while rows are being added, and stops the adding.
    QPushButton* Btn_T_Cancel = nullptr;
    QPushButton* Btn_TT_Peek = nullptr;
    QComboBox* ComboBox_TT_PM = nullptr;
    QCheckBox* CheckBox_TT_C = nullptr;
    /// The table's position bar Label_TT_B1 in Panel_TT_B0.
    PositionBarPanel* Panel_TT_B0 = nullptr;
    QPushButton* Btn_TT_No = nullptr;
    QCheckBox* CheckBox_TT_Sort = nullptr;
    QTreeWidget* ListView_T = nullptr;

signals:
    /// A row was clicked: playback plays it.
    void RowClicked(int row);
    /// The user chose a play mode in ComboBox_TT_PM.
    void PlayModeChosen(veskar::CutPlayMode mode);
    /// Rows are about to be deleted: playback stops first.
    void StopPlayback();

private:
    void MoveRows(bool up);
    void Btn_TT_DELClick();
    void Btn_TT_PeekClick();
    void Btn_TT_NoClick();
    void ListView_TColumnClick(int column);
    void TakeSelection();
    void PaintRows();

    NumberedTimeTable& m_table;
    Messenger& m_messenger;
    EventPump& m_pump;
    std::function<QString()> m_cutFile;
    bool m_startTimesEnabled = true;
    bool m_showing = false;
    bool m_busy = false;
    bool m_addInterrupted = false;
};

} // namespace veskar

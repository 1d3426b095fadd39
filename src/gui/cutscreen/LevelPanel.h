#pragma once

#include <optional>

#include <QColor>
#include <QObject>

#include "core/host/Host.h"
#include "core/timelists/TimeLists.h"

class QAction;
class QFrame;
class QListWidget;
class QPushButton;
class QWidget;

namespace veskar {

class CutAnalysis;

/// The level analysis on the cut screen: the colouring run Btn_IROWAKE, the peak display
/// Btn_Peek, the colour and numeric-level options of the option menu, and the numeric level
/// panel Panel_L beside the short subdivision lists. The levels themselves are measured by
/// CutAnalysis; this class reads the controls, runs it and repaints.
class LevelPanel : public QObject {
    Q_OBJECT
public:
    LevelPanel(CutAnalysis& analysis, const Host& host, QWidget* parent);

    /// Shows the options in force (CutAnalysis::options) in the menu items and the lists, as
    /// after the settings were read.
    void ShowOptions();

    /// The background of a line with this level in the cut file's family, or none.
    std::optional<QColor> LevelBackground(int level) const;

    QPushButton* Btn_IROWAKE = nullptr;
    QPushButton* Btn_Peek = nullptr;
    QAction* MO_1sColor = nullptr;
    QAction* MO_10sColor = nullptr;
    QAction* MO_60sColor = nullptr;
    QAction* MO_SL_OUT = nullptr;
    QFrame* Panel_L = nullptr;
    QPushButton* Btn_L_T = nullptr;
    QPushButton* Btn_L = nullptr;
    QListWidget* ListBox_L = nullptr;

signals:
    /// The colour options changed: the lists are drawn with them from now on.
    void DisplayOptionsChanged(const veskar::LevelDisplayOptions& display);
    /// A list's levels were measured (the equal-interval list by the colouring run): it is
    /// drawn again.
    void LevelsMeasured(veskar::TimeListId list);
    /// A line of the numeric list chose the same line of its time list.
    void LineChosen(veskar::TimeListId list, int row);

public slots:
    void Btn_IROWAKEClick();
    void Btn_PeekClick();
    void MO_1sColorClick();
    void MO_10sColorClick();
    void MO_60sColorClick();
    void MO_SL_OUTClick();
    void Btn_LClick();
    void Btn_L_TClick();
    /// A line of the numeric list: the same line of its source list is clicked.
    void ListBox_LClick(int row);
    /// Measures subdivision list `level` and repaints it (the cut screen's hook after a
    /// subdivision, and the options).
    bool MeasureListLevels(int level);
    /// A new cut file: the colouring run is offered again.
    void CutFileChosen();
    /// The lists were rebuilt: the numeric panel closes.
    void TimeListsRebuilt();
    /// A line of a time list was clicked: the numeric panel follows the short subdivision lists
    /// and closes for any other list.
    void LineClicked(TimeListId list, int row);

private:
    QFrame* MakePanel(QWidget* parent);
    QAction* MakeOption(const char* name, const QString& caption);
    void ShowNumericLevels(int level, int row);
    void RecolorNumericLevels();
    void SetLevelOptions(const LevelDisplayOptions& display);

    CutAnalysis& m_analysis;
    Host m_host;
    TimeListId m_numericSource = TimeListId::None;
    bool m_coloring = false;
};

} // namespace veskar

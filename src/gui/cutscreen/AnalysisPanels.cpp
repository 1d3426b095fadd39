#include "gui/cutscreen/AnalysisPanels.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLayout>
#include <QMenu>
#include <QPushButton>

#include "core/analysis/CutAnalysis.h"
#include "core/settings/Paths.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/LevelPanel.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/SilencePresetBar.h"

namespace veskar {

AnalysisPanels::AnalysisPanels(CutAnalysis& analysis, CutScreen& screen, const Host& host,
                               SharedFlags& flags, QMenu* optionMenu)
    : QObject(&screen), m_analysis(analysis) {
    setObjectName("AnalysisPanels");
    levelPanel = new LevelPanel(analysis, host, screen.Slot_Level);
    silencePanel = new SilencePanel(analysis, host, flags, screen.Slot_Silence);
    presetBar = new SilencePresetBar(analysis, *silencePanel, host.messenger, ProgramDir());

    Panel_Analysis = new QWidget(screen.Slot_Silence);
    Panel_Analysis->setObjectName("Panel_Analysis");
    auto* row = new QHBoxLayout(Panel_Analysis);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(levelPanel->Btn_IROWAKE);
    row->addWidget(levelPanel->Btn_Peek);
    row->addWidget(silencePanel->Btn_Muon);
    screen.Slot_Silence->layout()->addWidget(Panel_Analysis);
    screen.Slot_Silence->layout()->addWidget(silencePanel->Panel_Muon);
    screen.Slot_Level->layout()->addWidget(levelPanel->Panel_L);

    CutScreen::LevelHooks hooks;
    hooks.levelColor = [panel = levelPanel](int level) { return panel->LevelBackground(level); };
    hooks.measureListLevels = [panel = levelPanel](int level) {
        return panel->MeasureListLevels(level);
    };
    screen.SetLevelHooks(std::move(hooks));
    for (int k = 0; k < kSilenceChannels; ++k) {
        screen.AddSubdivideButton(silencePanel->Btn_MS[k]);
        screen.AddColorRegisterButton(silencePanel->Btn_MST[k]);
    }

    connect(&screen, &CutScreen::CutFileChosen, this, &AnalysisPanels::CutFileChosen);
    connect(&screen, &CutScreen::TimeListsRebuilt, this, &AnalysisPanels::TimeListsRebuilt);
    screen.SetLevelDisplayOptions(analysis.options.display);
    connect(&screen, &CutScreen::LineClicked, levelPanel, &LevelPanel::LineClicked);
    connect(levelPanel, &LevelPanel::DisplayOptionsChanged, &screen,
            &CutScreen::SetLevelDisplayOptions);
    connect(levelPanel, &LevelPanel::LevelsMeasured, &screen, &CutScreen::RepaintList);
    connect(levelPanel, &LevelPanel::LineChosen, &screen, &CutScreen::ClickLine);
    connect(silencePanel, &SilencePanel::LineClicked, &screen, &CutScreen::ListBox_ALLClick);
    connect(silencePanel, &SilencePanel::LinesRegistered, &screen, &CutScreen::ShowRegisteredList);
    connect(silencePanel, &SilencePanel::DefaultColorMenuRequested, &screen,
            &CutScreen::OpenDefaultColorMenu);
    connect(silencePanel, &SilencePanel::SubdivideRequested, &screen,
            [this, &screen](int k) { screen.SubdivideFromList(m_analysis.SilenceLines(k)); });
    // Song starts are drawn in the current start colour.
    connect(screen.PopupMenu_T, &QMenu::triggered, silencePanel, &SilencePanel::RepaintLists);
    connect(screen.MO_ST_TM, &QAction::triggered, silencePanel, &SilencePanel::RepaintLists);

    if (optionMenu != nullptr) {
        optionMenu->addSeparator();
        optionMenu->addAction(levelPanel->MO_1sColor);
        optionMenu->addAction(levelPanel->MO_10sColor);
        optionMenu->addAction(levelPanel->MO_60sColor);
        optionMenu->addAction(levelPanel->MO_SL_OUT);
    }
}

void AnalysisPanels::CutFileChosen(const QString& path) {
    m_analysis.ChooseFile(path);
    levelPanel->CutFileChosen();
    silencePanel->ShowSettings();
}

void AnalysisPanels::TimeListsRebuilt() {
    m_analysis.ClearSilences();
    levelPanel->TimeListsRebuilt();
}

} // namespace veskar

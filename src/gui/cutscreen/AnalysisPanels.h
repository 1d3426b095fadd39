#pragma once

#include <QObject>

#include "core/host/Host.h"

class QMenu;
class QWidget;

namespace veskar {

class CutAnalysis;
class CutScreen;
class LevelPanel;
class SilencePanel;
class SilencePresetBar;
struct SharedFlags;

/// Attaches the level analysis and the silence detection to the cut screen: builds both panels
/// into the screen's slots (the buttons "色分", "最大" and "無音" in one row above the silence
/// panel, the numeric level panel below it), plugs the level colours and list measuring into
/// the screen's hooks, registers the silence lists' buttons with the screen, puts the level
/// options into the option menu and keeps everything in line with the chosen file and the
/// rebuilt lists.
class AnalysisPanels : public QObject {
    Q_OBJECT
public:
    AnalysisPanels(CutAnalysis& analysis, CutScreen& screen, const Host& host, SharedFlags& flags,
                   QMenu* optionMenu);

    LevelPanel* levelPanel = nullptr;
    SilencePanel* silencePanel = nullptr;
    /// The silence presets of the data folder, on the silence panel.
    SilencePresetBar* presetBar = nullptr;
    /// The row with Btn_IROWAKE, Btn_Peek and Btn_Muon.
    QWidget* Panel_Analysis = nullptr;

public slots:
    void CutFileChosen(const QString& path);
    void TimeListsRebuilt();

private:
    CutAnalysis& m_analysis;
};

} // namespace veskar

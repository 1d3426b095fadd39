// The direct one-time cut of CutCommands: its three items in PopupMenu1 and their handlers.
#include <QDateTime>
#include <QMenu>

#include "core/cut/CutTarget.h"
#include "core/cut/DirectCutCommand.h"
#include "core/host/SharedFlags.h"
#include "core/settings/Paths.h"
#include "gui/cutscreen/CutCommands.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/main/BusyCursor.h"

namespace veskar {

void CutCommands::MakeDirectCutItems() {
    QMenu* menu = m_screen.PopupMenu1;
    auto insertItem = [&](const char* name, const QString& caption) {
        auto* item = new QAction(caption, menu);
        item->setObjectName(name);
        menu->insertAction(WAV_CUT_CANSEL, item);
        return item;
    };
    auto* separator = new QAction(menu);
    separator->setSeparator(true);
    menu->insertAction(WAV_CUT_CANSEL, separator);
    P_1TIME_CUT =
        insertItem("P_1TIME_CUT", QStringLiteral("１タイムオンリー高速カット（直にwav加工）(&1)"));
    P_1TIME_RESET = insertItem("P_1TIME_RESET", QStringLiteral("元に戻す（完全復元）(&B)"));
    PCM_FUKUGEN = insertItem("PCM_FUKUGEN", QStringLiteral("強制復元（１部損傷）(&W)"));
    separator = new QAction(menu);
    separator->setSeparator(true);
    menu->insertAction(WAV_CUT_CANSEL, separator);
    connect(P_1TIME_CUT, &QAction::triggered, this, &CutCommands::P_1TIME_CUTClick);
    connect(P_1TIME_RESET, &QAction::triggered, this, &CutCommands::P_1TIME_RESETClick);
    connect(PCM_FUKUGEN, &QAction::triggered, this, &CutCommands::PCM_FUKUGENClick);
    // Only one direct cut can be pending: until it is undone, only the undo is offered.
    connect(menu, &QMenu::aboutToShow, this, [this] {
        const CutMenuState state = PrepareCutMenu(
            m_screen.PopupTargetList(), m_lists.startColors.startTimesEnabled, directCut.pending);
        P_1TIME_CUT->setEnabled(state.oneTimeCutEnabled);
        P_1TIME_RESET->setEnabled(state.oneTimeResetEnabled);
    });
}

void CutCommands::ChooseCutFileAgain(bool keepPending) {
    const bool pending = directCut.pending;
    if (m_chooseCutFile) {
        m_chooseCutFile(m_screen.CutFile());
    }
    directCut.pending = keepPending && pending;
}

void CutCommands::P_1TIME_CUTClick() {
    const std::unique_ptr<CutTarget> target = TargetOf(m_screen.PopupTargetList());
    if (!target || m_run->Busy()) {
        return;
    }
    ReleaseDevice();
    if (m_flags.shutdownStop) {
        return;
    }
    DirectCutServices services{RunHost(),
                               m_flags,
                               m_record,
                               RecordViewer(),
                               WorkDir(),
                               MF_No_Memo->isChecked(),
                               QDateTime::currentDateTime()};
    bool ran = false;
    {
        BusyCursor busy;
        ran = DirectCutCommand(m_screen.CutFile(), *target, directCut, services);
    }
    if (ran) {
        ChooseCutFileAgain(true);
    }
}

void CutCommands::P_1TIME_RESETClick() {
    m_flags.stopRequested = false;
    ReleaseDevice();
    RestoreCommand(m_screen.CutFile(), directCut, m_host, m_flags,
                   [this] { ChooseCutFileAgain(false); });
}

void CutCommands::PCM_FUKUGENClick() {
    m_flags.stopRequested = false;
    ReleaseDevice();
    BusyCursor busy;
    ForceRestoreCommand(m_screen.CutFile(), directCut, m_host, m_flags,
                        [this] { ChooseCutFileAgain(false); });
}

} // namespace veskar

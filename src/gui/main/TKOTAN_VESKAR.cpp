#include "gui/main/TKOTAN_VESKAR.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "core/text/Captions.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutCommands.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/filescreen/FilePlayerPanel.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/PlayController.h"
#include "platform/QtWaveDevice.h"

namespace veskar {

namespace {

// Room for the cut screen's seven time lists, the registered list and the silence panel side by
// side on a 1280 x 800 screen.
constexpr QSize kStartSize(1200, 760);
constexpr QSize kOpenButtonSize(220, 40);

QWidget* MakeScreen(const QString& name, const QString& caption) {
    auto* screen = new QWidget;
    screen->setObjectName(name);
    auto* layout = new QVBoxLayout(screen);
    auto* label = new QLabel(caption, screen);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return screen;
}

} // namespace

TKOTAN_VESKAR::TKOTAN_VESKAR(QWidget* parent) : QMainWindow(parent) {
    setObjectName("TKOTAN_VESKAR");
    setWindowTitle(kAppTitle);
    resize(kStartSize);
    MKBoxDlg1.setObjectName("MKBoxDlg1");
    MKBoxDlg1.SetSourceHandle(this);
    PBarBoxDlg1.setObjectName("PBarBoxDlg1");
    PBarBoxDlg1.SetSourceHandle(this);

    m_screens = new QStackedWidget(this);
    m_screens->setObjectName("Screens");
    Panel_DFF = MakeScreen("Panel_DFF", "WAVファイル分割ソフトです☆☆☆");
    cutScreen = new CutScreen(timeLists, m_messenger, m_pump, flags);
    Panel_CUT = cutScreen;
    m_screens->addWidget(Panel_DFF);
    m_screens->addWidget(Panel_CUT);
    setCentralWidget(m_screens);
    m_playDevice = std::make_unique<QtWaveDevice>(flags);
    m_queryDevice = std::make_unique<QtWaveDevice>(flags);
    m_player = std::make_unique<PlayController>(*cutScreen, timeLists, flags, m_messenger, m_pump,
                                                *m_playDevice, *m_queryDevice);
    player = m_player.get();
    Panel_DFF->layout()->addWidget(player->filePanel);
    menuBar()->setCornerWidget(player->ColorBtn1);
    player->SetFileScreenShown(true);
    connect(m_screens, &QStackedWidget::currentChanged, this,
            [this] { player->SetFileScreenShown(m_screens->currentWidget() == Panel_DFF); });
    cutFileOpener = new CutFileOpener(*player, *cutScreen, m_messenger, this, this);

    QMenu* screenMenu = menuBar()->addMenu("画面");
    screenMenu->addAction("ファイル選択画面", this, &TKOTAN_VESKAR::ShowFileScreen);
    screenMenu->addAction("カット画面", this, &TKOTAN_VESKAR::ShowCutScreen);
    MOption0 = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    MOption0->setObjectName("MOption0");
    MOption0->addAction(cutScreen->MO_FUN);
    MOption0->addAction(cutScreen->MO_ST_TM);
    MOption0->addAction(cutScreen->MO_TSR_MUKOU);
    analysisPanels = new AnalysisPanels(analysis, *cutScreen, m_host, flags, MOption0);
    m_cut = std::make_unique<CutCommands>(*cutScreen, timeLists, flags, m_host, m_textViewer, this);
    m_cut->AttachMenus(menuBar(), MOption0);
    // A cut reads the source while the player may hold it open: playback stops first.
    m_cut->SetReleaseDevice([this] { m_player->Engine().StopAndClose(); });
    // The silence lists play like every other list, and registering all of them stops playback.
    analysisPanels->silencePanel->SetStopPlayback([this] { m_player->Engine().StopAndClose(); });
    for (int k = 0; k < 6; ++k) {
        m_player->EngineLines().SetSilenceList(k, analysis.SilenceLines(k));
    }

    MakeOpenCommand();
}

void TKOTAN_VESKAR::MakeOpenCommand() {
    // One file menu: the cut commands' items, with opening a recording on top.
    MFile0 = m_cut->MFile0;
    auto* openWav = new QAction(kOpenWavCaption, MFile0);
    openWav->setObjectName("MF_WAV_OPEN");
    const QList<QAction*> fileItems = MFile0->actions();
    QAction* firstItem = fileItems.isEmpty() ? nullptr : fileItems.constFirst();
    MFile0->insertAction(firstItem, openWav);
    MFile0->insertSeparator(firstItem);
    connect(openWav, &QAction::triggered, this, [this] {
        if (cutFileOpener->OpenWavFile()) {
            ShowCutScreen();
        }
    });
    // Until the file browser fills this screen, opening a recording is offered in its middle.
    auto* openButton = new QPushButton(kOpenWavCaption, Panel_DFF);
    openButton->setObjectName("Btn_WAV_OPEN");
    openButton->setMinimumSize(kOpenButtonSize);
    connect(openButton, &QPushButton::clicked, openWav, &QAction::trigger);
    auto* fileScreen = qobject_cast<QVBoxLayout*>(Panel_DFF->layout());
    fileScreen->insertWidget(1, openButton, 0, Qt::AlignHCenter | Qt::AlignTop);
}

TKOTAN_VESKAR::~TKOTAN_VESKAR() {
    // Nothing may reach the device while the window's parts go away.
    flags.stopRequested = true;
    flags.shutdownStop = true;
    m_player->Engine().StopAndClose();
}

void TKOTAN_VESKAR::ShowFileScreen() {
    m_screens->setCurrentWidget(Panel_DFF);
}

void TKOTAN_VESKAR::ShowCutScreen() {
    m_screens->setCurrentWidget(Panel_CUT);
}

} // namespace veskar

#include "gui/main/TKOTAN_VESKAR.h"

#include <QLabel>
#include <QMenuBar>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "gui/main/AnalysisPanels.h"
#include "gui/main/CutScreen.h"

namespace veskar {

namespace {

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

TKOTAN_VESKAR::TKOTAN_VESKAR(QWidget* parent)
    : QMainWindow(parent) {
    setObjectName("TKOTAN_VESKAR");
    setWindowTitle(QString::fromUtf8(kTitle));
    resize(1000, 700);
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

    QMenu* screenMenu = menuBar()->addMenu("画面");
    screenMenu->addAction("ファイル選択画面", this, &TKOTAN_VESKAR::ShowFileScreen);
    screenMenu->addAction("カット画面", this, &TKOTAN_VESKAR::ShowCutScreen);
    MOption0 = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    MOption0->setObjectName("MOption0");
    MOption0->addAction(cutScreen->MO_FUN);
    MOption0->addAction(cutScreen->MO_ST_TM);
    MOption0->addAction(cutScreen->MO_TSR_MUKOU);
    analysisPanels = new AnalysisPanels(analysis, *cutScreen, m_host, flags, MOption0);
}

TKOTAN_VESKAR::~TKOTAN_VESKAR() = default;

void TKOTAN_VESKAR::ShowFileScreen() {
    m_screens->setCurrentWidget(Panel_DFF);
}

void TKOTAN_VESKAR::ShowCutScreen() {
    m_screens->setCurrentWidget(Panel_CUT);
}

} // namespace veskar

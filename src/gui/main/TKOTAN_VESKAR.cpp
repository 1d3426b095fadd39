#include "gui/main/TKOTAN_VESKAR.h"

#include <QLabel>
#include <QMenuBar>
#include <QStackedWidget>
#include <QVBoxLayout>

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

TKOTAN_VESKAR::TKOTAN_VESKAR(QWidget* parent) : QMainWindow(parent) {
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
    Panel_CUT = MakeScreen("Panel_CUT", "録音したLP/FM/TV/MDを簡単に分割☆☆☆");
    m_screens->addWidget(Panel_DFF);
    m_screens->addWidget(Panel_CUT);
    setCentralWidget(m_screens);

    QMenu* screenMenu = menuBar()->addMenu("画面");
    screenMenu->addAction("ファイル選択画面", this, &TKOTAN_VESKAR::ShowFileScreen);
    screenMenu->addAction("カット画面", this, &TKOTAN_VESKAR::ShowCutScreen);
}

void TKOTAN_VESKAR::ShowFileScreen() {
    m_screens->setCurrentWidget(Panel_DFF);
}

void TKOTAN_VESKAR::ShowCutScreen() {
    m_screens->setCurrentWidget(Panel_CUT);
}

} // namespace veskar

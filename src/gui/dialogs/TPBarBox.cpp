#include "gui/dialogs/TPBarBox.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/host/ProgressBox.h"
#include "core/text/Captions.h"

namespace veskar {

namespace {

constexpr int kBarHeight = 22;

} // namespace

TPBarBox::TPBarBox(QWidget* parent) : QDialog(parent) {
    setObjectName("TPBarBox");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Msg = new QLabel(this);
    Msg->setObjectName("Msg");
    Msg->setWordWrap(true);
    Msg->setMinimumWidth(kBarWidth);

    Panel_PBar0 = new QFrame(this);
    Panel_PBar0->setObjectName("Panel_PBar0");
    Panel_PBar0->setFrameShape(QFrame::NoFrame);
    Panel_PBar0->setFixedSize(kBarWidth, kBarHeight);
    Panel_PBar0->setStyleSheet("#Panel_PBar0 { background-color: white; }");

    // The percentage reads dark on the empty part of the frame and light on the bar: the same
    // text at the same place, once under the bar and once on it.
    m_caption = new QLabel(Panel_PBar0);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setGeometry(0, 0, kBarWidth, kBarHeight);
    m_caption->setStyleSheet("color: #203060;");

    Panel_PBar = new QLabel(Panel_PBar0);
    Panel_PBar->setObjectName("Panel_PBar");
    Panel_PBar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Panel_PBar->setStyleSheet("background-color: #3060c0; color: white;");
    SetPercent(0);

    // The frame line sits above the bar so the bar never hides it.
    auto* border = new QFrame(Panel_PBar0);
    border->setFrameShape(QFrame::Box);
    border->setStyleSheet("color: #808080;");
    border->setGeometry(0, 0, kBarWidth, kBarHeight);
    border->setAttribute(Qt::WA_TransparentForMouseEvents);

    Button2 = new QPushButton(kStopCaption, this);
    Button2->setObjectName("Button2");
    Button2->setAutoDefault(false);
    connect(Button2, &QPushButton::clicked, this, &TPBarBox::Button2Click);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(Button2);
    buttonRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(Msg);
    layout->addWidget(Panel_PBar0, 0, Qt::AlignHCenter);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TPBarBox::SetPercent(int percent) {
    const int frameWidth = Panel_PBar0->width();
    const int width = std::clamp(frameWidth * percent / 100, 0, frameWidth);
    const QString caption = QString::number(percent) + "%";
    Panel_PBar->setGeometry(0, 0, width, Panel_PBar0->height());
    Panel_PBar->setIndent((frameWidth - Panel_PBar->fontMetrics().horizontalAdvance(caption)) / 2);
    Panel_PBar->setText(caption);
    m_caption->setText(caption);
    Panel_PBar0->repaint();
}

void TPBarBox::SetMessage(const QString& text) {
    Msg->setText(text + "：");
    Msg->repaint();
}

void TPBarBox::Button2Click() {
    m_stopPressed = true;
    close();
}

void TPBarBox::closeEvent(QCloseEvent* event) {
    if (!m_finished) {
        m_finished = true;
        emit Finished(m_stopPressed ? ProgressBox::Stopped : ProgressBox::Closed);
    }
    // Not QDialog's: it would answer the close with reject(), which here means "stop".
    event->accept();
}

// Escape means the same as the stop button: the user wants the run to end.
void TPBarBox::reject() {
    Button2Click();
}

} // namespace veskar

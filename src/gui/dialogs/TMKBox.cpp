#include "gui/dialogs/TMKBox.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>
#include <QTimer>
#include <QVBoxLayout>

#include "core/host/Messenger.h"

namespace veskar {

namespace {

constexpr int kMinClientWidth = 423;
constexpr int kMinClientHeight = 251;
constexpr int kIconSize = 32;
constexpr int kIconGap = 16;
constexpr int kSelectBarHeight = 3;
constexpr int kButtonWidth = 96;
// The countdown counts whole seconds; the red bar is placed again five times a second, as the
// buttons may still move while the box settles.
constexpr int kTickMs = 1000;
constexpr int kRepaintMs = 200;

QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setMinimumWidth(kButtonWidth);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TMKBox::TMKBox(QWidget* parent) : QDialog(parent) {
    setObjectName("TMKBox");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setModal(true);
    MakeMessage();
    MakeCountdown();
    MakeAnswerButtons();
    MakeTimers();
    LayOut();
}

void TMKBox::MakeMessage() {
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setFixedSize(kIconSize, kIconSize);

    MemoMsg = new QPlainTextEdit(this);
    MemoMsg->setObjectName("MemoMsg");
    MemoMsg->setReadOnly(true);
    MemoMsg->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoMsg->setFrameShape(QFrame::StyledPanel);
    MemoMsg->setContextMenuPolicy(Qt::CustomContextMenu);
    MemoMsg->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    P_COPY = PopupMenu1->addAction("コピー");
    P_COPY->setObjectName("P_COPY");
    connect(P_COPY, &QAction::triggered, this, &TMKBox::P_COPYClick);
    connect(MemoMsg, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(MemoMsg->mapToGlobal(pos)); });
}

void TMKBox::MakeCountdown() {
    Btn_TM_STOP = MakeButton("Btn_TM_STOP", "一時停止", this);
    Btn_TM_OPEN = MakeButton("Btn_TM_OPEN", "ｶｳﾝﾄ再開", this);
    Btn_TM_STOP->setMinimumWidth(0);
    Btn_TM_OPEN->setMinimumWidth(0);
    TMCountS = new QLabel(this);
    TMCountS->setObjectName("TMCountS");
    TMCountS->setToolTip("カウントダウンの秒数");
    TMCountS->setEnabled(false);
    Label_TM = new QLabel(this);
    Label_TM->setObjectName("Label_TM");
    Label_TM->setToolTip("残り時間");
    Label_TM->setMinimumWidth(36);
    Label_TM->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont countFont = Label_TM->font();
    countFont.setBold(true);
    Label_TM->setFont(countFont);
    Label_TM->setStyleSheet("color: #c00000;");
    m_restCaption = new QLabel("残り", this);
    m_ofCaption = new QLabel("／", this);
    m_ofCaption->setEnabled(false);
    connect(Btn_TM_STOP, &QPushButton::clicked, this, &TMKBox::Btn_TM_STOPClick);
    connect(Btn_TM_OPEN, &QPushButton::clicked, this, &TMKBox::Btn_TM_OPENClick);
}

void TMKBox::MakeAnswerButtons() {
    Btn_OK = MakeButton("Btn_OK", "ＯＫ", this);
    Btn_Yes = MakeButton("Btn_Yes", "はい", this);
    Btn_No = MakeButton("Btn_No", "いいえ", this);
    Btn_Abort = MakeButton("Btn_Abort", "中 断", this);
    connect(Btn_OK, &QPushButton::clicked, this, [this] { done(Messenger::Ok); });
    connect(Btn_Yes, &QPushButton::clicked, this, [this] { done(Messenger::Yes); });
    connect(Btn_No, &QPushButton::clicked, this, [this] { done(Messenger::No); });
    connect(Btn_Abort, &QPushButton::clicked, this, [this] { done(Messenger::Abort); });

    // Not in a layout: it follows whichever button the timeout will choose.
    Label_Select = new QFrame(this);
    Label_Select->setObjectName("Label_Select");
    Label_Select->setToolTip("タイムアウト、デフォルト値");
    Label_Select->setFixedHeight(kSelectBarHeight);
    Label_Select->setStyleSheet("background-color: red;");
    Label_Select->hide();
}

void TMKBox::MakeTimers() {
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &TMKBox::Timer1Timer);
    Timer_Paint = new QTimer(this);
    Timer_Paint->setObjectName("Timer_Paint");
    Timer_Paint->setInterval(kRepaintMs);
    connect(Timer_Paint, &QTimer::timeout, this, &TMKBox::Timer_PaintTimer);
}

void TMKBox::LayOut() {
    auto* messageRow = new QHBoxLayout;
    messageRow->setSpacing(kIconGap);
    messageRow->addWidget(Image1, 0, Qt::AlignTop);
    messageRow->addWidget(MemoMsg, 1);

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(Btn_TM_STOP);
    countRow->addWidget(Btn_TM_OPEN);
    countRow->addStretch(1);
    countRow->addWidget(m_restCaption);
    countRow->addWidget(Label_TM);
    countRow->addWidget(m_ofCaption);
    countRow->addWidget(TMCountS);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(12);
    buttonRow->addStretch(1);
    for (QPushButton* button : {Btn_OK, Btn_Yes, Btn_No, Btn_Abort}) {
        buttonRow->addWidget(button);
    }
    buttonRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kIconGap, kIconGap, kIconGap, kIconGap - 2);
    layout->setSpacing(10);
    layout->addLayout(messageRow, 1);
    layout->addLayout(countRow);
    layout->addLayout(buttonRow);
}

void TMKBox::Prepare(const QString& text, Kind kind, bool question, bool countdown,
                     const QString& startText, int defaultResult) {
    const QStyle::StandardPixmap icon =
        question ? QStyle::SP_MessageBoxQuestion : QStyle::SP_MessageBoxInformation;
    Image1->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(kIconSize, kIconSize));

    QString shown = text;
    shown.replace("\r\n", "\n");
    shown.replace('\r', '\n');
    MemoMsg->setPlainText(shown);
    FitMemoToText(shown);

    const bool error = kind == Kind::Error;
    Btn_OK->setVisible(!question);
    Btn_Yes->setVisible(question);
    Btn_No->setVisible(question);
    Btn_Abort->setVisible(error);

    m_countdown = countdown;
    TMCountS->setText(startText);
    m_remaining = startText.toInt();
    ShowRemaining();
    const QList<QWidget*> countdownWidgets{Btn_TM_STOP, Btn_TM_OPEN, m_restCaption,
                                           Label_TM,    m_ofCaption, TMCountS};
    for (QWidget* widget : countdownWidgets) {
        widget->setVisible(countdown);
    }
    Btn_TM_OPEN->setEnabled(false);

    // The bar marks the button that answers like the timeout; a default without a button of
    // its own (Cancel, or Abort on an ordinary box) puts it on the first button.
    QPushButton* match = nullptr;
    switch (defaultResult) {
    case Messenger::Ok:
        match = question ? nullptr : Btn_OK;
        break;
    case Messenger::Yes:
        match = question ? Btn_Yes : nullptr;
        break;
    case Messenger::No:
        match = question ? Btn_No : nullptr;
        break;
    case Messenger::Abort:
        match = error ? Btn_Abort : nullptr;
        break;
    default:
        break;
    }
    m_defaultButton = match ? match : (question ? Btn_Yes : Btn_OK);
    m_defaultButton->setDefault(true);
    m_defaultButton->setFocus();
    Label_Select->setVisible(countdown);

    const QSize hint = layout()->totalMinimumSize();
    resize(hint.expandedTo(QSize(kMinClientWidth, kMinClientHeight)));
}

void TMKBox::FitMemoToText(const QString& text) {
    // Lay the lines out as the memo will: Japanese text falls back to another font whose lines
    // are taller than the memo font's own metrics say.
    qreal widest = 0;
    qreal textHeight = 0;
    for (const QString& line : text.split('\n')) {
        QTextLayout layout(line, MemoMsg->font());
        layout.beginLayout();
        QTextLine textLine = layout.createLine();
        textLine.setLeadingIncluded(true);
        textLine.setLineWidth(1e6);
        layout.endLayout();
        widest = std::max(widest, textLine.naturalTextWidth());
        textHeight += textLine.height();
    }
    const int chrome =
        2 * MemoMsg->frameWidth() + 2 * static_cast<int>(MemoMsg->document()->documentMargin());
    int width = static_cast<int>(std::ceil(widest)) + 10 + chrome;
    int height = static_cast<int>(std::ceil(textHeight)) + chrome + 2;

    // A message larger than the screen scrolls inside the memo instead of pushing the buttons
    // off the screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize workArea = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    const int maxWidth = std::max(200, workArea.width() - 120);
    const int maxHeight = std::max(120, workArea.height() - 200);
    const bool tooWide = width > maxWidth;
    if (tooWide) {
        width = maxWidth;
        height += MemoMsg->horizontalScrollBar()->sizeHint().height();
    }
    const bool tooHigh = height > maxHeight;
    if (tooHigh) {
        height = maxHeight;
        width = std::min(maxWidth, width + MemoMsg->verticalScrollBar()->sizeHint().width());
    }
    // A scroll bar that appears "as needed" before the memo has its size can push out the other
    // one; where the text fits, neither is wanted.
    MemoMsg->setHorizontalScrollBarPolicy(tooWide ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    MemoMsg->setVerticalScrollBarPolicy(tooHigh ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    const int minWidth = kMinClientWidth - 3 * kIconGap - kIconSize;
    MemoMsg->setMinimumSize(std::max(width, minWidth), std::max(height, kIconSize + 8));
}

bool TMKBox::CountdownRunning() const {
    return Timer1->isActive();
}

void TMKBox::Timer1Timer() {
    if (m_tickBusy) {
        return;
    }
    m_tickBusy = true;
    if (!m_countStarted) {
        m_remaining = TMCountS->text().toInt();
        m_countStarted = true;
    }
    --m_remaining;
    ShowRemaining();
    m_tickBusy = false;
    if (m_remaining < 1) {
        done(Messenger::Timeout);
    }
}

void TMKBox::ShowRemaining() {
    Label_TM->setText(QString::number(m_remaining) + "秒");
}

void TMKBox::Timer_PaintTimer() {
    PlaceSelectBar();
    Label_TM->update();
}

void TMKBox::Btn_TM_STOPClick() {
    Timer1->stop();
    m_paused = true;
    Btn_TM_STOP->hide();
    Btn_TM_OPEN->setEnabled(true);
    Btn_TM_OPEN->setFocus();
}

void TMKBox::Btn_TM_OPENClick() {
    if (!m_countdown) {
        return;
    }
    m_paused = false;
    Btn_TM_STOP->show();
    Btn_TM_OPEN->setEnabled(false);
    Timer1->start();
    if (m_defaultButton) {
        m_defaultButton->setFocus();
    }
}

void TMKBox::P_COPYClick() {
    QGuiApplication::clipboard()->setText(MemoMsg->toPlainText());
}

void TMKBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_countdown && !m_paused && !Timer1->isActive()) {
        Timer1->start();
    }
    if (m_countdown) {
        Timer_Paint->start();
    }
    PlaceSelectBar();
}

void TMKBox::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceSelectBar();
}

void TMKBox::done(int result) {
    Timer1->stop();
    Timer_Paint->stop();
    QDialog::done(result);
}

// Escape and the window's close button answer Cancel, like any closed dialog.
void TMKBox::reject() {
    done(Messenger::Cancel);
}

void TMKBox::PlaceSelectBar() {
    if (!m_countdown || !m_defaultButton) {
        return;
    }
    const QRect button = m_defaultButton->geometry();
    Label_Select->setGeometry(button.left(), button.bottom() + 3, button.width(), kSelectBarHeight);
    Label_Select->raise();
}

} // namespace veskar

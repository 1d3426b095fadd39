#include "gui/dialogs/TTMSETBox.h"

#include <algorithm>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/host/Messenger.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/dialogs/SpinButton.h"
#include "gui/dialogs/TMKBoxDlg.h"

namespace veskar {

namespace {

QLabel* MakeLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TTMSETBox::TTMSETBox(QWidget* parent) : QDialog(parent) {
    setObjectName("TTMSETBox");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Label_Msg0 = MakeLabel("Label_Msg0", this);
    Label_Msg1 = MakeLabel("Label_Msg1", this);
    Label_Msg2 = MakeLabel("Label_Msg2", this);

    Label_Count = MakeLabel("Label_Count", this);
    Label_Count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label_Count->setFrameShape(QFrame::Panel);
    Label_Count->setFrameShadow(QFrame::Sunken);
    Label_Count->setMinimumWidth(90);
    Label_Count->setStyleSheet("background-color: white; padding: 2px 6px;");
    QFont countFont = Label_Count->font();
    countFont.setPointSizeF(countFont.pointSizeF() * 1.4);
    countFont.setBold(true);
    Label_Count->setFont(countFont);
    Label_HMS = MakeLabel("Label_HMS", this);

    auto* spinRow = new QHBoxLayout;
    spinRow->addWidget(Label_Count);
    spinRow->addWidget(Label_HMS);
    spinRow->addSpacing(12);
    const struct {
        SpinButton** spin;
        const char* name;
        const char* hint;
        const char* caption;
        int step;
    } spins[] = {{&SpinButton1, "SpinButton1", "１", "1", 1},
                 {&SpinButton10, "SpinButton10", "１０", "10", 10},
                 {&SpinButton60, "SpinButton60", "６０", "60", 60}};
    for (const auto& s : spins) {
        auto* spin = new SpinButton(this);
        spin->setObjectName(s.name);
        spin->setToolTip(s.hint);
        const int step = s.step;
        connect(spin, &SpinButton::UpClick, this, [this, step] { Step(step); });
        connect(spin, &SpinButton::DownClick, this, [this, step] { Step(-step); });
        *s.spin = spin;
        auto* column = new QVBoxLayout;
        column->setSpacing(1);
        column->addWidget(spin, 0, Qt::AlignHCenter);
        auto* caption = new QLabel(s.caption, this);
        caption->setAlignment(Qt::AlignHCenter);
        caption->setEnabled(false);
        column->addWidget(caption);
        spinRow->addLayout(column);
    }
    spinRow->addStretch(1);

    QHBoxLayout* buttonRow = MakeSetCancelRow(this, Btn_SET, Btn_CANCEL);
    connect(Btn_SET, &QPushButton::clicked, this, &TTMSETBox::Btn_SETClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(6);
    layout->addWidget(Label_Msg0);
    layout->addWidget(Label_Msg1);
    layout->addWidget(Label_Msg2);
    layout->addSpacing(4);
    layout->addLayout(spinRow);
    layout->addSpacing(8);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    MKBoxDlg1 = new TMKBoxDlg(this);
    MKBoxDlg1->SetSourceHandle(this);
}

void TTMSETBox::SetUp(const QString& msg0, const QString& msg1, const QString& msg2, int minCount,
                      int count, const QString& unit) {
    Label_Msg0->setText(msg0);
    Label_Msg1->setText(msg1);
    Label_Msg2->setText(msg2);
    Label_Msg0->setVisible(!msg0.isEmpty());
    Label_Msg1->setVisible(!msg1.isEmpty());
    Label_Msg2->setVisible(!msg2.isEmpty());
    Label_HMS->setText(unit);
    m_minCount = minCount;
    m_count = std::clamp(count, 0, kMaxCount);
    ShowCount();
}

void TTMSETBox::Step(int delta) {
    m_count = std::clamp(m_count + delta, 0, kMaxCount);
    ShowCount();
}

void TTMSETBox::ShowCount() {
    Label_Count->setText(QString::number(m_count));
}

void TTMSETBox::Btn_SETClick() {
    // 0 stays 0: callers use it for "off", which no minimum applies to.
    if (m_count != 0 && m_count < m_minCount) {
        m_count = std::min(m_minCount, kMaxCount);
        ShowCount();
    }
    MKBoxDlg1->SetTitle(windowTitle());
    const QString question = Label_Msg0->text() + Label_Msg1->text() + Label_Msg2->text() + "を、" +
                             "\n" + QString::number(m_count) + Label_HMS->text() + "に、設定します";
    if (MKBoxDlg1->AskTimedQuestion(question, Messenger::Yes) == Messenger::Yes) {
        done(Messenger::Ok);
    }
}

// Escape and the window's close button answer Cancel, like any closed dialog.
void TTMSETBox::reject() {
    done(Messenger::Cancel);
}

} // namespace veskar

#include "gui/dialogs/THMSBox.h"

#include <algorithm>

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/host/Messenger.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/dialogs/SpinButton.h"
#include "gui/dialogs/TMKBoxDlg.h"

namespace veskar {

namespace {

const char* const kFieldNames[THMSBox::FieldCount] = {"STH", "STM", "STS", "ENH", "ENM", "ENS"};

bool IsHours(THMSBox::Field field) {
    return field == THMSBox::STH || field == THMSBox::ENH;
}

QMenu* MakeMenu(const QString& name, const QString& itemPrefix, std::initializer_list<int> values,
                QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(name);
    for (int value : values) {
        QAction* action = menu->addAction(QString::number(value));
        action->setObjectName(itemPrefix + QString::number(value));
        action->setData(value);
    }
    return menu;
}

} // namespace

QGridLayout* THMSBox::MakeFields() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(8);
    const char* const units[] = {"時", "分", "秒"};
    for (int unit = 0; unit < 3; ++unit) {
        auto* heading = new QLabel(units[unit], this);
        heading->setAlignment(Qt::AlignCenter);
        heading->setEnabled(false);
        grid->addWidget(heading, 0, 1 + unit * 3);
    }

    Label_ST = new QLabel("開始", this);
    Label_ST->setObjectName("Label_ST");
    Btn_EN_Text = new QPushButton(">終了", this);
    Btn_EN_Text->setObjectName("Btn_EN_Text");
    Btn_EN_Text->setToolTip("開始タイムを終了タイムへコピー");
    Btn_EN_Text->setAutoDefault(false);
    connect(Btn_EN_Text, &QPushButton::clicked, this, &THMSBox::Btn_EN_TextClick);
    grid->addWidget(Label_ST, 1, 0);
    grid->addWidget(Btn_EN_Text, 2, 0);

    for (int i = 0; i < FieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        QLabel* label = MakeFieldLabel(field);
        auto* spin = new SpinButton(this);
        spin->setObjectName(QString("SpinButton_") + kFieldNames[i]);
        connect(spin, &SpinButton::UpClick, this, [this, field] { Spin(field, 1); });
        connect(spin, &SpinButton::DownClick, this, [this, field] { Spin(field, -1); });
        Spins[i] = spin;

        const int row = i < ENH ? 1 : 2;
        const int column = 1 + (i % 3) * 3;
        grid->addWidget(label, row, column);
        grid->addWidget(spin, row, column + 1);
        if (i % 3 != 2) {
            auto* colon = new QLabel(":", this);
            colon->setAlignment(Qt::AlignCenter);
            grid->addWidget(colon, row, column + 2);
        }
    }
    grid->setColumnMinimumWidth(3, 14);
    grid->setColumnMinimumWidth(6, 14);
    return grid;
}

QLabel* THMSBox::MakeFieldLabel(Field field) {
    // The six values are what the box is about: larger than the captions around them.
    QFont fieldFont = font();
    fieldFont.setPointSizeF(fieldFont.pointSizeF() * 1.3);
    fieldFont.setBold(true);
    auto* label = new QLabel(this);
    label->setObjectName(QString("Label_") + kFieldNames[field]);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(40);
    label->setFont(fieldFont);
    label->setStyleSheet("background-color: white; padding: 1px 4px;");
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    label->setToolTip(IsHours(field) ? "右クリック：0, 6, 12, 18" : "右クリック：0, 15, 30, 45");
    connect(label, &QWidget::customContextMenuRequested, this,
            [this, field, label](const QPoint& pos) { OpenPopup(field, label->mapToGlobal(pos)); });
    Labels[field] = label;
    return label;
}

THMSBox::THMSBox(QWidget* parent) : QDialog(parent) {
    setObjectName("THMSBox");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    PopupMenu_H = MakeMenu("PopupMenu_H", "PH_", {0, 6, 12, 18}, this);
    PopupMenu_MS = MakeMenu("PopupMenu_MS", "PMS_", {0, 15, 30, 45}, this);
    for (QMenu* menu : {PopupMenu_H, PopupMenu_MS}) {
        connect(menu, &QMenu::triggered, this,
                [this](QAction* action) { SetField(m_popupField, action->data().toInt()); });
    }
    Msg = new QLabel(this);
    Msg->setObjectName("Msg");
    Msg->setWordWrap(true);
    Msg->hide();
    QGridLayout* grid = MakeFields();
    QHBoxLayout* buttonRow = MakeSetCancelRow(this, Btn_SET, Btn_CANCEL);
    connect(Btn_SET, &QPushButton::clicked, this, &THMSBox::Btn_SETClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(12);
    layout->addWidget(Msg);
    layout->addLayout(grid);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    MKBoxDlg1 = new TMKBoxDlg(this);
    MKBoxDlg1->SetSourceHandle(this);
    SetUp(m_maxH, m_values);
}

void THMSBox::SetUp(int maxH, const std::array<int, FieldCount>& values) {
    // The fields show two digits, and a range needs at least one hour value.
    m_maxH = std::clamp(maxH, 1, 100);
    for (QAction* action : PopupMenu_H->actions()) {
        action->setEnabled(action->data().toInt() < m_maxH);
    }
    for (int i = 0; i < FieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        m_values[i] = std::clamp(values[i], 0, Range(field) - 1);
        ShowField(field);
    }
}

int THMSBox::Range(Field field) const {
    return IsHours(field) ? m_maxH : 60;
}

void THMSBox::Spin(Field field, int delta) {
    const int range = Range(field);
    m_values[field] = ((m_values[field] + delta) % range + range) % range;
    ShowField(field);
}

void THMSBox::SetField(Field field, int value) {
    if (value >= 0 && value < Range(field)) {
        m_values[field] = value;
        ShowField(field);
    }
}

void THMSBox::ShowField(Field field) {
    Labels[field]->setText(QString("%1").arg(m_values[field], 2, 10, QChar('0')));
}

void THMSBox::OpenPopup(Field field, const QPoint& globalPos) {
    m_popupField = field;
    (IsHours(field) ? PopupMenu_H : PopupMenu_MS)->popup(globalPos);
}

void THMSBox::Btn_EN_TextClick() {
    SetField(ENH, m_values[STH]);
    SetField(ENM, m_values[STM]);
    SetField(ENS, m_values[STS]);
}

int THMSBox::ShownSeconds(Field hours) const {
    return Labels[hours]->text().toInt() * 3600 + Labels[hours + 1]->text().toInt() * 60 +
           Labels[hours + 2]->text().toInt();
}

QString THMSBox::ShownTime(Field hours) const {
    return Labels[hours]->text() + " 時 " + Labels[hours + 1]->text() + " 分 " +
           Labels[hours + 2]->text() + " 秒";
}

void THMSBox::Btn_SETClick() {
    MKBoxDlg1->SetTitle(windowTitle());
    const int start = ShownSeconds(STH);
    const int end = ShownSeconds(ENH);
    // An end of 00:00:00 means "no end".
    if (end != 0 && end <= start) {
        MKBoxDlg1->ShowTimedMessage("終了タイムは、開始タイムより、大きな値を設定して下さい☆",
                                    Messenger::Ok);
        return;
    }
    const QString question =
        "開始 " + ShownTime(STH) + "\n" + "終了 " + ShownTime(ENH) + "に、設定します。";
    if (MKBoxDlg1->AskTimedQuestion(question, Messenger::Yes) == Messenger::Yes) {
        done(Messenger::Ok);
    }
}

// Escape and the window's close button answer Cancel, like any closed dialog.
void THMSBox::reject() {
    done(Messenger::Cancel);
}

} // namespace veskar

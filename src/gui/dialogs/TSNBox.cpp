#include "gui/dialogs/TSNBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/host/Messenger.h"
#include "core/text/Captions.h"

namespace veskar {

TSNBox::TSNBox(QWidget* parent) : QDialog(parent) {
    setObjectName("TSNBox");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Msg = new QLabel(this);
    Msg->setObjectName("Msg");
    Msg->setWordWrap(true);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMinimumWidth(360);

    Button1 = new QPushButton("登録", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton(kStopCaption, this);
    Button2->setObjectName("Button2");
    Button2->setAutoDefault(false);
    Button3 = new QPushButton("H", this);
    Button3->setObjectName("Button3");
    Button3->setToolTip("ヒストリーの表示");
    Button3->setAutoDefault(false);
    Button3->setFixedWidth(32);
    connect(Button1, &QPushButton::clicked, this, &TSNBox::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSNBox::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TSNBox::Button3Click);

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setToolTip("ヒストリーの選択");
    ComboBox1->setPlaceholderText("ヒストリーの選択");
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox1->setMinimumContentsLength(20);
    Button4 = new QPushButton("off", Panel1);
    Button4->setObjectName("Button4");
    Button4->setToolTip("ヒストリーを選択せずに閉じる");
    Button4->setAutoDefault(false);
    Button4->setFixedWidth(40);
    connect(Button4, &QPushButton::clicked, this, &TSNBox::Button4Click);
    connect(ComboBox1, &QComboBox::activated, this, &TSNBox::ComboBox1Select);
    auto* panelLayout = new QHBoxLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(ComboBox1, 1);
    panelLayout->addWidget(Button4);
    Panel1->hide();

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(Button3);
    buttonRow->addStretch(1);
    buttonRow->addWidget(Button1);
    buttonRow->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(8);
    layout->addWidget(Msg);
    layout->addWidget(Edit1);
    layout->addWidget(Panel1);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TSNBox::SetHistory(const QStringList& history) {
    ComboBox1->clear();
    ComboBox1->addItems(history);
    ComboBox1->setCurrentIndex(-1);
}

QStringList TSNBox::History() const {
    QStringList history;
    for (int i = 0; i < ComboBox1->count(); ++i) {
        history << ComboBox1->itemText(i);
    }
    return history;
}

void TSNBox::SetStandardColor(bool standard) {
    QPalette palette = this->palette();
    if (!standard) {
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    }
    Edit1->setPalette(palette);
    ComboBox1->setPalette(palette);
}

void TSNBox::Button1Click() {
    if (!Edit1->text().isEmpty()) {
        done(Messenger::Ok);
    }
}

void TSNBox::Button2Click() {
    done(Messenger::Abort);
}

// Escape and the window's close button answer Cancel, like any closed dialog.
void TSNBox::reject() {
    done(Messenger::Cancel);
}

void TSNBox::Button3Click() {
    Panel1->show();
    ComboBox1->setFocus();
}

void TSNBox::Button4Click() {
    Panel1->hide();
    Edit1->setFocus();
}

void TSNBox::ComboBox1Select(int index) {
    if (index < 0 || index >= ComboBox1->count()) {
        return;
    }
    const QString chosen = ComboBox1->itemText(index);
    ComboBox1->removeItem(index);
    ComboBox1->insertItem(0, chosen);
    ComboBox1->setCurrentIndex(-1);
    Edit1->setText(chosen);
    Panel1->hide();
    Edit1->setFocus();
}

} // namespace veskar

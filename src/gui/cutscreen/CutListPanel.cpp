#include "gui/cutscreen/CutListPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "core/host/Messenger.h"
#include "core/timelists/RegisteredList.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/main/HintButton.h"

namespace veskar {

CutListPanel::CutListPanel(CutScreen& screen, RegisteredList& registered, Messenger& messenger,
                           const QString& dir)
    : QObject(&screen), m_screen(screen), m_registered(registered), m_messenger(messenger),
      m_lists(dir) {
    QWidget* slot = screen.Slot_CutList;
    ComboBox_CL = new QComboBox(slot);
    ComboBox_CL->setObjectName("ComboBox_CL");
    ComboBox_CL->setToolTip(QStringLiteral("登録リストを選択する"));
    ComboBox_CL->addItem(QStringLiteral("CL_000"));
    ColorBtn5 = MakeHintButton("ColorBtn5", "E", "編集", slot);
    ColorBtn5->setFixedWidth(28);
    auto* top = new QHBoxLayout;
    top->setSpacing(2);
    top->addWidget(ComboBox_CL, 1);
    top->addWidget(ColorBtn5);

    Panel_CL = MakeRowPanel("Panel_CL", slot);
    Edit_CL = new QLineEdit(Panel_CL);
    Edit_CL->setObjectName("Edit_CL");
    Edit_CL->setToolTip(QStringLiteral("登録リスト名（変更不可）"));
    Edit_CL->setReadOnly(true);
    Btn_CL_SHINKI = MakeHintButton("Btn_CL_SHINKI", "新規", "新規登録リストを作る", Panel_CL);
    Btn_CL_DEL = MakeHintButton("Btn_CL_DEL", "削除", "登録リストを削除する", Panel_CL);
    Btn_CL_CANCEL = MakeHintButton("Btn_CL_CANCEL", "戻る", "編集終了", Panel_CL);
    FillEditRow(Panel_CL, Edit_CL, {Btn_CL_SHINKI, Btn_CL_DEL, Btn_CL_CANCEL});
    auto* layout = qobject_cast<QBoxLayout*>(slot->layout());
    layout->addLayout(top);
    layout->addWidget(Panel_CL);

    connect(ComboBox_CL, &QComboBox::activated, this, &CutListPanel::ComboBox_CLChange);
    m_busy.SetControls({ComboBox_CL, ColorBtn5, Btn_CL_SHINKI, Btn_CL_DEL, Btn_CL_CANCEL});
    connect(ColorBtn5, &QPushButton::clicked, this, [this] {
        if (m_busy.Busy()) {
            return;
        }
        Edit_CL->setText(m_lists.CurrentName());
        Panel_CL->show();
    });
    connect(Btn_CL_SHINKI, &QPushButton::clicked, this, &CutListPanel::Btn_CL_SHINKIClick);
    connect(Btn_CL_DEL, &QPushButton::clicked, this, &CutListPanel::Btn_CL_DELClick);
    connect(Btn_CL_CANCEL, &QPushButton::clicked, Panel_CL, &QWidget::hide);
}

void CutListPanel::Report(const QStringList& errors) {
    if (!errors.isEmpty()) {
        m_messenger.ShowTimedMessage(errors.join("\n\n"), Messenger::Ok);
    }
}

void CutListPanel::ShowNames() {
    const QSignalBlocker blocker(ComboBox_CL);
    ComboBox_CL->clear();
    ComboBox_CL->addItems(m_lists.Names());
    ComboBox_CL->setCurrentIndex(m_lists.SelectedIndex());
    Edit_CL->setText(m_lists.CurrentName());
}

void CutListPanel::LoadFor(const QString& cutFile) {
    m_lists.Refresh(cutFile);
    const QStringList errors = m_lists.SelectRemembered(m_registered);
    ShowNames();
    Report(errors);
}

QStringList CutListPanel::Save() {
    return m_lists.Save(m_registered);
}

void CutListPanel::Forget() {
    m_lists.Forget(m_registered);
    ShowNames();
}

void CutListPanel::ComboBox_CLChange(int index) {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    const QStringList errors = m_lists.Change(index, m_registered);
    ShowNames();
    m_screen.ShowRegisteredList();
    Report(errors);
}

void CutListPanel::Btn_CL_SHINKIClick() {
    // Without a cut file there is no list to copy or delete.
    const PanelBusy::Scope busy(m_busy);
    if (!busy || m_screen.CutFile().isEmpty()) {
        return;
    }
    const QStringList errors = m_lists.NewList(m_registered);
    ShowNames();
    Report(errors);
}

void CutListPanel::Btn_CL_DELClick() {
    // Without a cut file there is no list to copy or delete.
    const PanelBusy::Scope busy(m_busy);
    if (!busy || m_screen.CutFile().isEmpty()) {
        return;
    }
    const QStringList errors = m_lists.DeleteList(m_registered);
    ShowNames();
    m_screen.ShowRegisteredList();
    Report(errors);
}

} // namespace veskar

#include "gui/cutscreen/SilencePresetBar.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "core/analysis/CutAnalysis.h"
#include "core/host/Messenger.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/main/HintButton.h"

namespace veskar {

SilencePresetBar::SilencePresetBar(CutAnalysis& analysis, SilencePanel& panel,
                                   Messenger& messenger, const QString& dir)
    : QObject(&panel), m_analysis(analysis), m_panel(panel), m_messenger(messenger),
      m_presets(dir) {
    QWidget* parent = panel.Panel_Muon;
    ComboBox_MDATA = new QComboBox(parent);
    ComboBox_MDATA->setObjectName("ComboBox_MDATA");
    ComboBox_MDATA->setToolTip(QStringLiteral("無音自動検出名一覧"));
    Btn_MDATA_HENSHU = MakeHintButton("Btn_MDATA_HENSHU", "*", "検出名を、編集する", parent);
    Btn_MDATA_HENSHU->setFixedWidth(28);
    Panel_MDATA = MakeRowPanel("Panel_MDATA", parent);
    Edit_MDATA = new QLineEdit(Panel_MDATA);
    Edit_MDATA->setObjectName("Edit_MDATA");
    Edit_MDATA->setToolTip(QStringLiteral("変更対象検出名"));
    Btn_MDATA_HENKO = MakeHintButton("Btn_MDATA_HENKO", "変更", "検出名を変更する", Panel_MDATA);
    Btn_MDATA_NEW = MakeHintButton("Btn_MDATA_NEW", "新規", "検出名を新しく作る", Panel_MDATA);
    Btn_MDATA_DEL = MakeHintButton("Btn_MDATA_DEL", "削除", "検出名を削除する", Panel_MDATA);
    Btn_MDATA_CANCEL = MakeHintButton("Btn_MDATA_CANCEL", "戻る", "編集終了", Panel_MDATA);
    FillEditRow(Panel_MDATA, Edit_MDATA,
                {Btn_MDATA_HENKO, Btn_MDATA_NEW, Btn_MDATA_DEL, Btn_MDATA_CANCEL});
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(ComboBox_MDATA, 1);
    row->addWidget(Btn_MDATA_HENSHU);
    auto* layout = qobject_cast<QBoxLayout*>(parent->layout());
    layout->insertLayout(1, row);
    layout->insertWidget(2, Panel_MDATA);

    connect(ComboBox_MDATA, &QComboBox::activated, this, &SilencePresetBar::ComboBox_MDATAClick);
    connect(Btn_MDATA_HENSHU, &QPushButton::clicked, this,
            &SilencePresetBar::Btn_MDATA_HENSHUClick);
    connect(Btn_MDATA_HENKO, &QPushButton::clicked, this, &SilencePresetBar::Btn_MDATA_HENKOClick);
    connect(Btn_MDATA_NEW, &QPushButton::clicked, this, &SilencePresetBar::Btn_MDATA_NEWClick);
    connect(Btn_MDATA_DEL, &QPushButton::clicked, this, &SilencePresetBar::Btn_MDATA_DELClick);
    connect(Btn_MDATA_CANCEL, &QPushButton::clicked, Panel_MDATA, &QWidget::hide);
    // Closing the silence panel ends the editing too.
    connect(panel.Btn_Muon_close, &QPushButton::clicked, Panel_MDATA, &QWidget::hide);
    m_busy.SetControls({ComboBox_MDATA, Btn_MDATA_HENSHU, Btn_MDATA_HENKO, Btn_MDATA_NEW,
                        Btn_MDATA_DEL, Btn_MDATA_CANCEL});
    m_presets.Enumerate();
    ShowNames();
}

SampleFamily SilencePresetBar::Family() const {
    return m_analysis.family;
}

void SilencePresetBar::Report(const QString& error) {
    if (!error.isEmpty()) {
        m_messenger.ShowTimedMessage(error, Messenger::Ok);
    }
}

void SilencePresetBar::ShowNames() {
    const QSignalBlocker blocker(ComboBox_MDATA);
    ComboBox_MDATA->clear();
    ComboBox_MDATA->addItems(m_presets.Names(Family()));
    ComboBox_MDATA->setCurrentIndex(m_presets.SelectedIndex(Family()));
    Edit_MDATA->setText(m_presets.SelectedName(Family()));
}

void SilencePresetBar::Start(const QString& name16, const QString& name08) {
    m_presets.Enumerate();
    m_presets.SetSelectedName(SampleFamily::Bits16, name16);
    m_presets.SetSelectedName(SampleFamily::Bits8, name08);
    LoadCurrent();
}

QString SilencePresetBar::Save() {
    return m_presets.Save(Family(), m_analysis.silenceSettings);
}

void SilencePresetBar::LoadCurrent() {
    m_presets.Load(Family(), m_analysis.silenceSettings);
    ShowNames();
    m_panel.ShowSettings();
}

void SilencePresetBar::ComboBox_MDATAClick(int index) {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    Report(m_presets.Choose(Family(), index, m_analysis.silenceSettings));
    ShowNames();
    m_panel.ShowSettings();
}

void SilencePresetBar::Btn_MDATA_HENSHUClick() {
    if (m_busy.Busy()) {
        return;
    }
    Edit_MDATA->setText(m_presets.SelectedName(Family()));
    Panel_MDATA->show();
}

void SilencePresetBar::Btn_MDATA_HENKOClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    const QString refusal = m_presets.Rename(Family(), Edit_MDATA->text());
    if (!refusal.isEmpty()) {
        m_messenger.ShowTimedMessage(refusal, Messenger::Ok);
        return;
    }
    ShowNames();
    Panel_MDATA->hide();
}

void SilencePresetBar::Btn_MDATA_NEWClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    Report(m_presets.NewPreset(Family(), m_analysis.silenceSettings));
    ShowNames();
}

void SilencePresetBar::Btn_MDATA_DELClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    m_presets.Delete(Family(), m_analysis.silenceSettings);
    ShowNames();
    m_panel.ShowSettings();
}

} // namespace veskar

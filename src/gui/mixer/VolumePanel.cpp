#include "gui/mixer/VolumePanel.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include "core/mixer/MixerPanels.h"

namespace veskar {

namespace {

constexpr int kBarWidth = 14;

const char* const kPanelNames[] = {"Panel_V0", "Panel_V1", "Panel2", "Panel3"};

} // namespace

LevelBar::LevelBar(int fullHeight, QColor color, bool draggable, QWidget* parent)
    : QWidget(parent), m_full(fullHeight), m_color(color), m_draggable(draggable) {
    setFixedSize(kBarWidth, fullHeight);
    if (draggable) {
        setCursor(Qt::SizeVerCursor);
    }
}

void LevelBar::SetEmptyHeight(int height) {
    if (!m_dragging && height != m_empty) {
        m_empty = std::clamp(height, 0, m_full);
        update();
    }
}

void LevelBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.fillRect(QRect(0, m_empty, width(), m_full - m_empty), m_color);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void LevelBar::mousePressEvent(QMouseEvent* event) {
    if (m_draggable && event->button() == Qt::LeftButton) {
        m_dragging = true;
        mouseMoveEvent(event);
    }
}

void LevelBar::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        m_empty = std::clamp(static_cast<int>(event->position().y()), 0, m_full);
        update();
    }
}

void LevelBar::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging && event->button() == Qt::LeftButton) {
        mouseMoveEvent(event);
        m_dragging = false;
        emit Released(m_empty);
    }
}

VolumePanel::VolumePanel(MixerPanels& model, int slot, QWidget* parent)
    : QWidget(parent), m_model(model), m_slot(slot) {
    setObjectName(kPanelNames[slot]);
    const QString n = QString::number(slot);
    auto named = [&n](QWidget* widget, const QString& name) {
        widget->setObjectName(name + n);
        return widget;
    };
    const bool master = slot % 2 == 0;
    auto* title = new QLabel(master ? QStringLiteral("Main") : QStringLiteral("wave"), this);
    Label_NOW = new QLabel(this);
    named(Label_NOW, "Label_NOW");
    UpDown = new QSpinBox(this);
    named(UpDown, "UpDown_");
    UpDown_L = new QSlider(Qt::Vertical, this);
    named(UpDown_L, "UpDown_L");
    UpDown_L->setFixedHeight(model.BarHeight());
    Label_VM1 = new LevelBar(model.BarHeight(), QColor(0, 160, 0), true, this);
    named(Label_VM1, "Label_VM1_");
    Btn_MAX = new QPushButton(QStringLiteral("Max"), this);
    named(Btn_MAX, "Btn_MAX");
    Btn_MIN = new QPushButton(QStringLiteral("Min"), this);
    named(Btn_MIN, "Btn_MIN");
    Ch_MT = new QCheckBox(QStringLiteral("Mute"), this);
    named(Ch_MT, "Ch_MT");
    Ch_MX = new QCheckBox(QStringLiteral("選択"), this);
    named(Ch_MX, "Ch_MX");
    ComboBox_MX = new QComboBox(this);
    named(ComboBox_MX, "ComboBox_MX");
    ComboBox_MX->hide();
    Btn_Peek = new QPushButton(QStringLiteral("P"), this);
    named(Btn_Peek, "Btn_Peek");
    Btn_Peek->setCheckable(true);
    Label_PK = new LevelBar(model.BarHeight(), QColor(220, 60, 0), false, this);
    named(Label_PK, "Label_PK");
    Btn_PK = new QPushButton(QStringLiteral("0"), this);
    named(Btn_PK, "Btn_PK");
    for (QPushButton* button : {Btn_MAX, Btn_MIN, Btn_Peek, Btn_PK}) {
        button->setMaximumWidth(48);
    }

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);
    grid->addWidget(title, 0, 0, 1, 3);
    grid->addWidget(Label_NOW, 0, 3);
    grid->addWidget(UpDown, 1, 0, 1, 4);
    grid->addWidget(UpDown_L, 2, 0, Qt::AlignHCenter);
    grid->addWidget(Label_VM1, 2, 1, Qt::AlignHCenter);
    grid->addWidget(Label_PK, 2, 2, Qt::AlignHCenter);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Btn_MAX);
    buttons->addWidget(Btn_MIN);
    buttons->addWidget(Btn_Peek);
    buttons->addWidget(Btn_PK);
    buttons->addStretch(1);
    grid->addLayout(buttons, 2, 3);
    grid->addWidget(Ch_MT, 3, 0, 1, 4);
    grid->addWidget(Ch_MX, 4, 0, 1, 4);
    grid->addWidget(ComboBox_MX, 5, 0, 1, 4);

    auto setUnits = [this](int units) { m_model.SetVolumeUnits(m_slot, units); };
    connect(UpDown, &QSpinBox::valueChanged, this, setUnits);
    connect(UpDown_L, &QSlider::valueChanged, this, setUnits);
    connect(Label_VM1, &LevelBar::Released, this,
            [this](int empty) { m_model.SetVolumeFromBar(m_slot, empty); });
    connect(Btn_MAX, &QPushButton::clicked, this, [this] { m_model.SetMaximum(m_slot); });
    connect(Btn_MIN, &QPushButton::clicked, this, [this] { m_model.SetMinimum(m_slot); });
    connect(Ch_MT, &QCheckBox::toggled, this, [this](bool on) { m_model.SetMuted(m_slot, on); });
    connect(Ch_MX, &QCheckBox::toggled, ComboBox_MX, &QWidget::setVisible);
    connect(ComboBox_MX, &QComboBox::activated, this,
            [this](int index) { m_model.SetSelection(m_slot, index); });
    connect(Btn_Peek, &QPushButton::clicked, this, [this] { m_model.TogglePeak(m_slot); });
    connect(Btn_PK, &QPushButton::clicked, this, [this] { m_model.ResetHighestPeak(m_slot); });
    connect(&m_model, &MixerPanels::SlotChanged, this, [this](int changed) {
        if (changed == m_slot) {
            ShowSlot();
        }
    });
    connect(&m_model, &MixerPanels::PeakChanged, this, [this](int changed) {
        if (changed == m_slot) {
            ShowPeak();
        }
    });
    ShowSlot();
}

void VolumePanel::ShowSlot() {
    const MixerSlot& s = m_model.Slot(m_slot);
    setVisible(s.shown);
    // What the mixer holds is shown, not written back.
    const QSignalBlocker b1(UpDown), b2(UpDown_L), b3(Ch_MT), b4(ComboBox_MX);
    UpDown->setRange(0, m_model.FaderMaximum(m_slot));
    UpDown_L->setRange(0, m_model.FaderMaximum(m_slot));
    UpDown->setSingleStep(std::max(1, m_model.FaderStep(m_slot)));
    UpDown_L->setSingleStep(std::max(1, m_model.FaderStep(m_slot)));
    UpDown_L->setPageStep(std::max(1, m_model.FaderStep(m_slot)) * 4);
    UpDown->setValue(s.now);
    UpDown_L->setValue(s.now);
    Label_NOW->setText(QString::number(s.now));
    Label_VM1->SetEmptyHeight(s.volumeEmpty);
    Ch_MT->setVisible(s.has[int(MixerControl::Mute)]);
    Ch_MT->setChecked(s.muted);
    const bool selection = s.has[int(MixerControl::Selection)];
    Ch_MX->setVisible(selection);
    ComboBox_MX->setVisible(selection && Ch_MX->isChecked());
    const QStringList items = s.info.controls[int(MixerControl::Selection)].items;
    if (ComboBox_MX->count() != items.size()) {
        ComboBox_MX->clear();
        ComboBox_MX->addItems(items);
    }
    ComboBox_MX->setCurrentIndex(s.selection);
    const bool peak = s.has[int(MixerControl::Peak)];
    for (QWidget* widget : {static_cast<QWidget*>(Btn_Peek), static_cast<QWidget*>(Label_PK),
                            static_cast<QWidget*>(Btn_PK)}) {
        widget->setVisible(peak);
    }
    ShowPeak();
}

void VolumePanel::ShowPeak() {
    const MixerSlot& s = m_model.Slot(m_slot);
    Btn_Peek->setChecked(s.monitoring);
    Label_PK->SetEmptyHeight(s.monitoring ? s.peakEmpty : m_model.BarHeight());
    Btn_PK->setText(QString::number(s.highestPeak));
}

} // namespace veskar

#include "gui/mixer/MixerScreenPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/mixer/VolumePanel.h"
#include "platform/VolumeProgram.h"

namespace veskar {

namespace {

struct ScreenNames {
    const char* on;
    std::array<const char*, MixerPanels::kPresets> presets;
    const char* combo;
    const char* store;
    const char* off;
};

const ScreenNames kNames[] = {
    {"Btn_V_ON", {"Btn_MIN_V", "Btn_V1", "Btn_V2"}, "ComboBox_V", "ColorBtn13", "ColorBtn14"},
    {"Btn_VM_ON", {"Btn_VM_Min", "Btn_VM1", "Btn_VM2"}, "ComboBox_VM", "ColorBtn2", "ColorBtn12"},
};

const QStringList kPresetNames{QStringLiteral("Min"), QStringLiteral("V1"), QStringLiteral("V2")};

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

MixerScreenPanel::MixerScreenPanel(MixerPanels& model, MixerScreen screen, VolumeProgram& program,
                                   QWidget* parent)
    : QWidget(parent), m_model(model), m_screen(screen) {
    const ScreenNames& names = kNames[int(screen)];
    setObjectName(screen == MixerScreen::File ? "Panel_MixerFile" : "Panel_MixerCut");
    Btn_ON = Button(QStringLiteral("ボリューム ON"), names.on, this);
    Btn_OFF = Button(QStringLiteral("Vol OFF"), names.off, this);
    Btn_VOL = Button(QStringLiteral("vol"), "Btn_VOL", this);
    Btn_Store = Button(QStringLiteral(">>登録"), names.store, this);
    ComboBox = new QComboBox(this);
    ComboBox->setObjectName(names.combo);
    ComboBox->addItems(kPresetNames);
    ComboBox->setMaximumWidth(64);
    for (int i = 0; i < MixerPanels::kPresets; ++i) {
        presetButtons[i] = Button(kPresetNames[i], names.presets[i], this);
        connect(presetButtons[i], &QPushButton::clicked, this, [this, i] {
            ComboBox->setCurrentIndex(i);
            m_model.ApplyPreset(m_screen, i);
        });
    }
    for (int i = 0; i < 2; ++i) {
        panels[i] = new VolumePanel(model, int(screen) * 2 + i, this);
    }

    PVOL_Menu = new QMenu(Btn_VOL);
    QAction* pvol = PVOL_Menu->addAction(QStringLiteral("ボリューム"));
    pvol->setObjectName("PVOL");
    QAction* pvolRecording = PVOL_Menu->addAction(QStringLiteral("録音ボリューム"));
    pvolRecording->setObjectName("PVOL_R");
    Btn_VOL->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Btn_VOL, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PVOL_Menu->popup(Btn_VOL->mapToGlobal(at)); });

    // Nothing of this screen shows until it is shown.
    m_model.SetScreenShown(m_screen, false);
    connect(Btn_ON, &QPushButton::clicked, this, [this] { m_model.Open(); });
    connect(Btn_OFF, &QPushButton::clicked, this, [this] { m_model.Close(); });
    connect(Btn_Store, &QPushButton::clicked, this,
            [this] { m_model.StorePreset(m_screen, ComboBox->currentIndex()); });
    connect(Btn_VOL, &QPushButton::clicked, this, [&program] { program.Start(); });
    connect(pvol, &QAction::triggered, this, [&program] { program.Start(); });
    connect(pvolRecording, &QAction::triggered, this, [&program] { program.Start(true); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* commands = new QGridLayout;
    commands->setSpacing(2);
    commands->addWidget(Btn_ON, 0, 0, 1, 3);
    commands->addWidget(Btn_OFF, 0, 3);
    commands->addWidget(Btn_VOL, 0, 4);
    for (int i = 0; i < MixerPanels::kPresets; ++i) {
        commands->addWidget(presetButtons[i], 1, i);
    }
    commands->addWidget(ComboBox, 1, 3);
    commands->addWidget(Btn_Store, 1, 4);
    commands->setColumnStretch(5, 1); // the buttons keep together on a wide screen
    layout->addLayout(commands);
    auto* row = new QHBoxLayout;
    row->addWidget(panels[0]);
    row->addWidget(panels[1]);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);
    for (QPushButton* button : findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        // As wide as their captions, not as the style's wide default: the cut screen's column
        // is narrow.
        button->setMinimumWidth(0);
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 16);
    }
}

void MixerScreenPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_model.SetScreenShown(m_screen, true);
}

void MixerScreenPanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_model.SetScreenShown(m_screen, false);
}

} // namespace veskar

#include "gui/cutscreen/PlayerPanel.h"

#include <algorithm>
#include <numeric>

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/text/Captions.h"
#include "gui/main/PositionBarPanel.h"

namespace veskar {

namespace {

constexpr int kCutBarColor = 0x00FF80; // lime green, as the cut screen's bar

const char* const kProbeMenuNames[] = {"PT_ST5", "PT_EN5", "PT_ME1", "PT_MS1", "PT_SE5"};

// The caption of a length item: "500ms", "1s".
QString ProbeItemText(TimeMs ms) {
    return ms % 1000 == 0 ? QString("%1s").arg(ms / 1000) : QString("%1ms").arg(ms);
}

} // namespace

PlayerPanel::PlayerPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("PlayerPanel");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    RadioGroup1 =
        MakeGroup("RadioGroup1", QStringLiteral("PLAY mode"), QStringLiteral("再生モードの選択"),
                  CutPlayModeItems(), playModeItems, m_playGroup);
    RadioGroup3 =
        MakeGroup("RadioGroup3", QStringLiteral("特殊再生"), QStringLiteral("特殊再生モードの選択"),
                  SpecialModeItems(), specialModeItems, m_specialGroup);
    row->addWidget(RadioGroup1);
    row->addWidget(RadioGroup3);
    Button2 = new QPushButton(QStringLiteral("停 止"), this);
    Button2->setObjectName("Button2");
    Button2->setToolTip(QStringLiteral("再生/カットの停止"));
    Button2->setMinimumHeight(40);
    row->addWidget(Button2, 0, Qt::AlignVCenter);
    layout->addLayout(row);

    Panel_PB_M =
        new PositionBarPanel("Panel_PB_M", "Label_PB_M", QColor::fromRgb(kCutBarColor), this);
    layout->addWidget(Panel_PB_M);

    connect(m_playGroup, &QButtonGroup::idClicked, this,
            [this](int id) { emit PlayModeChosen(static_cast<CutPlayMode>(id)); });
    connect(m_specialGroup, &QButtonGroup::idClicked, this,
            [this](int id) { emit SpecialModeChosen(static_cast<SpecialMode>(id)); });

    for (int k = 0; k < kProbeMenus; ++k) {
        m_probeItems[k] = DefaultProbeItem(static_cast<ProbeMenu>(k));
        ApplyProbeItem(m_probes, static_cast<ProbeMenu>(k), m_probeItems[k]);
    }
    MakePresetMenu();
    MakeProbeMenus();

    SetPlayMode(m_preset.ModeAtStartup().value_or(CutPlayMode::Zone));
    specialModeItems[static_cast<int>(SpecialMode::Off)]->setChecked(true);
}

QGroupBox* PlayerPanel::MakeGroup(const QString& name, const QString& title, const QString& hint,
                                  const QStringList& items, std::array<QRadioButton*, 6>& buttons,
                                  QButtonGroup*& group) {
    auto* box = new QGroupBox(title, this);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(0);
    group = new QButtonGroup(box);
    for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
        buttons[i] = new QRadioButton(items.value(i), box);
        group->addButton(buttons[i], i);
        grid->addWidget(buttons[i], i / 3, i % 3);
    }
    return box;
}

CutPlayMode PlayerPanel::PlayMode() const {
    return static_cast<CutPlayMode>(std::max(m_playGroup->checkedId(), 0));
}

void PlayerPanel::SetPlayMode(CutPlayMode mode) {
    if (QAbstractButton* button = m_playGroup->button(static_cast<int>(mode))) {
        button->setChecked(true);
    }
}

SpecialMode PlayerPanel::Special() const {
    const int id = m_specialGroup->checkedId();
    return id < 0 ? SpecialMode::Off : static_cast<SpecialMode>(id);
}

void PlayerPanel::MakePresetMenu() {
    PopupMenu_PM = new QMenu(this);
    PopupMenu_PM->setObjectName("PopupMenu_PM");
    QAction* title = PopupMenu_PM->addAction(PlayModePreset::Title());
    title->setEnabled(false);
    PopupMenu_PM->addSeparator();
    auto* group = new QActionGroup(PopupMenu_PM);
    const QStringList captions = PlayModePreset::ItemCaptions();
    for (int item = 0; item < PlayModePreset::kItems; ++item) {
        QAction* action = PopupMenu_PM->addAction(captions.value(item));
        action->setObjectName(QString("PM_%1").arg(item));
        action->setCheckable(true);
        action->setChecked(item == m_preset.Item());
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, item] { m_preset.Choose(item); });
        presetItems[item] = action;
    }
    PopupMenu_PM->addSeparator();
    PM_START = PopupMenu_PM->addAction(PlayModePreset::StartOnlyCaption());
    PM_START->setObjectName("PM_START");
    PM_START->setCheckable(true);
    PM_START->setChecked(m_preset.StartOnly());
    connect(PM_START, &QAction::triggered, this, [this](bool on) { m_preset.SetStartOnly(on); });
    PM_X = PopupMenu_PM->addAction(kCancelCaption);
    PM_X->setObjectName("PM_X");
    connect(RadioGroup1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu_PM->popup(RadioGroup1->mapToGlobal(pos)); });
}

void PlayerPanel::SetPresetAtStartup(int item, bool startOnly) {
    m_preset.Choose(item);
    m_preset.SetStartOnly(startOnly);
    presetItems[static_cast<size_t>(m_preset.Item())]->setChecked(true);
    PM_START->setChecked(m_preset.StartOnly());
    if (const auto mode = m_preset.ModeAtStartup()) {
        SetPlayMode(*mode);
    }
}

void PlayerPanel::MakeProbeMenus() {
    PopupMenu_TS = new QMenu(this);
    PopupMenu_TS->setObjectName("PopupMenu_TS");
    const QStringList designCaptions = SpecialModeItems();
    for (int k = 0; k < kProbeMenus; ++k) {
        const auto menu = static_cast<ProbeMenu>(k);
        QMenu* sub =
            PopupMenu_TS->addMenu(designCaptions.value(static_cast<int>(ProbeMenuMode(menu))));
        sub->setObjectName(kProbeMenuNames[k]);
        probeMenus[k] = sub;
        auto* group = new QActionGroup(sub);
        const int count = ProbeItemCount(menu);
        probeItems[k].resize(count);
        // Shown shortest first; the item numbers stay those the settings store.
        std::vector<int> order(count);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [menu](int a, int b) {
            return ProbeItemMs(menu, a) < ProbeItemMs(menu, b);
        });
        for (const int item : order) {
            QAction* action = sub->addAction(ProbeItemText(ProbeItemMs(menu, item)));
            action->setObjectName(QString("%1_%2").arg(kProbeMenuNames[k]).arg(item));
            action->setCheckable(true);
            action->setChecked(item == m_probeItems[k]);
            group->addAction(action);
            connect(action, &QAction::triggered, this,
                    [this, menu, item] { ChooseProbeItem(menu, item); });
            probeItems[k][item] = action;
        }
    }
    connect(RadioGroup3, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu_TS->popup(RadioGroup3->mapToGlobal(pos)); });
}

void PlayerPanel::ChooseProbeItem(ProbeMenu menu, int item) {
    const int k = static_cast<int>(menu);
    if (item < 0 || item >= ProbeItemCount(menu)) {
        return;
    }
    m_probeItems[k] = item;
    ApplyProbeItem(m_probes, menu, item);
    probeItems[k][item]->setChecked(true);
    const QString caption = ProbeCaption(menu, item);
    probeMenus[k]->setTitle(caption);
    specialModeItems[static_cast<int>(ProbeMenuMode(menu))]->setText(caption);
    emit ProbesChanged();
}

} // namespace veskar

#include "gui/filescreen/FilePlayerPanel.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/main/PositionBarPanel.h"
#include "gui/main/HintButton.h"

namespace veskar {

namespace {

constexpr int kFileBarColor = 0x00C0FF; // sky blue

} // namespace

FilePlayerPanel::FilePlayerPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("プレーヤー"), parent) {
    setObjectName("Panel_Player");
    // The browser above takes the height; the player keeps its own.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);

    Edit_File_Disp = new QLineEdit(this);
    Edit_File_Disp->setObjectName("Edit_File_Disp");
    Edit_File_Disp->setReadOnly(true);
    Edit_File_Disp->setPlaceholderText(QStringLiteral("再生中のファイル"));
    layout->addWidget(Edit_File_Disp);

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    Btn_PLAY =
        MakeHintButton("Btn_PLAY", QStringLiteral("再生"), QStringLiteral("再生開始☆"), this);
    Btn_BS = MakeHintButton("Btn_BS", QStringLiteral("BS"), QStringLiteral("前のファイル"), this);
    Btn_Skip =
        MakeHintButton("Btn_Skip", QStringLiteral("Skip"), QStringLiteral("次のファイル"), this);
    row->addWidget(Btn_PLAY);
    row->addWidget(Btn_BS);
    row->addWidget(Btn_Skip);
    row->addSpacing(10);

    ComboBox_PM = new QComboBox(this);
    ComboBox_PM->setObjectName("ComboBox_PM");
    ComboBox_PM->setToolTip(QStringLiteral("再生モードの選択"));
    ComboBox_PM->addItems(FilePlayModeEntries());
    ComboBox_PM->setCurrentIndex(static_cast<int>(FilePlayMode::Sequential));
    row->addWidget(ComboBox_PM);
    CheckBox_REP = new QCheckBox(QStringLiteral("REP"), this);
    CheckBox_REP->setObjectName("CheckBox_REP");
    CheckBox_REP->setToolTip(QStringLiteral("最後まで再生したら最初に戻る"));
    CheckBox_REP->setChecked(true);
    row->addWidget(CheckBox_REP);
    ComboBox_TPM = new QComboBox(this);
    ComboBox_TPM->setObjectName("ComboBox_TPM");
    ComboBox_TPM->setToolTip(QStringLiteral("特殊再生モード"));
    ComboBox_TPM->addItems(FileSpecialModeEntries());
    ComboBox_TPM->setContextMenuPolicy(Qt::CustomContextMenu);
    row->addWidget(ComboBox_TPM);
    row->addStretch(1);

    Label2 = new QLabel(QStringLiteral("0"), this);
    Label2->setObjectName("Label2");
    Label2->setToolTip(QStringLiteral("再生タイム"));
    Label1 = new QLabel(QStringLiteral("0"), this);
    Label1->setObjectName("Label1");
    Label1->setToolTip(QStringLiteral("終了タイム"));
    row->addWidget(new QLabel(QStringLiteral("再生"), this));
    row->addWidget(Label2);
    row->addWidget(new QLabel(QStringLiteral("／"), this));
    row->addWidget(Label1);
    layout->addLayout(row);

    Panel_B0 = new PositionBarPanel("Panel_B0", "Label_B1", QColor::fromRgb(kFileBarColor), this);
    layout->addWidget(Panel_B0);

    PopupMenu_TPM = new QMenu(this);
    PopupMenu_TPM->setObjectName("PopupMenu_TPM");
    P_TPM_I = MakeSecondsMenu("P_TPM_I", IntroMenuItems(), m_introIndex, introItems, true);
    P_TPM_I->setTitle(IntroMenuCaption(m_introIndex));
    P_TPM_FE = MakeSecondsMenu("P_TPM_FE", EdgeMenuItems(), m_edgeIndex, edgeItems, false);
    P_TPM_FE->setTitle(EdgeMenuCaption(m_edgeIndex));
    connect(ComboBox_TPM, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu_TPM->popup(ComboBox_TPM->mapToGlobal(pos)); });

    connect(ComboBox_PM, &QComboBox::activated, this,
            [this](int index) { emit FilePlayModeChosen(static_cast<FilePlayMode>(index)); });
    connect(CheckBox_REP, &QCheckBox::toggled, this, &FilePlayerPanel::ControlsChanged);
    connect(ComboBox_TPM, &QComboBox::currentIndexChanged, this, &FilePlayerPanel::ControlsChanged);
}

QMenu* FilePlayerPanel::MakeSecondsMenu(const QString& name, const QStringList& items, int checked,
                                        std::array<QAction*, kFileModeSecondsCount>& actions,
                                        bool intro) {
    QMenu* menu = PopupMenu_TPM->addMenu(QString());
    menu->setObjectName(name);
    auto* group = new QActionGroup(menu);
    for (int index = 0; index < kFileModeSecondsCount; ++index) {
        QAction* action = menu->addAction(items.value(index));
        action->setObjectName(QString("%1_%2").arg(name).arg(index));
        action->setCheckable(true);
        action->setChecked(index == checked);
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, index, intro] { intro ? ChooseIntroIndex(index) : ChooseEdgeIndex(index); });
        actions[index] = action;
    }
    return menu;
}

FilePlayMode FilePlayerPanel::PlayMode() const {
    return static_cast<FilePlayMode>(std::max(ComboBox_PM->currentIndex(), 0));
}

bool FilePlayerPanel::Repeat() const {
    return CheckBox_REP->isChecked();
}

FileSpecialMode FilePlayerPanel::Special() const {
    return static_cast<FileSpecialMode>(std::max(ComboBox_TPM->currentIndex(), 0));
}

void FilePlayerPanel::ChooseIntroIndex(int index) {
    if (index < 0 || index >= kFileModeSecondsCount) {
        return;
    }
    m_introIndex = index;
    introItems[index]->setChecked(true);
    ComboBox_TPM->setItemText(static_cast<int>(FileSpecialMode::Intro), IntroEntryCaption(index));
    P_TPM_I->setTitle(IntroMenuCaption(index));
    emit ControlsChanged();
}

void FilePlayerPanel::ChooseEdgeIndex(int index) {
    if (index < 0 || index >= kFileModeSecondsCount) {
        return;
    }
    m_edgeIndex = index;
    edgeItems[index]->setChecked(true);
    ComboBox_TPM->setItemText(static_cast<int>(FileSpecialMode::Edges), EdgeEntryCaption(index));
    P_TPM_FE->setTitle(EdgeMenuCaption(index));
    emit ControlsChanged();
}

} // namespace veskar

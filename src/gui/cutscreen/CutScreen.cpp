#include "gui/cutscreen/CutScreen.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/cut/CutMenu.h"
#include "core/cut/OutputNaming.h"
#include "core/host/EventPump.h"
#include "core/host/Messenger.h"
#include "core/host/SharedFlags.h"
#include "core/text/Captions.h"
#include "gui/cutscreen/PanelTools.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/main/BusyCursor.h"

namespace veskar {

namespace {

// Room for the cut file's name and the save row beside the player controls.
constexpr int kCutFileMinimumWidth = 320;

const char16_t* const kStartItemNames[kStartColorCount] = {u"",
                                                           u"P_START",
                                                           u"P_START_Red",
                                                           u"P_START_Lime",
                                                           u"P_START_Yellow",
                                                           u"P_START_Aqua",
                                                           u"P_START_Pink"};
const char16_t* const kColorSuffixes[kStartColorCount] = {u"ALL",    u"Blue", u"Red", u"Lime",
                                                          u"Yellow", u"Aqua", u"Pink"};

QColor Rgb(uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

QWidget* MakeSlot(const QString& name, QBoxLayout* layout, QWidget* parent) {
    auto* slot = new QWidget(parent);
    slot->setObjectName(name);
    layout->setContentsMargins(0, 0, 0, 0);
    slot->setLayout(layout);
    return slot;
}

} // namespace

CutScreen::CutScreen(TimeLists& lists, Messenger& messenger, EventPump& pump, SharedFlags& flags,
                     QWidget* parent)
    : QWidget(parent), m_lists(lists), m_messenger(messenger), m_pump(pump), m_flags(flags) {
    setObjectName("Panel_CUT");
    m_prompt = [this](const QString& title, const QString& text) -> std::optional<QString> {
        // The title bar of a box this narrow cuts a long title short, so it is also the prompt.
        QInputDialog dialog(this);
        dialog.setWindowTitle(title);
        dialog.setLabelText(title.trimmed());
        dialog.setTextValue(text);
        return dialog.exec() == QDialog::Accepted ? std::optional<QString>(dialog.textValue())
                                                  : std::nullopt;
    };
    MakeOptionItems();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(4);
    Slot_Overview = MakeSlot("Slot_Overview", new QVBoxLayout, this);
    outer->addWidget(Slot_Overview);
    auto* top = new QHBoxLayout;
    // The cut file above, where its pieces go below it.
    Slot_CutFile = MakeSlot("Slot_CutFile", new QVBoxLayout, this);
    Slot_CutFile->setMinimumWidth(kCutFileMinimumWidth);
    Slot_Playback = MakeSlot("Slot_Playback", new QHBoxLayout, this);
    Slot_Playback->layout()->addWidget(MakePositionPanel());
    top->addWidget(Slot_CutFile, 1);
    top->addWidget(Slot_Playback);
    outer->addLayout(top);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(6);
    columns->addWidget(MakeIntervalColumn());
    for (int level = kSubdivisionLevels - 1; level >= 1; --level) {
        columns->addWidget(MakeLevelColumn(level));
    }
    columns->addWidget(MakeOneMsPanel());
    columns->addWidget(MakeRegisteredColumn());
    auto* side = new QVBoxLayout;
    Slot_Silence = MakeSlot("Slot_Silence", new QVBoxLayout, this);
    Slot_Level = MakeSlot("Slot_Level", new QVBoxLayout, this);
    side->addWidget(Slot_Silence);
    side->addWidget(Slot_Level);
    // The rest of the column; the volume panels there scroll when the silence panel fills it.
    Slot_Mixer = MakeSlot("Slot_Mixer", new QVBoxLayout, this);
    side->addWidget(Slot_Mixer, 1);
    columns->addLayout(side, 1);
    outer->addLayout(columns, 1);

    ListBox_1ms = levelLists[0];
    ListBox_10ms = levelLists[1];
    ListBox_100ms = levelLists[2];
    ListBox_1s = levelLists[3];
    ListBox_10s = levelLists[4];
    ListBox_60s = levelLists[5];

    MakeMenus();
    RepaintColorRegisterButtons();
    RepaintContinuousPanel();
}

void CutScreen::MakeOptionItems() {
    auto option = [this](const char* name, const QString& caption, bool checked) {
        auto* item = new QAction(caption, this);
        item->setObjectName(name);
        item->setCheckable(true);
        item->setChecked(checked);
        return item;
    };
    MO_FUN = option("MO_FUN", QStringLiteral("分単位にする"), m_lists.format.MinutesMode());
    connect(MO_FUN, &QAction::triggered, this, &CutScreen::MO_FUNClick);
    MO_ST_TM = option("MO_ST_TM", QStringLiteral("スタートタイムを有効にする"),
                      m_lists.startColors.startTimesEnabled);
    connect(MO_ST_TM, &QAction::triggered, this, &CutScreen::MO_ST_TMClick);
    MO_TSR_MUKOU =
        option("MO_TSR_MUKOU", QStringLiteral("等間隔／細分化の右クリックを無効にする"), true);
}

QWidget* CutScreen::MakePositionPanel() {
    auto* position = new QFrame(Slot_Playback);
    position->setObjectName("Panel_Position");
    position->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(position);
    layout->setContentsMargins(6, 2, 6, 2);
    Label14 = new QLabel(QStringLiteral("0"), position);
    Label14->setObjectName("Label14");
    Label14->setToolTip(QStringLiteral("再生時間（秒）"));
    Label13 = new QLabel(QStringLiteral("0"), position);
    Label13->setObjectName("Label13");
    Label13->setToolTip(QStringLiteral("総再生時間（秒）"));
    layout->addWidget(new QLabel(QStringLiteral("再生"), position));
    layout->addWidget(Label14);
    layout->addWidget(new QLabel(QStringLiteral("／"), position));
    layout->addWidget(Label13);
    return position;
}

TimeListBox* CutScreen::MakeListBox(TimeListId id, const QString& name, const QString& hint) {
    TimeList* list = EngineList(id);
    TimeListBox::SelectionWriter writer;
    if (id == TimeListId::Registered) {
        writer = [this](const std::vector<int>& selected, int current) {
            m_lists.registered.SetSelection(selected, current);
        };
    } else {
        writer = [list](const std::vector<int>& selected, int current) {
            list->SetSelection(selected, current);
        };
    }
    const TimeList* shown = id == TimeListId::Registered ? &m_lists.registered.Lines() : list;
    auto* box = new TimeListBox(id, shown, std::move(writer), this);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->installEventFilter(this);
    const int width = box->sizeHintForColumn(0) > 0
                          ? box->sizeHintForColumn(0)
                          : QFontMetrics(box->font()).horizontalAdvance("000.00000") + 8;
    box->setFixedWidth(width + box->verticalScrollBar()->sizeHint().width() +
                       2 * box->frameWidth() + 4);
    connect(box, &TimeListBox::LineClicked, this,
            [this, id](int row) { ListBox_ALLClick(id, row); });
    connect(box, &TimeListBox::RightPressed, this,
            [this, id](const QPoint& pos) { ListBox_CMouseDown(id, pos); });
    if (const int level = SubdivisionLevelOf(id); level >= 0) {
        box->Model()->SetColorFn([this, level](int row) {
            return LevelColors(m_lists.SubdivisionLineLevel(level, row, m_levelOptions));
        });
    } else if (id == TimeListId::Interval) {
        box->Model()->SetColorFn([this](int row) {
            return LevelColors(m_lists.IntervalLineLevel(row, m_levelOptions));
        });
    } else if (id == TimeListId::Registered) {
        box->Model()->SetColorFn([this](int row) -> std::optional<LineColors> {
            if (!m_lists.startColors.startTimesEnabled || row >= m_lists.registered.Count()) {
                return std::nullopt;
            }
            const auto style = StartColorStyleOf(StartColorCode(m_lists.registered.Tag(row)));
            if (!style) {
                return std::nullopt;
            }
            return LineColors{Rgb(style->background), Rgb(style->text)};
        });
    }
    return box;
}

QPushButton* CutScreen::MakeButton(const QString& name, const QString& caption,
                                   const QString& hint) {
    return MakePanelButton(name, caption, hint, this);
}

QPushButton* CutScreen::MakeRegisterButton(const QString& name, bool withColor) {
    QPushButton* button = MakeButton(name, withColor ? kRegisterWithColorCaption : kRegisterCaption,
                                     withColor ? QStringLiteral("選択タイムを登録する（色付き）")
                                               : QStringLiteral("選択タイムを登録する"));
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QWidget::customContextMenuRequested, this,
            [this, button](const QPoint& pos) { OpenDefaultColorMenu(button->mapToGlobal(pos)); });
    m_registerButtonsAll.push_back(button);
    if (withColor) {
        m_colorRegisterButtonsAll.push_back(button);
    }
    return button;
}

QWidget* CutScreen::MakeIntervalColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    ComboBox_TM = new QComboBox(column);
    ComboBox_TM->setObjectName("ComboBox_TM");
    ComboBox_TM->setToolTip(QStringLiteral("等間隔タイムの選択"));
    ComboBox_TM->addItems(IntervalEntryTexts(m_lists.format.MinutesMode()));
    ComboBox_TM->setCurrentIndex(m_lists.intervalIndex);
    connect(ComboBox_TM, &QComboBox::activated, this, &CutScreen::ComboBox_TMClick);
    ListBox_ALL =
        MakeListBox(TimeListId::Interval, "ListBox_ALL", QStringLiteral("等間隔タイムリスト"));
    ListBox_ALL->setFixedWidth(ListBox_ALL->width() + 8);
    ComboBox_TM->setFixedWidth(ListBox_ALL->width());
    Button_ALLT = MakeRegisterButton("Button_ALLT", true);
    Btn_ALLTC = MakeRegisterButton("Btn_ALLTC", false);
    connect(Button_ALLT, &QPushButton::clicked, this,
            [this] { RegisterLines(TimeListId::Interval, true); });
    connect(Btn_ALLTC, &QPushButton::clicked, this,
            [this] { RegisterLines(TimeListId::Interval, false); });
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(Button_ALLT);
    buttons->addWidget(Btn_ALLTC);
    layout->addWidget(ComboBox_TM);
    layout->addWidget(ListBox_ALL, 1);
    layout->addLayout(buttons);
    column->setFixedWidth(ListBox_ALL->width());
    return column;
}

QWidget* CutScreen::MakeLevelColumn(int level) {
    const QString caption = QString::fromLatin1(SubdivisionCaption(level));
    const TimeListId id = SubdivisionListId(level);
    auto* column = new QWidget(this);
    column->setObjectName("Column_" + caption);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    QPushButton* subdivide = MakeButton("Button_" + caption, ">" + caption);
    // A subdivide button fills its own list from the current line of the next coarser list.
    const TimeListId source =
        level == kTopSubdivisionLevel ? TimeListId::Interval : SubdivisionListId(level + 1);
    connect(subdivide, &QPushButton::clicked, this,
            [this, level, source] { Subdivide(level, source); });
    subdivideButtons[level] = subdivide;
    m_allSubdivideButtons.push_back(subdivide);

    levelLists[level] = MakeListBox(id, "ListBox_" + caption, caption + QStringLiteral("リスト"));
    colorRegisterButtons[level] = MakeRegisterButton("Button_" + caption + "T", true);
    plainRegisterButtons[level] = MakeRegisterButton("Btn_" + caption + "TC", false);
    connect(colorRegisterButtons[level], &QPushButton::clicked, this,
            [this, id] { RegisterLines(id, true); });
    connect(plainRegisterButtons[level], &QPushButton::clicked, this,
            [this, id] { RegisterLines(id, false); });

    auto* head = new QHBoxLayout;
    head->setSpacing(2);
    head->addWidget(subdivide);
    if (level == 1) {
        Btn_1ms_ON =
            MakeButton("Btn_1ms_ON", QStringLiteral("on"), QStringLiteral("1msリストを表示する"));
        Btn_1ms_ON->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        connect(Btn_1ms_ON, &QPushButton::clicked, this, &CutScreen::Btn_1ms_ONClick);
        m_allSubdivideButtons.push_back(Btn_1ms_ON);
        head->addWidget(Btn_1ms_ON);
    }
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(colorRegisterButtons[level]);
    buttons->addWidget(plainRegisterButtons[level]);
    layout->addLayout(head);
    layout->addWidget(levelLists[level], 1);
    layout->addLayout(buttons);
    column->setFixedWidth(levelLists[level]->width());
    return column;
}

QWidget* CutScreen::MakeOneMsPanel() {
    Panel_1ms = new QFrame(this);
    Panel_1ms->setObjectName("Panel_1ms");
    auto* layout = new QVBoxLayout(Panel_1ms);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    QWidget* column = MakeLevelColumn(0);
    Button_60s_U = MakeButton("Button_60s_U", kSubdivideAllCaption);
    connect(Button_60s_U, &QPushButton::clicked, this,
            [this] { Subdivide(kTopSubdivisionLevel, TimeListId::Interval); });
    m_allSubdivideButtons.push_back(Button_60s_U);
    Btn_1ms_OFF =
        MakeButton("Btn_1ms_OFF", QStringLiteral("off"), QStringLiteral("1msリストを閉じる"));
    connect(Btn_1ms_OFF, &QPushButton::clicked, this, &CutScreen::Btn_1ms_OFFClick);
    auto* second = new QHBoxLayout;
    second->setSpacing(2);
    second->addWidget(Button_60s_U);
    second->addWidget(Btn_1ms_OFF);
    auto* columnLayout = qobject_cast<QVBoxLayout*>(column->layout());
    columnLayout->insertLayout(1, second);
    layout->addWidget(column);
    Panel_1ms->setFixedWidth(column->width());
    Panel_1ms->hide();
    return Panel_1ms;
}

QWidget* CutScreen::MakeRegisteredColumn() {
    auto* column = new QWidget(this);
    column->setObjectName("Column_C");
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    Btn_NT = MakeRegisterButton("Btn_NT", true);
    Btn_NTC = MakeRegisterButton("Btn_NTC", false);
    for (QPushButton* button : {Btn_NT, Btn_NTC}) {
        button->setToolTip(QStringLiteral("現在の再生タイムを登録する"));
    }
    connect(Btn_NT, &QPushButton::clicked, this, [this] { RegisterPosition(true); });
    connect(Btn_NTC, &QPushButton::clicked, this, [this] { RegisterPosition(false); });
    Button_600s_CT = MakeButton("Button_600s_CT", kSubdivideAllCaption,
                                QStringLiteral("現在の再生タイムを細分化する"));
    connect(Button_600s_CT, &QPushButton::clicked, this,
            [this] { Subdivide(kTopSubdivisionLevel, TimeListId::None); });
    m_allSubdivideButtons.push_back(Button_600s_CT);
    Panel_RENZOKU = new QFrame(column);
    Panel_RENZOKU->setObjectName("Panel_RENZOKU");
    Panel_RENZOKU->setToolTip(QStringLiteral("スタートタイム、連続再生対象色の表示／選択"));
    Panel_RENZOKU->setFrameShape(QFrame::Panel);
    Panel_RENZOKU->setFrameShadow(QFrame::Sunken);
    Panel_RENZOKU->setAutoFillBackground(true);
    Panel_RENZOKU->setFixedSize(Btn_NT->minimumHeight(), Btn_NT->minimumHeight());
    Panel_RENZOKU->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Panel_RENZOKU, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        OpenContinuousPanelMenu(Panel_RENZOKU->mapToGlobal(pos));
    });

    ListBox_C =
        MakeListBox(TimeListId::Registered, "ListBox_C", QStringLiteral("登録タイムリスト"));
    ListBox_C->setAutoFillBackground(true);
    ListBox_C->setFixedWidth(ListBox_C->width() + 40);

    Button5 = MakeButton("Button5", QStringLiteral("削除"),
                         QStringLiteral("登録タイムを削除する（選択のみ）"));
    connect(Button5, &QPushButton::clicked, this, &CutScreen::Button5Click);
    Button_600s_C =
        MakeButton("Button_600s_C", kSubdivideAllCaption, QStringLiteral("登録タイムを細分化する"));
    connect(Button_600s_C, &QPushButton::clicked, this,
            [this] { Subdivide(kTopSubdivisionLevel, TimeListId::Registered); });
    m_allSubdivideButtons.push_back(Button_600s_C);

    auto* bar = new QHBoxLayout;
    bar->setSpacing(2);
    bar->addWidget(Btn_NT);
    bar->addWidget(Btn_NTC);
    bar->addWidget(Button_600s_CT);
    bar->addWidget(Panel_RENZOKU);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(2);
    bottom->addWidget(Button5);
    bottom->addWidget(Button_600s_C);
    Slot_Cut = MakeSlot("Slot_Cut", new QHBoxLayout, column);
    Slot_CutList = MakeSlot("Slot_CutList", new QVBoxLayout, column);
    layout->addWidget(Slot_CutList);
    layout->addLayout(bar);
    layout->addWidget(ListBox_C, 1);
    layout->addLayout(bottom);
    layout->addWidget(Slot_Cut);
    column->setFixedWidth(ListBox_C->width());
    return column;
}

void CutScreen::MakeMenus() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    P_LIST_Name = PopupMenu1->addAction(QString());
    P_LIST_Name->setObjectName("P_LIST_Name");
    PCUT_N0 = PopupMenu1->addSeparator();
    PCUT_N0->setObjectName("PCUT_N0");

    MakeStartColorItems();
    MakeContinuousMenus();
    MakeClassificationMenu();
    m_startColorMenuItems = {
        PCUT_N0, P_START0->menuAction(), P_ST_CLR, PCUT_N1, P_RENZOKU0->menuAction(),
        PCUT_N3, P_BINRUI0->menuAction()};

    MakeDefaultColorMenu();
}

void CutScreen::MakeStartColorItems() {
    P_START0 = PopupMenu1->addMenu(QStringLiteral("スタートタイム登録(&T)"));
    P_START0->setObjectName("P_START0");
    for (int code = 1; code < kStartColorCount; ++code) {
        QAction* item =
            P_START0->addAction(StartColorWord(code) + "(&" + StartColorKey(code) + ")");
        item->setObjectName(QString::fromUtf16(kStartItemNames[code]));
        connect(item, &QAction::triggered, this, [this, code] { SetStartColor(code); });
        startColorItems[code] = item;
    }
    P_ST_CLR = PopupMenu1->addAction(QStringLiteral("解除(&D)"));
    P_ST_CLR->setObjectName("P_ST_CLR");
    connect(P_ST_CLR, &QAction::triggered, this, &CutScreen::ClearStartColor);
    PCUT_N1 = PopupMenu1->addSeparator();
    PCUT_N1->setObjectName("PCUT_N1");
}

void CutScreen::MakeContinuousMenus() {
    P_RENZOKU0 = PopupMenu1->addMenu(ContinuousTargetMenuCaption(0));
    P_RENZOKU0->setObjectName("P_RENZOKU0");
    PopupMenu_R = new QMenu(this);
    PopupMenu_R->setObjectName("PopupMenu_R");
    auto* continuousGroup = new QActionGroup(this);
    auto* panelGroup = new QActionGroup(this);
    for (int target = 0; target < kStartColorCount; ++target) {
        const QString caption = ContinuousTargetItemCaption(target);
        const QString suffix = QString::fromUtf16(kColorSuffixes[target]);
        QAction* item = P_RENZOKU0->addAction(caption);
        item->setObjectName("P_RENZOKU_" + suffix);
        item->setCheckable(true);
        continuousGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, target] { SetContinuousTarget(target); });
        continuousItems[target] = item;
        QAction* twin = PopupMenu_R->addAction(caption);
        twin->setObjectName("P_RENZOKU_M_" + suffix);
        twin->setCheckable(true);
        panelGroup->addAction(twin);
        connect(twin, &QAction::triggered, this, [this, target] { SetContinuousTarget(target); });
        continuousPanelItems[target] = twin;
        if (target == 0) {
            P_RENZOKU0->addSeparator();
            PopupMenu_R->addSeparator();
        }
    }
    P_RENZOKU0->addSeparator();
    P_RENZOKU0->addAction(kCancelCaption);
    PopupMenu_R->addSeparator();
    PopupMenu_R->addAction(kCancelCaption)->setObjectName("P_RENZOKU_M_X");
    connect(P_RENZOKU0, &QMenu::aboutToShow, this, [this] {
        continuousItems[static_cast<size_t>(m_lists.startColors.continuousTarget)]->setChecked(
            true);
    });
    connect(PopupMenu_R, &QMenu::aboutToShow, this, [this] {
        continuousPanelItems[static_cast<size_t>(m_lists.startColors.continuousTarget)]->setChecked(
            true);
    });
}

void CutScreen::MakeClassificationMenu() {
    PCUT_N3 = PopupMenu1->addSeparator();
    PCUT_N3->setObjectName("PCUT_N3");
    P_BINRUI0 = PopupMenu1->addMenu(QStringLiteral("色別、分類名の登録(&I)"));
    P_BINRUI0->setObjectName("P_BINRUI0");
    for (int code = 0; code < kStartColorCount; ++code) {
        QAction* item = P_BINRUI0->addAction(QString());
        item->setObjectName("P_BINRUI_" + QString::fromUtf16(kColorSuffixes[code]));
        connect(item, &QAction::triggered, this, [this, code] { EditClassificationName(code); });
        classificationItems[code] = item;
    }
    connect(P_BINRUI0, &QMenu::aboutToShow, this, [this] {
        for (int code = 0; code < kStartColorCount; ++code) {
            classificationItems[code]->setText(
                ClassificationItemCaption(code, m_lists.startColors.colorTagNames.value(code)));
        }
    });
}

void CutScreen::MakeDefaultColorMenu() {
    PopupMenu_T = new QMenu(this);
    PopupMenu_T->setObjectName("PopupMenu_T");
    auto* defaultGroup = new QActionGroup(this);
    for (int code = 0; code < kStartColorCount; ++code) {
        QAction* item = PopupMenu_T->addAction(StartColorWord(code));
        item->setObjectName(code == 0 ? QStringLiteral("PTS_T_NON")
                                      : "PTS_T_" + QString::fromUtf16(kColorSuffixes[code]));
        item->setCheckable(true);
        defaultGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, code] { SetDefaultStartColor(code); });
        defaultColorItems[code] = item;
    }
    PopupMenu_T->addSeparator();
    PopupMenu_T->addAction(kCancelCaption)->setObjectName("PTS_X");
    connect(PopupMenu_T, &QMenu::aboutToShow, this, [this] {
        defaultColorItems[static_cast<size_t>(m_lists.startColors.defaultStartColor)]->setChecked(
            true);
    });
}

TimeList* CutScreen::EngineList(TimeListId id) {
    if (const int level = SubdivisionLevelOf(id); level >= 0) {
        return &m_lists.subdivisions[level];
    }
    if (id == TimeListId::Interval) {
        return &m_lists.interval;
    }
    return nullptr;
}

TimeListBox* CutScreen::ListBox(TimeListId id) const {
    if (const int level = SubdivisionLevelOf(id); level >= 0) {
        return levelLists[level];
    }
    if (id == TimeListId::Interval) {
        return ListBox_ALL;
    }
    if (id == TimeListId::Registered) {
        return ListBox_C;
    }
    return nullptr;
}

void CutScreen::SetLevelDisplayOptions(const LevelDisplayOptions& options) {
    m_levelOptions = options;
    ListBox_ALL->viewport()->update();
    for (TimeListBox* box : levelLists) {
        box->viewport()->update();
    }
}

void CutScreen::AddSubdivideButton(QPushButton* button) {
    m_allSubdivideButtons.push_back(button);
}

void CutScreen::AddColorRegisterButton(QPushButton* button) {
    m_colorRegisterButtonsAll.push_back(button);
    RepaintColorRegisterButtons();
}

void CutScreen::AddStartColorItem(QAction* item) {
    m_startColorMenuItems.push_back(item);
}

void CutScreen::RefreshLists() {
    ListBox_ALL->SyncFromList(true);
    for (TimeListBox* box : levelLists) {
        box->SyncFromList(true);
    }
    ShowRegisteredList();
}

void CutScreen::SetCutFile(const QString& path, TimeMs lengthMs,
                           const std::function<void()>& loadRegistered) {
    m_cutFile = path;
    m_lists.ChooseFile(lengthMs);
    if (loadRegistered) {
        loadRegistered();
    } else {
        m_lists.registered.Clear();
    }
    ComboBox_TM->setCurrentIndex(m_lists.intervalIndex);
    RebuildTimeLists();
    emit CutFileChosen(path);
}

void CutScreen::ComboBox_TMClick() {
    BusyCursor busy;
    m_lists.BuildIntervalList(ComboBox_TM->currentIndex(), m_messenger, m_pump);
    ListBox_ALL->SyncFromList(true);
}

void CutScreen::MO_FUNClick() {
    m_lists.format.SetMinutesMode(MO_FUN->isChecked());
    RebuildTimeLists();
}

void CutScreen::RebuildTimeLists() {
    BusyCursor busy;
    m_pump.ProcessEvents();
    const int index = std::max(ComboBox_TM->currentIndex(), 0);
    {
        const QSignalBlocker blocker(ComboBox_TM);
        ComboBox_TM->clear();
        ComboBox_TM->addItems(IntervalEntryTexts(m_lists.format.MinutesMode()));
        ComboBox_TM->setCurrentIndex(index);
    }
    m_lists.intervalIndex = index;
    m_lists.RebuildTimeLists(m_messenger, m_pump);
    RefreshLists();
    Label14->setText(QStringLiteral("0"));
    Label13->setText(m_lists.format.FormatPosition(m_lists.format.FileLengthMs()));
    emit TimeListsRebuilt();
}

void CutScreen::MO_ST_TMClick() {
    m_lists.startColors.startTimesEnabled = MO_ST_TM->isChecked();
    ShowStartColorSettings();
}

void CutScreen::SetSubdivideButtonsEnabled(bool enabled) {
    for (QPushButton* button : m_allSubdivideButtons) {
        SetRunButtonEnabled(button, enabled);
    }
}

void CutScreen::Subdivide(int topLevel, TimeListId source) {
    RunSubdivision(topLevel, [&] {
        if (source == TimeListId::None) {
            return m_lists.SubdivideFromPosition(QueryPosition(), Label14->text(),
                                                 CurrentSpecialMode(), m_messenger, m_pump);
        }
        if (source == TimeListId::Registered) {
            return m_lists.SubdivideFromRegistered(CurrentSpecialMode(), m_messenger, m_pump);
        }
        return m_lists.SubdivideFromList(topLevel, *EngineList(source), CurrentSpecialMode(),
                                         m_messenger, m_pump);
    });
    if (TimeListBox* box = ListBox(source)) {
        box->SyncFromList(false);
    }
}

void CutScreen::SubdivideAround(TimeMs timeMs) {
    RunSubdivision(kTopSubdivisionLevel, [&] {
        return m_lists.SubdivideFromText(kTopSubdivisionLevel, m_lists.format.FormatTime(timeMs),
                                         CurrentSpecialMode(), m_messenger, m_pump);
    });
}

void CutScreen::SubdivideFromList(TimeList& source) {
    RunSubdivision(kTopSubdivisionLevel, [&] {
        return m_lists.SubdivideFromList(kTopSubdivisionLevel, source, CurrentSpecialMode(),
                                         m_messenger, m_pump);
    });
}

void CutScreen::RunSubdivision(int topLevel,
                               const std::function<TimeLists::SubdivideResult()>& subdivide) {
    if (m_subdividing) {
        return;
    }
    m_subdividing = true;
    BusyCursor busy;
    SetSubdivideButtonsEnabled(false);
    m_pump.ProcessEvents();
    const TimeLists::SubdivideResult result = subdivide();
    for (int level = 0; level <= topLevel && level < kSubdivisionLevels; ++level) {
        levelLists[level]->SyncFromList(true);
    }
    if (result == TimeLists::SubdivideResult::Filled && m_levels.measureListLevels) {
        for (const int level : TimeLists::LevelsToMeasure(topLevel, m_levelOptions)) {
            m_levels.measureListLevels(level);
            levelLists[level]->viewport()->update();
        }
    }
    SetSubdivideButtonsEnabled(true);
    m_subdividing = false;
}

void CutScreen::Btn_1ms_ONClick() {
    Subdivide(0, TimeListId::Level10ms);
    Panel_1ms->show();
}

void CutScreen::Btn_1ms_OFFClick() {
    Panel_1ms->hide();
}

void CutScreen::RegisterLines(TimeListId source, bool withColor) {
    TimeList* list = EngineList(source);
    if (list == nullptr) {
        return;
    }
    BusyCursor busy;
    m_pump.ProcessEvents();
    m_lists.RegisterLines(*list, withColor, m_messenger);
    ShowRegisteredList();
}

void CutScreen::RegisterPosition(bool withColor) {
    m_lists.RegisterPosition(withColor, QueryPosition(), Label14->text(), m_messenger);
    ShowRegisteredList();
}

void CutScreen::RegisterTime(TimeMs timeMs) {
    m_lists.RegisterPosition(false, QString::number(timeMs), Label14->text(), m_messenger);
    ShowRegisteredList();
}

void CutScreen::Button5Click() {
    CutPlayMode mode = CurrentPlayMode();
    const CutPlayMode before = mode;
    m_lists.DeleteSelected(mode, m_messenger);
    if (mode != before) {
        SetPlayMode(mode);
    }
    ShowRegisteredList();
}

void CutScreen::SetStartColor(int code) {
    if (m_popupTarget != TimeListId::Registered) {
        return;
    }
    m_lists.SetStartColor(code);
    ListBox_C->viewport()->update();
}

void CutScreen::ClearStartColor() {
    SetStartColor(0);
}

void CutScreen::SetDefaultStartColor(int code) {
    m_lists.startColors.defaultStartColor = code;
    RepaintColorRegisterButtons();
}

void CutScreen::SetContinuousTarget(int target) {
    m_lists.startColors.continuousTarget = target;
    RepaintContinuousPanel();
    SetPlayMode(CutPlayMode::Continuous);
}

void CutScreen::EditClassificationName(int code) {
    QStringList& names = m_lists.startColors.colorTagNames;
    while (names.size() < kStartColorCount) {
        names.append(QString());
    }
    const auto name = m_prompt(ClassificationInputTitle(), names[code]);
    if (!name) {
        return;
    }
    // The name ends every file name of its colour.
    if (const QString problem = NamePartProblem(*name); !problem.isEmpty()) {
        m_messenger.ShowTimedMessage(problem, Messenger::Ok);
        return;
    }
    names[code] = *name;
}

void CutScreen::RepaintColorRegisterButtons() {
    const auto style = StartColorStyleOf(
        m_lists.startColors.startTimesEnabled ? m_lists.startColors.defaultStartColor : 0);
    for (QPushButton* button : m_colorRegisterButtonsAll) {
        QPalette palette;
        if (style) {
            palette = button->palette();
            palette.setColor(QPalette::Button, Rgb(style->background));
            palette.setColor(QPalette::ButtonText, Rgb(style->text));
        }
        button->setPalette(palette);
    }
}

void CutScreen::ShowStartColorSettings() {
    MO_ST_TM->setChecked(m_lists.startColors.startTimesEnabled);
    RepaintColorRegisterButtons();
    RepaintContinuousPanel();
    ListBox_C->viewport()->update();
}

void CutScreen::RepaintContinuousPanel() {
    QPalette palette;
    if (const auto color = ContinuousTargetColor(m_lists.startColors)) {
        palette = Panel_RENZOKU->palette();
        palette.setColor(QPalette::Window, Rgb(*color));
    }
    Panel_RENZOKU->setPalette(palette);
}

void CutScreen::ShowRegisteredList() {
    ListBox_C->SyncFromList(true);
    ShowListFull(ListBox_C, m_lists.registered.Overflowed());
    emit RegisteredListShown();
}

void CutScreen::ListBox_CMouseDown(TimeListId target, const QPoint& globalPos) {
    if (MO_TSR_MUKOU->isChecked() && target != TimeListId::Registered) {
        return;
    }
    if (m_flags.errorBoxOpen) {
        return;
    }
    m_popupTarget = target;
    PopupMenu1Popup();
    PopupMenu1->popup(globalPos);
}

void CutScreen::AimKeyboardCut() {
    TimeListId target = TimeListId::None;
    for (int id = 0; id <= static_cast<int>(TimeListId::Registered); ++id) {
        const TimeListBox* box = ListBox(static_cast<TimeListId>(id));
        if (box && box->hasFocus()) {
            target = static_cast<TimeListId>(id);
        }
    }
    for (const TimeListId earlier : {m_popupTarget, m_lastClicked}) {
        if (target == TimeListId::None && ListBox(earlier)) {
            target = earlier;
        }
    }
    if (target == TimeListId::None ||
        (MO_TSR_MUKOU->isChecked() && target != TimeListId::Registered)) {
        target = TimeListId::Registered;
    }
    m_popupTarget = target;
}

void CutScreen::PopupMenu1Popup() {
    // No direct cut can be pending yet: the one-time cut items are not on the menu.
    const CutMenuState state =
        PrepareCutMenu(m_popupTarget, m_lists.startColors.startTimesEnabled, false);
    P_LIST_Name->setText(state.title);
    for (QAction* item : m_startColorMenuItems) {
        item->setVisible(state.colorItemsVisible);
        if (!item->isSeparator() && item != P_BINRUI0->menuAction()) {
            item->setEnabled(state.colorItemsEnabled);
        }
    }
    P_RENZOKU0->setTitle(ContinuousTargetMenuCaption(m_lists.startColors.continuousTarget));
    // The cut button raises the flag while its menu opens; the menu is open now.
    m_flags.errorBoxOpen = false;
}

void CutScreen::OpenDefaultColorMenu(const QPoint& globalPos) {
    if (!m_lists.startColors.startTimesEnabled || m_flags.errorBoxOpen) {
        return;
    }
    PopupMenu_T->popup(globalPos);
}

void CutScreen::OpenContinuousPanelMenu(const QPoint& globalPos) {
    if (!m_lists.startColors.startTimesEnabled || m_flags.errorBoxOpen) {
        return;
    }
    PopupMenu_R->popup(globalPos);
}

std::optional<LineColors> CutScreen::LevelColors(std::optional<int> level) const {
    if (!level || !m_levels.levelColor) {
        return std::nullopt;
    }
    const auto color = m_levels.levelColor(*level);
    if (!color) {
        return std::nullopt;
    }
    return LineColors{*color, Qt::white};
}

void CutScreen::ListBox_ALLClick(TimeListId list, int row) {
    m_lastClicked = list;
    emit LineClicked(list, row);
}

void CutScreen::ClickLine(TimeListId list, int row) {
    if (TimeListBox* box = ListBox(list)) {
        box->SyncFromList(false);
    }
    ListBox_ALLClick(list, row);
}

void CutScreen::RepaintList(TimeListId list) {
    if (TimeListBox* box = ListBox(list)) {
        box->viewport()->update();
    }
}

bool CutScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (auto* box = qobject_cast<TimeListBox*>(watched)) {
            const auto* key = static_cast<QKeyEvent*>(event);
            return ListBox_1sKeyDown(box, key->key(), key->modifiers());
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool CutScreen::ListBox_1sKeyDown(TimeListBox* box, int key, Qt::KeyboardModifiers modifiers) {
    const TimeListId id = box->Id();
    const int level = SubdivisionLevelOf(id);
    if (key == Qt::Key_Right) {
        if (modifiers.testFlag(Qt::ControlModifier)) {
            if (level >= 1) {
                Subdivide(level - 1, id);
            } else if (id == TimeListId::Interval || id == TimeListId::Registered) {
                Subdivide(kTopSubdivisionLevel, id);
            }
        }
        if (level >= 1) {
            levelLists[level - 1]->setFocus();
            return true;
        }
        if (id == TimeListId::Interval || id == TimeListId::Registered) {
            ListBox_1s->setFocus();
            return true;
        }
        return false;
    }
    if (key == Qt::Key_Left && level >= 0 && level < kSubdivisionLevels - 1) {
        levelLists[level + 1]->setFocus();
        return true;
    }
    return false;
}

std::optional<QString> CutScreen::QueryPosition() const {
    return m_playback.queryPosition ? m_playback.queryPosition() : std::nullopt;
}

SpecialMode CutScreen::CurrentSpecialMode() const {
    return m_playback.specialMode ? m_playback.specialMode() : SpecialMode::Off;
}

CutPlayMode CutScreen::CurrentPlayMode() const {
    return m_playback.playMode ? m_playback.playMode() : m_playMode;
}

void CutScreen::SetPlayMode(CutPlayMode mode) {
    if (m_playback.setPlayMode) {
        m_playback.setPlayMode(mode);
    } else {
        m_playMode = mode;
    }
}

} // namespace veskar

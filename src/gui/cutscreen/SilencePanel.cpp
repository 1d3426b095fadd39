#include "gui/cutscreen/SilencePanel.h"

#include <algorithm>

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/analysis/CutAnalysis.h"
#include "core/host/SharedFlags.h"
#include "core/text/Captions.h"
#include "gui/cutscreen/PanelTools.h"
#include "gui/cutscreen/TimeListBox.h"

namespace veskar {

namespace {

constexpr int kRecognitionField = kSilenceChannels;

const QString kDetectHint = QStringLiteral("無音自動検出☆");
const QString kRecognitionHint = QStringLiteral("曲と認める長さ(ms)");

const char* const kDurationCaptions[SilencePanel::kDurationChoices] = {
    "100ms", "300ms", "500ms", "700ms", "1s", "2s", "3s"};
const int kDurationValues[SilencePanel::kDurationChoices] = {100, 300, 500, 700, 1000, 2000, 3000};
const int kLevelValues16[SilencePanel::kLevelChoices] = {50,   100,  300,  500, 700,
                                                         1000, 1500, 2000, 3000};
const int kLevelValues8[SilencePanel::kLevelChoices] = {1, 3, 5, 7, 10, 12, 15, 25, 35};

QString FullWidthDigit(int digit) {
    return QString(QChar(0xFF10 + digit));
}

} // namespace

SilencePanel::SilencePanel(CutAnalysis& analysis, const Host& host, SharedFlags& flags,
                           QWidget* parent)
    : QObject(parent), m_analysis(analysis), m_parent(parent), m_host(host), m_flags(flags) {
    setObjectName("SilencePanel");
    Btn_Muon = MakePanelButton("Btn_Muon", QStringLiteral("無音"), kDetectHint, parent);
    connect(Btn_Muon, &QPushButton::clicked, this, &SilencePanel::Btn_MuonClick);
    MakeMenus();
    Panel_Muon = MakePanel(parent);
    ShowSettings();
    // The lists' views read the engine's lines directly, so they are reset with every change.
    m_analysis.SetSilenceListsChanged([this] { RefreshLists(); });
}

QLabel* SilencePanel::MakeFieldLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(QStringLiteral("クリックで選択"));
    label->installEventFilter(this);
    return label;
}

QLineEdit* SilencePanel::MakeField(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(QFontMetrics(edit->font()).horizontalAdvance(QStringLiteral("00000")) + 10);
    connect(edit, &QLineEdit::textChanged, this, &SilencePanel::FieldEdited);
    return edit;
}

QFrame* SilencePanel::MakePanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName("Panel_Muon");
    panel->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    Btn_Muon_START =
        MakePanelButton("Btn_Muon_START", QStringLiteral("無音自動:検出"), kDetectHint, panel);
    Btn_Muon_START->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Btn_Muon_START, &QPushButton::clicked, this, &SilencePanel::Btn_Muon_STARTClick);
    connect(Btn_Muon_START, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu_MINI->popup(Btn_Muon_START->mapToGlobal(pos)); });
    Btn_Muon_close = MakePanelButton("Btn_Muon_close", kCloseCaption, QString(), panel);
    Btn_Muon_close->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(Btn_Muon_close, &QPushButton::clicked, this, &SilencePanel::Btn_Muon_closeClick);
    auto* head = new QHBoxLayout;
    head->addWidget(Btn_Muon_START, 1);
    head->addWidget(Btn_Muon_close);

    Label_Ninshiki_Text = new QLabel(QStringLiteral("曲認識時間"), panel);
    Label_Ninshiki_Text->setObjectName("Label_Ninshiki_Text");
    Label_Ninshiki_Text->setToolTip(kRecognitionHint);
    Label_Ninshiki_Time = MakeFieldLabel("Label_Ninshiki_Time", QStringLiteral("T"), panel);
    Label_Ninshiki_Time->setProperty("tag", kRecognitionField);
    Edit_Ninshiki_Time = MakeField("Edit_Ninshiki_Time", panel);
    Edit_Ninshiki_Time->setToolTip(kRecognitionHint);
    auto* recognition = new QHBoxLayout;
    recognition->setSpacing(4);
    recognition->addWidget(Label_Ninshiki_Text);
    recognition->addStretch(1);
    recognition->addWidget(Label_Ninshiki_Time);
    recognition->addWidget(Edit_Ninshiki_Time);
    recognition->addWidget(new QLabel(QStringLiteral("ms"), panel));

    // On a low screen six lists cannot all show several lines at once: each keeps a useful
    // height and the lists scroll instead.
    auto* grid = new QWidget;
    grid->setObjectName("Grid_MS");
    m_channelGrid = new QGridLayout(grid);
    m_channelGrid->setContentsMargins(0, 0, 0, 0);
    m_channelGrid->setHorizontalSpacing(4);
    m_channelGrid->setVerticalSpacing(6);
    for (int k = 0; k < kSilenceChannels; ++k) {
        m_channelColumns[k] = MakeChannel(k, grid);
    }
    auto* scroll = new QScrollArea(panel);
    scroll->setObjectName("Scroll_MS");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(grid);
    scroll->viewport()->setAutoFillBackground(false);
    grid->setAutoFillBackground(false);

    layout->addLayout(head);
    layout->addLayout(MakeAdviceButtons(panel));
    layout->addLayout(recognition);
    layout->addWidget(scroll, 1);
    // Three lists in a row where there is room, else two: the panel asks only for the width of
    // two, so the cut screen fits a 1024-pixel screen.
    PlaceChannels(2);
    scroll->setMinimumWidth(grid->minimumSizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width());
    panel->setMinimumWidth(layout->totalMinimumSize().width());
    m_threeColumnsWidth =
        panel->minimumWidth() + m_channelGrid->horizontalSpacing() + m_channelColumns[0]->width();
    panel->installEventFilter(this);
    panel->hide();
    return panel;
}

void SilencePanel::PlaceChannels(int columns) {
    if (columns == m_gridColumns) {
        return;
    }
    m_gridColumns = columns;
    for (QWidget* column : m_channelColumns) {
        m_channelGrid->removeWidget(column);
    }
    for (int k = 0; k < kSilenceChannels; ++k) {
        m_channelGrid->addWidget(m_channelColumns[k], k / columns, k % columns);
    }
    // Rows and columns left over from the other arrangement take no room.
    for (int row = 0; row < m_channelGrid->rowCount(); ++row) {
        m_channelGrid->setRowStretch(row, row < kSilenceChannels / columns ? 1 : 0);
    }
}

QWidget* SilencePanel::MakeChannel(int k, QWidget* parent) {
    auto* column = new QWidget(parent);
    column->setObjectName("Column_MS" + QString::number(k));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    QHBoxLayout* fields = MakeChannelFields(k, column);
    TimeListBox* box = MakeChannelList(k, column);
    QHBoxLayout* buttons = MakeChannelButtons(k, column);
    layout->addLayout(fields);
    layout->addWidget(box, 1);
    layout->addLayout(buttons);
    // The list takes the width of the fields or the buttons above and below it, whichever is
    // widest.
    const int buttonsWidth = Btn_MST[k]->minimumWidth() + Btn_MSTC[k]->minimumWidth() +
                             Btn_MS[k]->minimumWidth() + 2 * buttons->spacing();
    const int width = std::max({box->width(), fields->minimumSize().width(), buttonsWidth});
    box->setFixedWidth(width);
    column->setFixedWidth(width);
    return column;
}

QHBoxLayout* SilencePanel::MakeChannelFields(int k, QWidget* column) {
    const QString number = QString::number(k);
    Label_MT[k] = MakeFieldLabel("Label_MT" + number, QStringLiteral("T"), column);
    Label_MT[k]->setProperty("tag", k);
    Edit_MT[k] = MakeField("Edit_MT" + number, column);
    Edit_MT[k]->setToolTip(QStringLiteral("無音持続タイム(ms)"));
    Label_ML[k] = MakeFieldLabel("Label_ML" + number, QStringLiteral("L"), column);
    Label_ML[k]->setProperty("tag", k);
    Label_ML[k]->setProperty("level", true);
    Edit_ML[k] = MakeField("Edit_ML" + number, column);
    Edit_ML[k]->setToolTip(QStringLiteral("無音レベル"));
    auto* fields = new QHBoxLayout;
    fields->setSpacing(2);
    fields->addWidget(Label_MT[k]);
    fields->addWidget(Edit_MT[k]);
    fields->addStretch(1);
    fields->addWidget(Label_ML[k]);
    fields->addWidget(Edit_ML[k]);
    return fields;
}

TimeListBox* SilencePanel::MakeChannelList(int k, QWidget* column) {
    const TimeListId id = SilenceListId(k);
    TimeList* lines = &m_analysis.SilenceLines(k);
    auto* box = new TimeListBox(
        id, lines,
        [lines](const std::vector<int>& selected, int current) {
            lines->SetSelection(selected, current);
        },
        column);
    box->setObjectName("ListBox_MS" + QString::number(k));
    KeepTimeListLines(box, 5);
    box->setToolTip(QStringLiteral("第") + FullWidthDigit(k + 1) +
                    QStringLiteral("無音タイムリスト"));
    box->setAutoFillBackground(true);
    FitTimeListWidth(box, QStringLiteral("000.00000 6"));
    ShowAgreement(k, box);
    connect(box, &TimeListBox::LineClicked, this,
            [this, id](int row) { emit LineClicked(id, row); });
    connect(box, &TimeListBox::RightPressed, this,
            [this, k](const QPoint& pos) { ListBox_MS0MouseDown(k, pos); });
    ListBox_MS[k] = box;
    return box;
}

QHBoxLayout* SilencePanel::MakeChannelButtons(int k, QWidget* column) {
    const QString number = QString::number(k);
    const QString registerHint = QStringLiteral("上部選択タイムを登録タイムリストに登録する");
    Btn_MST[k] =
        MakePanelButton("Btn_MS" + number + "T", kRegisterWithColorCaption, registerHint, column);
    Btn_MSTC[k] = MakePanelButton("Btn_MS" + number + "TC", kRegisterCaption, registerHint, column);
    Btn_MS[k] = MakePanelButton("Btn_MS" + number, kSubdivideAllCaption,
                                QStringLiteral("上部選択タイムを細分化する"), column);
    connect(Btn_MST[k], &QPushButton::clicked, this, [this, k] { RegisterLines(k, true); });
    connect(Btn_MSTC[k], &QPushButton::clicked, this, [this, k] { RegisterLines(k, false); });
    connect(Btn_MS[k], &QPushButton::clicked, this, [this, k] { Subdivide(k); });
    for (QPushButton* button : {Btn_MST[k], Btn_MSTC[k]}) {
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this,
                [this, button](const QPoint& pos) {
                    emit DefaultColorMenuRequested(button->mapToGlobal(pos));
                });
    }
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(Btn_MST[k]);
    buttons->addWidget(Btn_MSTC[k]);
    buttons->addWidget(Btn_MS[k]);
    return buttons;
}

void SilencePanel::MakeMenus() {
    PopupMenu_MT = new QMenu(m_parent);
    PopupMenu_MT->setObjectName("PopupMenu_MT");
    for (int i = 0; i < kDurationChoices; ++i) {
        const QString value = QString::number(kDurationValues[i]);
        PMT[i] = PopupMenu_MT->addAction(QString::fromLatin1(kDurationCaptions[i]));
        PMT[i]->setObjectName("PMT" + QString::number(i));
        connect(PMT[i], &QAction::triggered, this, [this, value] { ChooseValue(value); });
    }
    PopupMenu_ML = new QMenu(m_parent);
    PopupMenu_ML->setObjectName("PopupMenu_ML");
    PopupMenu_ML8 = new QMenu(m_parent);
    PopupMenu_ML8->setObjectName("PopupMenu_ML8");
    for (int i = 0; i < kLevelChoices; ++i) {
        const QString value16 = QString::number(kLevelValues16[i]);
        PML[i] = PopupMenu_ML->addAction(value16);
        PML[i]->setObjectName("PML" + QString::number(i));
        connect(PML[i], &QAction::triggered, this, [this, value16] { ChooseValue(value16); });
        const QString value8 = QString::number(kLevelValues8[i]);
        PML8[i] = PopupMenu_ML8->addAction(value8);
        PML8[i]->setObjectName("PML8" + QString::number(i));
        connect(PML8[i], &QAction::triggered, this, [this, value8] { ChooseValue(value8); });
    }
    for (QMenu* menu : {PopupMenu_MT, PopupMenu_ML, PopupMenu_ML8}) {
        connect(menu, &QMenu::aboutToShow, this, [this] { m_menuOpening = false; });
    }

    PopupMenu_MINI = new QMenu(m_parent);
    PopupMenu_MINI->setObjectName("PopupMenu_MINI");
    PM_INI = PopupMenu_MINI->addAction(QStringLiteral("無音タイム／レベルを、すべて初期化☆"));
    PM_INI->setObjectName("PM_INI");
    connect(PM_INI, &QAction::triggered, this, &SilencePanel::PM_INIClick);
    PopupMenu_MINI->addSeparator();
    PopupMenu_MINI->addAction(kCancelCaption);

    PopupMenu_MS = new QMenu(m_parent);
    PopupMenu_MS->setObjectName("PopupMenu_MS");
    P_MS0 = PopupMenu_MS->addAction(QStringLiteral("すべて色付登録"));
    P_MS0->setObjectName("P_MS0");
    connect(P_MS0, &QAction::triggered, this, &SilencePanel::P_MS0Click);
    PopupMenu_MS->addSeparator();
    PopupMenu_MS->addAction(kCancelCaption);
}

void SilencePanel::ShowSettings() {
    const SilenceSettings settings = m_analysis.silenceSettings;
    m_showing = true;
    Edit_Ninshiki_Time->setText(settings.recognition);
    for (int k = 0; k < kSilenceChannels; ++k) {
        Edit_MT[k]->setText(settings.durations[k]);
        Edit_ML[k]->setText(settings.levels[k]);
    }
    m_showing = false;
}

void SilencePanel::FieldEdited() {
    if (m_showing) {
        return;
    }
    SilenceSettings& settings = m_analysis.silenceSettings;
    settings.recognition = Edit_Ninshiki_Time->text();
    for (int k = 0; k < kSilenceChannels; ++k) {
        settings.durations[k] = Edit_MT[k]->text();
        settings.levels[k] = Edit_ML[k]->text();
    }
}

void SilencePanel::RefreshLists() {
    for (int k = 0; k < kSilenceChannels; ++k) {
        ListBox_MS[k]->SyncFromList(true);
        ShowListFull(ListBox_MS[k], m_analysis.SilenceListFull(k));
    }
    emit ListsChanged();
}

void SilencePanel::RepaintLists() {
    for (TimeListBox* box : ListBox_MS) {
        box->viewport()->update();
    }
}

void SilencePanel::FocusList(int channel) {
    if (channel < 0 || channel >= kSilenceChannels) {
        return;
    }
    if (!Panel_Muon->isVisible()) {
        Btn_MuonClick();
        Btn_Muon_STARTClick();
    }
    ListBox_MS[channel]->setFocus();
}

void SilencePanel::Btn_MuonClick() {
    Panel_Muon->show();
}

void SilencePanel::Btn_Muon_closeClick() {
    Panel_Muon->hide();
}

void SilencePanel::Btn_Muon_STARTClick() {
    if (m_detecting) {
        return;
    }
    m_detecting = true;
    {
        BusyCursor busy;
        SetRunButtonEnabled(Btn_Muon_START, false);
        m_host.pump.ProcessEvents();
        m_analysis.DetectSilences(m_host);
        // A field that was not a number now shows the value the run used.
        ShowSettings();
        SetRunButtonEnabled(Btn_Muon_START, true);
    }
    m_detecting = false;
}

void SilencePanel::PM_INIClick() {
    m_analysis.RestoreSilenceDefaults();
    ShowSettings();
}

void SilencePanel::P_MS0Click() {
    const int k = m_popupChannel;
    if (k < 0 || k >= kSilenceChannels) {
        return;
    }
    if (m_stopPlayback) {
        m_stopPlayback();
    }
    m_analysis.SilenceLines(k).SelectAll();
    ListBox_MS[k]->SyncFromList(false);
    RegisterLines(k, true);
}

void SilencePanel::RegisterLines(int k, bool withColor) {
    BusyCursor busy;
    m_host.pump.ProcessEvents();
    TimeLists& lists = m_analysis.Lists();
    lists.RegisterLines(m_analysis.SilenceLines(k), withColor, m_host.messenger,
                        &m_analysis.SilenceMarks(k));
    emit LinesRegistered();
}

void SilencePanel::Subdivide(int k) {
    emit SubdivideRequested(k);
    ListBox_MS[k]->SyncFromList(false);
}

void SilencePanel::LabelClick(int field, bool level, const QPoint& globalPos) {
    if (m_menuOpening || field < 0 || field > kRecognitionField) {
        return;
    }
    QMenu* menu = PopupMenu_MT;
    if (field == kRecognitionField) {
        m_menuTarget = Edit_Ninshiki_Time;
    } else if (level) {
        m_menuTarget = Edit_ML[field];
        menu = m_analysis.family == SampleFamily::Bits8 ? PopupMenu_ML8 : PopupMenu_ML;
    } else {
        m_menuTarget = Edit_MT[field];
    }
    m_menuOpening = true;
    menu->popup(globalPos);
}

void SilencePanel::ChooseValue(const QString& value) {
    if (m_menuTarget != nullptr) {
        m_menuTarget->setText(value);
    }
}

void SilencePanel::ListBox_MS0MouseDown(int channel, const QPoint& globalPos) {
    if (m_flags.errorBoxOpen) {
        return;
    }
    m_popupChannel = channel;
    PopupMenu_MS->popup(globalPos);
}

bool SilencePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel_Muon && event->type() == QEvent::Resize) {
        PlaceChannels(Panel_Muon->width() >= m_threeColumnsWidth ? 3 : 2);
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto* label = qobject_cast<QLabel*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (label != nullptr && mouse->button() == Qt::LeftButton) {
            LabelClick(label->property("tag").toInt(), label->property("level").toBool(),
                       label->mapToGlobal(QPoint(0, label->height())));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace veskar

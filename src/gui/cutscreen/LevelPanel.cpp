#include "gui/cutscreen/LevelPanel.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "core/analysis/CutAnalysis.h"
#include "core/text/Captions.h"
#include "core/wav/LevelColor.h"
#include "gui/cutscreen/PanelTools.h"

namespace veskar {

namespace {

// The lists whose lines are short enough to show their level slots as numbers: 1 ms .. 1 s.
bool IsShortLevel(TimeListId id) {
    const int level = SubdivisionLevelOf(id);
    return level >= 0 && level <= SubdivisionLevelOf(TimeListId::Level1s);
}

// A line of the numeric level list: the number right-aligned on its level colour, bold when
// selected.
class NumericLevelDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QVariant background = index.data(Qt::BackgroundRole);
        QColor text = option.palette.color(QPalette::Text);
        painter->save();
        if (background.isValid()) {
            painter->fillRect(option.rect, background.value<QColor>());
            text = index.data(Qt::ForegroundRole).value<QColor>();
            if (selected) {
                painter->setPen(option.palette.color(QPalette::Highlight));
                painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
            }
        } else if (selected) {
            painter->fillRect(option.rect, option.palette.color(QPalette::Highlight));
            text = option.palette.color(QPalette::HighlightedText);
        }
        QFont font = option.font;
        font.setBold(selected);
        painter->setFont(font);
        painter->setPen(text);
        painter->drawText(option.rect.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignTop,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        QFont bold = option.font;
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        return {metrics.horizontalAdvance(QStringLiteral("-32768")) + 8, metrics.height() + 1};
    }
};

} // namespace

LevelPanel::LevelPanel(CutAnalysis& analysis, const Host& host, QWidget* parent)
    : QObject(parent), m_analysis(analysis), m_host(host) {
    setObjectName("LevelPanel");
    Btn_IROWAKE = MakePanelButton("Btn_IROWAKE", QStringLiteral("色分"),
                                  QStringLiteral("レベルにより、色分表示する"), parent);
    connect(Btn_IROWAKE, &QPushButton::clicked, this, &LevelPanel::Btn_IROWAKEClick);
    Btn_Peek = MakePanelButton("Btn_Peek", QStringLiteral("最大"),
                               QStringLiteral("最大レベルと、タイム表示"), parent);
    connect(Btn_Peek, &QPushButton::clicked, this, &LevelPanel::Btn_PeekClick);

    MO_1sColor = MakeOption("MO_1sColor", QStringLiteral("カラーレベル表示ON"));
    connect(MO_1sColor, &QAction::triggered, this, &LevelPanel::MO_1sColorClick);
    MO_10sColor = MakeOption("MO_10sColor", QStringLiteral("10sも、色分けする☆"));
    connect(MO_10sColor, &QAction::triggered, this, &LevelPanel::MO_10sColorClick);
    MO_60sColor = MakeOption("MO_60sColor", QStringLiteral("60sも、色分けする☆"));
    connect(MO_60sColor, &QAction::triggered, this, &LevelPanel::MO_60sColorClick);
    MO_SL_OUT = MakeOption("MO_SL_OUT", QStringLiteral("数値レベル表示ON"));
    connect(MO_SL_OUT, &QAction::triggered, this, &LevelPanel::MO_SL_OUTClick);

    Panel_L = MakePanel(parent);
    ShowOptions();
}

QAction* LevelPanel::MakeOption(const char* name, const QString& caption) {
    auto* item = new QAction(caption, this);
    item->setObjectName(name);
    item->setCheckable(true);
    return item;
}

QFrame* LevelPanel::MakePanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName("Panel_L");
    panel->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(3);
    Btn_L_T = MakePanelButton("Btn_L_T", QStringLiteral("[ 1s ]"),
                              QStringLiteral("数値レベル表示タイム"), panel);
    connect(Btn_L_T, &QPushButton::clicked, this, &LevelPanel::Btn_L_TClick);
    Btn_L = MakePanelButton("Btn_L", kCloseCaption, QString(), panel);
    connect(Btn_L, &QPushButton::clicked, this, &LevelPanel::Btn_LClick);
    ListBox_L = new QListWidget(panel);
    ListBox_L->setObjectName("ListBox_L");
    ListBox_L->setToolTip(QStringLiteral("数値レベル表示"));
    ListBox_L->setItemDelegate(new NumericLevelDelegate(ListBox_L));
    ListBox_L->setUniformItemSizes(true);
    ListBox_L->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox_L->setFocusPolicy(Qt::NoFocus);
    FitTimeListWidth(ListBox_L, QStringLiteral("-32768"));
    // Room for about half of a short list's lines, so the numbers stay readable beside the
    // silence lists.
    KeepTimeListLines(ListBox_L, 8);
    connect(ListBox_L, &QListWidget::clicked, this,
            [this](const QModelIndex& index) { ListBox_LClick(index.row()); });
    layout->addWidget(Btn_L_T);
    layout->addWidget(ListBox_L, 1);
    layout->addWidget(Btn_L);
    panel->setFixedWidth(ListBox_L->width() + 6);
    panel->hide();
    return panel;
}

void LevelPanel::ShowOptions() {
    const LevelOptions& options = m_analysis.options;
    MO_1sColor->setChecked(options.display.colorLevels);
    MO_10sColor->setChecked(options.display.color10s);
    MO_60sColor->setChecked(options.display.color60s);
    MO_SL_OUT->setChecked(options.numericLevels);
    SetLevelOptions(options.display);
    if (!options.numericLevels) {
        Panel_L->hide();
    }
}

void LevelPanel::SetLevelOptions(const LevelDisplayOptions& display) {
    m_analysis.options.display = display;
    MO_10sColor->setEnabled(display.colorLevels);
    MO_60sColor->setEnabled(display.colorLevels);
    emit DisplayOptionsChanged(display);
    RecolorNumericLevels();
}

std::optional<QColor> LevelPanel::LevelBackground(int level) const {
    const auto bgr = LevelColor(level, m_analysis.family);
    if (!bgr) {
        return std::nullopt;
    }
    return QColor::fromRgb(static_cast<QRgb>(BgrToRgb(*bgr)));
}

void LevelPanel::Btn_IROWAKEClick() {
    if (m_coloring) {
        return;
    }
    m_coloring = true;
    {
        BusyCursor busy;
        SetRunButtonEnabled(Btn_IROWAKE, false);
        // The button stays disabled after a successful run until another file is chosen.
        const bool measured = m_analysis.MeasureIntervalPeaks(m_host);
        if (!measured) {
            SetRunButtonEnabled(Btn_IROWAKE, true);
        }
        emit LevelsMeasured(TimeListId::Interval);
    }
    m_coloring = false;
}

void LevelPanel::Btn_PeekClick() {
    m_host.messenger.ShowMessage(m_analysis.PeakMessage());
}

void LevelPanel::MO_1sColorClick() {
    LevelDisplayOptions display = m_analysis.options.display;
    display.colorLevels = MO_1sColor->isChecked();
    SetLevelOptions(display);
    if (display.colorLevels) {
        // The same order as after a subdivision from the top: 60 s and 10 s when asked for,
        // then the four short lists.
        for (const int level : TimeLists::LevelsToMeasure(kTopSubdivisionLevel, display)) {
            MeasureListLevels(level);
        }
    }
}

void LevelPanel::MO_10sColorClick() {
    LevelDisplayOptions display = m_analysis.options.display;
    display.color10s = MO_10sColor->isChecked();
    SetLevelOptions(display);
    if (display.color10s) {
        MeasureListLevels(4);
    }
}

void LevelPanel::MO_60sColorClick() {
    LevelDisplayOptions display = m_analysis.options.display;
    display.color60s = MO_60sColor->isChecked();
    SetLevelOptions(display);
    if (display.color60s) {
        MeasureListLevels(5);
    }
}

void LevelPanel::MO_SL_OUTClick() {
    m_analysis.options.numericLevels = MO_SL_OUT->isChecked();
    if (!m_analysis.options.numericLevels) {
        Panel_L->hide();
    }
}

void LevelPanel::Btn_LClick() {
    Panel_L->hide();
}

void LevelPanel::Btn_L_TClick() {
    Panel_L->hide();
}

void LevelPanel::ListBox_LClick(int row) {
    if (!IsShortLevel(m_numericSource)) {
        return;
    }
    TimeList& source = m_analysis.Lists().subdivisions[SubdivisionLevelOf(m_numericSource)];
    if (row < 0 || row >= source.Count()) {
        return;
    }
    source.SelectOnly(row);
    emit LineChosen(m_numericSource, row);
}

bool LevelPanel::MeasureListLevels(int level) {
    const bool measured = m_analysis.MeasureListLevels(level, m_host);
    emit LevelsMeasured(SubdivisionListId(level));
    if (Panel_L->isVisible() && SubdivisionLevelOf(m_numericSource) == level) {
        ShowNumericLevels(level, ListBox_L->currentRow());
    }
    return measured;
}

void LevelPanel::CutFileChosen() {
    SetRunButtonEnabled(Btn_IROWAKE, !m_analysis.intervalMeasured);
}

void LevelPanel::TimeListsRebuilt() {
    Panel_L->hide();
    m_numericSource = TimeListId::None;
}

void LevelPanel::LineClicked(TimeListId list, int row) {
    if (!m_analysis.options.numericLevels) {
        return;
    }
    if (!IsShortLevel(list)) {
        Panel_L->hide();
        return;
    }
    m_numericSource = list;
    ShowNumericLevels(SubdivisionLevelOf(list), row);
    Panel_L->show();
}

void LevelPanel::ShowNumericLevels(int level, int row) {
    Btn_L_T->setText(CutAnalysis::NumericLevelTitle(level));
    ListBox_L->clear();
    ListBox_L->addItems(m_analysis.NumericLevelLines(level));
    RecolorNumericLevels();
    if (row >= 0 && row < ListBox_L->count()) {
        ListBox_L->setCurrentRow(row);
    }
}

void LevelPanel::RecolorNumericLevels() {
    const bool colored = m_analysis.options.display.colorLevels;
    for (int row = 0; row < ListBox_L->count(); ++row) {
        QListWidgetItem* item = ListBox_L->item(row);
        const auto background =
            colored ? LevelBackground(item->text().toInt()) : std::optional<QColor>();
        item->setData(Qt::BackgroundRole, background ? QVariant(*background) : QVariant());
        item->setData(Qt::ForegroundRole, background ? QVariant(QColor(Qt::white)) : QVariant());
    }
}

} // namespace veskar

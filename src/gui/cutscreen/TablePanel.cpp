#include "gui/cutscreen/TablePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/timelists/StartColors.h"
#include "gui/main/BusyCursor.h"
#include "gui/main/PositionBarPanel.h"

namespace veskar {

namespace {

constexpr int kTableBarColor = 0xFFC000; // amber, apart from the other two bars

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    parent->layout()->addWidget(button);
    return button;
}

// Column widths follow the view: "No." a twentieth, the four times and the peak an eighth each,
// the name the rest.
class TableView : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    void resizeEvent(QResizeEvent* event) override {
        QTreeWidget::resizeEvent(event);
        const int width = viewport()->width();
        setColumnWidth(0, width / 20);
        for (int column = 1; column <= 4; ++column) {
            setColumnWidth(column, width / 8);
        }
        setColumnWidth(5, std::max(40, width - width / 20 - 4 * (width / 8) - 30));
    }
};

} // namespace

TablePanel::TablePanel(NumberedTimeTable& table, Messenger& messenger, EventPump& pump,
                       QWidget* parent)
    : QWidget(parent), m_table(table), m_messenger(messenger), m_pump(pump) {
    setObjectName("Panel_TT");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Panel_TT_Btn = new QWidget(this);
    Panel_TT_Btn->setObjectName("Panel_TT_Btn");
    new QHBoxLayout(Panel_TT_Btn);
    Panel_TT_Btn->layout()->setContentsMargins(2, 2, 2, 2);
    Label_TT_Kosu = new QLabel(m_table.CountText(), Panel_TT_Btn);
    Label_TT_Kosu->setObjectName("Label_TT_Kosu");
    Label_TT_Kosu->setMinimumWidth(48);
    Panel_TT_Btn->layout()->addWidget(Label_TT_Kosu);
    Btn_TT_RET = MakeButton(Panel_TT_Btn, "Btn_TT_RET", QStringLiteral("閉じる"));
    Btn_TT_UP = MakeButton(Panel_TT_Btn, "Btn_TT_UP", QStringLiteral("上"));
    Btn_TT_DOWN = MakeButton(Panel_TT_Btn, "Btn_TT_DOWN", QStringLiteral("下移動"));
    Btn_TT_SC = MakeButton(Panel_TT_Btn, "Btn_TT_SC", QStringLiteral("登録リスト"));
    Btn_TT_SC->setFocusPolicy(Qt::NoFocus);
    Btn_TT_DEL = MakeButton(Panel_TT_Btn, "Btn_TT_DEL", QStringLiteral("削除"));
    Btn_TT_Peek = MakeButton(Panel_TT_Btn, "Btn_TT_Peek", QStringLiteral("Peek"));
    Btn_T_Cancel = MakeButton(Panel_TT_Btn, "Btn_T_Cancel", QStringLiteral("登録 中断"));
    Btn_T_Cancel->setToolTip(QStringLiteral("登録の中断"));
    Btn_T_Cancel->hide();
    ComboBox_TT_PM = new QComboBox(Panel_TT_Btn);
    ComboBox_TT_PM->setObjectName("ComboBox_TT_PM");
    ComboBox_TT_PM->addItems({"end", "ゾーン", "連続", "スキップ", "リピート", "OFF"});
    Panel_TT_Btn->layout()->addWidget(ComboBox_TT_PM);
    CheckBox_TT_C = new QCheckBox(QStringLiteral("色"), Panel_TT_Btn);
    CheckBox_TT_C->setObjectName("CheckBox_TT_C");
    CheckBox_TT_C->setChecked(true);
    Panel_TT_Btn->layout()->addWidget(CheckBox_TT_C);
    Panel_TT_B0 = new PositionBarPanel("Panel_TT_B0", "Label_TT_B1", QColor::fromRgb(kTableBarColor),
                                       Panel_TT_Btn);
    static_cast<QHBoxLayout*>(Panel_TT_Btn->layout())->addWidget(Panel_TT_B0, 1);
    Btn_TT_No = MakeButton(Panel_TT_Btn, "Btn_TT_No", QStringLiteral("番号付替"));
    CheckBox_TT_Sort = new QCheckBox(QStringLiteral("Sort"), Panel_TT_Btn);
    CheckBox_TT_Sort->setObjectName("CheckBox_TT_Sort");
    Panel_TT_Btn->layout()->addWidget(CheckBox_TT_Sort);
    layout->addWidget(Panel_TT_Btn);

    ListView_T = new TableView(this);
    ListView_T->setObjectName("ListView_T");
    ListView_T->setHeaderLabels({"No.", "Start Time", "End Time", "Length", "Peek", "Name"});
    ListView_T->setRootIsDecorated(false);
    ListView_T->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView_T->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView_T->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView_T->header()->setSectionsClickable(true);
    ListView_T->header()->setStretchLastSection(false);
    layout->addWidget(ListView_T, 1);

    connect(Btn_TT_RET, &QPushButton::clicked, this, &QWidget::hide);
    connect(Btn_TT_UP, &QPushButton::clicked, this, [this] { MoveRows(true); });
    connect(Btn_TT_DOWN, &QPushButton::clicked, this, [this] { MoveRows(false); });
    connect(Btn_TT_DEL, &QPushButton::clicked, this, &TablePanel::Btn_TT_DELClick);
    connect(Btn_TT_Peek, &QPushButton::clicked, this, &TablePanel::Btn_TT_PeekClick);
    connect(Btn_T_Cancel, &QPushButton::clicked, this, [this] { m_addInterrupted = true; });
    connect(Btn_TT_No, &QPushButton::clicked, this, &TablePanel::Btn_TT_NoClick);
    connect(CheckBox_TT_C, &QCheckBox::toggled, this, &TablePanel::PaintRows);
    connect(ComboBox_TT_PM, &QComboBox::activated, this,
            [this](int index) { emit PlayModeChosen(static_cast<CutPlayMode>(index)); });
    connect(ListView_T->header(), &QHeaderView::sectionClicked, this,
            &TablePanel::ListView_TColumnClick);
    connect(ListView_T, &QTreeWidget::itemSelectionChanged, this, &TablePanel::TakeSelection);
    connect(ListView_T, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        TakeSelection();
        emit RowClicked(ListView_T->indexOfTopLevelItem(item));
    });
    hide();
}

void TablePanel::SetStartTimesEnabled(bool on) {
    m_startTimesEnabled = on;
    PaintRows();
}

void TablePanel::SetPlayMode(CutPlayMode mode) {
    ComboBox_TT_PM->setCurrentIndex(static_cast<int>(mode));
}

void TablePanel::AddRowsFrom(const RegisteredList& registered, const TimeFormat& format,
                             const std::function<bool()>& interrupted) {
    if (m_busy) {
        return;
    }
    m_busy = true;
    m_addInterrupted = false;
    BusyCursor busy;
    Label_TT_Kosu->setText(BusyCountText());
    // The stop button takes the place of 番号付替, which waits while rows are added anyway, so
    // the bar keeps its width (hidden first: a wider bar for a moment would widen the window).
    Btn_TT_No->hide();
    Btn_T_Cancel->show();
    show();
    m_pump.ProcessEvents();
    // Copies: the window's events run between rows, and the registered list may change meanwhile.
    const QStringList texts = registered.Texts();
    const QStringList tags = registered.Tags();
    m_table.AddRows(texts, tags, registered.Lines().SelectedIndexes(), format, &m_pump,
                    [this, &interrupted] {
                        return m_addInterrupted || (interrupted && interrupted());
                    });
    Btn_T_Cancel->hide();
    Btn_TT_No->show();
    ShowRows();
    m_busy = false;
}

void TablePanel::ShowRows() {
    m_showing = true;
    ListView_T->clear();
    QList<QTreeWidgetItem*> items;
    for (const TableRow& row : m_table.Rows()) {
        items.append(new QTreeWidgetItem(
            QStringList{row.number, row.start, row.end, row.length, row.peak, row.name}));
    }
    ListView_T->addTopLevelItems(items);
    for (const int index : m_table.SelectedIndexes()) {
        items.at(index)->setSelected(true);
    }
    if (m_table.Focused() >= 0) {
        ListView_T->setCurrentItem(items.at(m_table.Focused()), 0, QItemSelectionModel::NoUpdate);
        ListView_T->scrollToItem(items.at(m_table.Focused()));
    }
    Label_TT_Kosu->setText(m_table.CountText());
    m_showing = false;
    PaintRows();
}

void TablePanel::TakeSelection() {
    if (m_showing) {
        return;
    }
    std::vector<int> selected;
    for (int i = 0; i < ListView_T->topLevelItemCount(); ++i) {
        if (ListView_T->topLevelItem(i)->isSelected()) {
            selected.push_back(i);
        }
    }
    m_table.SetSelection(selected, ListView_T->indexOfTopLevelItem(ListView_T->currentItem()));
    PaintRows();
}

// Tagged rows take their start colour while colouring is on; the focused row is bold, and the
// indicator button shows its colour.
void TablePanel::PaintRows() {
    const bool colour = CheckBox_TT_C->isChecked() && m_startTimesEnabled;
    for (int i = 0; i < ListView_T->topLevelItemCount() && i < m_table.Count(); ++i) {
        QTreeWidgetItem* item = ListView_T->topLevelItem(i);
        const std::optional<StartColorStyle> style =
            colour ? StartColorStyleOf(StartColorCode(m_table.Row(i).tag)) : std::nullopt;
        QFont font = ListView_T->font();
        font.setBold(i == m_table.Focused());
        for (int column = 0; column < NumberedTimeTable::kColumns; ++column) {
            item->setBackground(column,
                                style ? QBrush(QColor::fromRgb(style->background)) : QBrush());
            item->setForeground(column, style ? QBrush(QColor::fromRgb(style->text)) : QBrush());
            item->setFont(column, font);
        }
    }
    const int focused = m_table.Focused();
    const std::optional<StartColorStyle> style =
        m_startTimesEnabled && focused >= 0
            ? StartColorStyleOf(StartColorCode(m_table.Row(focused).tag))
            : std::nullopt;
    Btn_TT_SC->setStyleSheet(style ? QStringLiteral("background-color: #%1; color: #%2;")
                                         .arg(style->background, 6, 16, QChar('0'))
                                         .arg(style->text, 6, 16, QChar('0'))
                                   : QString());
}

void TablePanel::MoveRows(bool up) {
    if (m_busy) {
        return;
    }
    BusyCursor busy;
    m_table.MoveSelected(up);
    ShowRows();
}

void TablePanel::Btn_TT_DELClick() {
    if (m_busy) {
        return;
    }
    m_busy = true;
    Label_TT_Kosu->setText(BusyCountText());
    emit StopPlayback();
    const int deleted = m_table.DeleteSelected();
    ShowRows();
    m_messenger.ShowTimedMessage(RowsDeletedMessage(deleted), Messenger::Ok);
    m_busy = false;
}

void TablePanel::Btn_TT_PeekClick() {
    if (m_busy) {
        return;
    }
    m_busy = true;
    BusyCursor busy;
    m_pump.ProcessEvents();
    m_table.MeasurePeaks(m_cutFile ? m_cutFile() : QString(), m_messenger, &m_pump);
    ShowRows();
    m_busy = false;
}

void TablePanel::Btn_TT_NoClick() {
    if (m_busy) {
        return;
    }
    m_busy = true;
    m_table.Renumber(m_messenger);
    ShowRows();
    m_busy = false;
}

void TablePanel::ListView_TColumnClick(int column) {
    if (!CheckBox_TT_Sort->isChecked() || m_busy) {
        return;
    }
    BusyCursor busy;
    m_table.SortByColumn(static_cast<NumberedTimeTable::Column>(column));
    ShowRows();
}

} // namespace veskar

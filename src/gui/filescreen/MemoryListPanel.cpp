#include "gui/filescreen/MemoryListPanel.h"

#include <algorithm>

#include <QAbstractTableModel>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/browser/FileRow.h"
#include "core/browser/FolderListing.h"
#include "core/host/EventPump.h"
#include "core/host/Messenger.h"
#include "core/host/SharedFlags.h"
#include "gui/filescreen/BrowserPanel.h"
#include "gui/filescreen/FileListModel.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "gui/main/BusyCursor.h"
#include "gui/main/HintButton.h"
#include "gui/main/PanelBusy.h"

namespace veskar {

/// The rows of ListView_M. While the list changes the first two headers read "---ｺ".
class MemoryListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kMemoryColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) {
            return {};
        }
        const MemoryRow& row = rows[static_cast<size_t>(index.row())];
        const auto column = static_cast<MemoryColumn>(index.column());
        if (role == Qt::TextAlignmentRole) {
            const bool right = column == MemoryColumn::Size || column == MemoryColumn::Attributes;
            return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        return column == MemoryColumn::Caption ? row.caption
                                               : row.fields.value(index.column() - 1);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const captions[kMemoryColumnCount] = {
            "ファイル名", "フルパス名", "サイズ", "種類", "日付", "属性"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= kMemoryColumnCount) {
            return {};
        }
        const QString caption = QString::fromUtf8(captions[section]);
        if (section > 1) {
            return caption;
        }
        const QString count = changing ? QStringLiteral("---") : QString::number(rowCount());
        return count + QStringLiteral("ｺ　") + caption;
    }
    void Reset() {
        beginResetModel();
        endResetModel();
        emit headerDataChanged(Qt::Horizontal, 0, 1);
    }
    void Append(MemoryRow row) {
        const int at = rowCount();
        beginInsertRows({}, at, at);
        rows.push_back(std::move(row));
        endInsertRows();
    }
    void SetChanging(bool on) {
        changing = on;
        emit headerDataChanged(Qt::Horizontal, 0, 1);
    }

    std::vector<MemoryRow> rows;
    bool changing = false;
};

namespace {

// A cell's margins and the header's sort mark beside its text, in pixels.
constexpr int kCellPadding = 16;

// The header counts read "---ｺ" while a handler changes the rows.
class Changing {
public:
    explicit Changing(MemoryListModel& model) : m_model(model) { m_model.SetChanging(true); }
    ~Changing() { m_model.SetChanging(false); }
    Changing(const Changing&) = delete;
    Changing& operator=(const Changing&) = delete;

private:
    MemoryListModel& m_model;
};

} // namespace

MemoryListPanel::MemoryListPanel(Messenger& messenger, EventPump& pump, SharedFlags& flags,
                                 QString dir, QWidget* parent)
    : QWidget(parent), m_messenger(messenger), m_pump(pump), m_flags(flags),
      m_dir(std::move(dir)) {
    setObjectName("Panel_Memory");
    m_model = new MemoryListModel(this);
    ListView_M = new QTreeView(this);
    ListView_M->setObjectName("ListView_M");
    ListView_M->setRootIsDecorated(false);
    ListView_M->setUniformRowHeights(true);
    ListView_M->setItemsExpandable(false);
    ListView_M->setAllColumnsShowFocus(true);
    // A path cut short keeps its file name.
    ListView_M->setTextElideMode(Qt::ElideLeft);
    ListView_M->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView_M->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView_M->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView_M->setItemDelegate(new BoldSelectionDelegate(ListView_M));
    ListView_M->setModel(m_model);
    ListView_M->viewport()->installEventFilter(this);
    ListView_M->header()->setSectionsClickable(true);
    ListView_M->header()->setStretchLastSection(false);
    connect(ListView_M->header(), &QHeaderView::sectionClicked, this,
            &MemoryListPanel::ListView_MColumnClick);
    connect(ListView_M, &QTreeView::clicked, this, &MemoryListPanel::ListView_MClick);

    MO_M_SORT = new QAction(QStringLiteral("メモリーソートON"), this);
    MO_M_SORT->setObjectName("MO_M_SORT");
    MO_M_SORT->setCheckable(true);
    MF_FileOnly = new QAction(QStringLiteral("ファイル名のみ表示する"), this);
    MF_FileOnly->setObjectName("MF_FileOnly");
    MF_FileOnly->setCheckable(true);
    connect(MF_FileOnly, &QAction::triggered, this, &MemoryListPanel::MF_FileOnlyClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    MakeNamePanel();
    MakeButtons();
    MakeCopyPanel();
    MakeMenu();
    m_busy.SetControls({ComboBox_M, Btn_M_EDIT, Btn_M_HENKO, Btn_M_NEW, Btn_M_DEL, Btn_M_CANCEL,
                        Button9, Button10, Button13, Button_UP, Button_DOWN, Btn_Koshin,
                        Btn_SENTAK_M, Btn_COPY_EDIT, Btn_COPY, Btn_COPY_PUT, Btn_COPY_CLR,
                        Btn_COPY_CANCEL, Button14});
}

MemoryListPanel::~MemoryListPanel() = default;

void MemoryListPanel::MakeNamePanel() {
    ComboBox_M = new QComboBox(this);
    ComboBox_M->setObjectName("ComboBox_M");
    ComboBox_M->setToolTip(QStringLiteral("メモリーリストの選択"));
    ComboBox_M->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox_M->setMinimumContentsLength(12);
    Btn_M_EDIT = MakeHintButton("Btn_M_EDIT", "編集", "メモリー名の編集", this);
    Panel_M_EDIT = MakeRowPanel("Panel_M_EDIT", this);
    Edit_M_EDIT = new QLineEdit(Panel_M_EDIT);
    Edit_M_EDIT->setObjectName("Edit_M_EDIT");
    Edit_M_EDIT->setToolTip(QStringLiteral("メモリー名"));
    Btn_M_HENKO = MakeHintButton("Btn_M_HENKO", "変更", "メモリー名を変更する", Panel_M_EDIT);
    Btn_M_NEW = MakeHintButton("Btn_M_NEW", "新規", "メモリーを新しく作る", Panel_M_EDIT);
    Btn_M_DEL = MakeHintButton("Btn_M_DEL", "削除", "メモリーを削除する", Panel_M_EDIT);
    Btn_M_CANCEL = MakeHintButton("Btn_M_CANCEL", "戻る", "編集終了", Panel_M_EDIT);
    FillEditRow(Panel_M_EDIT, Edit_M_EDIT, {Btn_M_HENKO, Btn_M_NEW, Btn_M_DEL, Btn_M_CANCEL});
    auto* top = new QHBoxLayout;
    top->addWidget(ComboBox_M, 1);
    top->addWidget(Btn_M_EDIT);
    auto* layout = qobject_cast<QVBoxLayout*>(this->layout());
    layout->addLayout(top);
    layout->addWidget(Panel_M_EDIT);

    connect(ComboBox_M, &QComboBox::activated, this, &MemoryListPanel::ComboBox_MClick);
    connect(Btn_M_EDIT, &QPushButton::clicked, this, &MemoryListPanel::Btn_M_EDITClick);
    connect(Btn_M_HENKO, &QPushButton::clicked, this, &MemoryListPanel::Btn_M_HENKOClick);
    connect(Btn_M_NEW, &QPushButton::clicked, this, &MemoryListPanel::Btn_M_NEWClick);
    connect(Btn_M_DEL, &QPushButton::clicked, this, &MemoryListPanel::Btn_M_DELClick);
    connect(Btn_M_CANCEL, &QPushButton::clicked, Panel_M_EDIT, &QWidget::hide);
}

void MemoryListPanel::MakeButtons() {
    Button9 = MakeHintButton("Button9", "v選択登録", "選択ファイルをメモリーに登録する", this);
    Button10 = MakeHintButton("Button10", "v全部", "全ファイルをメモリーに登録する", this);
    Button13 = MakeHintButton("Button13", "削除", "メモリー登録のみ削除する", this);
    Button_UP = MakeHintButton("Button_UP", "上", "選択行を上に移動する", this);
    Button_DOWN = MakeHintButton("Button_DOWN", "下移動", "選択行を下に移動する", this);
    Btn_Koshin = MakeHintButton("Btn_Koshin", "ﾃﾞｰﾀ更新", "サイズ・日付を更新する", this);
    Btn_SENTAK_M = MakeHintButton("Btn_SENTAK_M", "選択確認", "メモリーの選択を表示します", this);
    Btn_COPY_EDIT = MakeHintButton("Btn_COPY_EDIT", "copy", "コピーバッファー", this);
    Button14 = MakeHintButton("Button14", "WAV分割画面", "WAV分割画面に切り替える", this);
    // The buttons stand in a column beside the list, so that the browser keeps its width.
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    for (QPushButton* button : {Button9, Button10, Button13, Button_UP, Button_DOWN, Btn_Koshin,
                                Btn_SENTAK_M, Btn_COPY_EDIT}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(Button14);
    auto* body = new QHBoxLayout;
    body->setSpacing(2);
    body->addLayout(buttons);
    body->addWidget(ListView_M, 1);
    qobject_cast<QVBoxLayout*>(this->layout())->addLayout(body, 1);

    connect(Button9, &QPushButton::clicked, this, [this] { RegisterFiles(false); });
    connect(Button10, &QPushButton::clicked, this, [this] { RegisterFiles(true); });
    connect(Button13, &QPushButton::clicked, this, &MemoryListPanel::Button13Click);
    connect(Button_UP, &QPushButton::clicked, this, [this] { MoveRows(true); });
    connect(Button_DOWN, &QPushButton::clicked, this, [this] { MoveRows(false); });
    connect(Btn_Koshin, &QPushButton::clicked, this, &MemoryListPanel::Btn_KoshinClick);
    connect(Btn_SENTAK_M, &QPushButton::clicked, ListView_M,
            [this] { ListView_M->setFocus(); });
    connect(Btn_COPY_EDIT, &QPushButton::clicked, this, [this] { Panel_COPY->show(); });
    connect(Button14, &QPushButton::clicked, this, &MemoryListPanel::Button14Click);
}

void MemoryListPanel::MakeCopyPanel() {
    Panel_COPY = MakeRowPanel("Panel_COPY", this);
    Btn_COPY = MakeHintButton("Btn_COPY", "copy 0ｺ", "選択行をコピーバッファーに追加する",
                              Panel_COPY);
    Btn_COPY_PUT = MakeHintButton("Btn_COPY_PUT", "PUT", "コピーバッファーを追加する", Panel_COPY);
    Btn_COPY_CLR = MakeHintButton("Btn_COPY_CLR", "CLR", "コピーバッファーを空にする", Panel_COPY);
    Btn_COPY_CANCEL = MakeHintButton("Btn_COPY_CANCEL", "戻る", "編集終了", Panel_COPY);
    auto* row = qobject_cast<QHBoxLayout*>(Panel_COPY->layout());
    for (QPushButton* button : {Btn_COPY, Btn_COPY_PUT, Btn_COPY_CLR, Btn_COPY_CANCEL}) {
        row->addWidget(button);
    }
    row->addStretch(1);
    qobject_cast<QVBoxLayout*>(layout())->insertWidget(2, Panel_COPY);
    connect(Btn_COPY, &QPushButton::clicked, this, &MemoryListPanel::Btn_COPYClick);
    connect(Btn_COPY_PUT, &QPushButton::clicked, this, &MemoryListPanel::Btn_COPY_PUTClick);
    connect(Btn_COPY_CLR, &QPushButton::clicked, this, &MemoryListPanel::Btn_COPY_CLRClick);
    connect(Btn_COPY_CANCEL, &QPushButton::clicked, Panel_COPY, &QWidget::hide);
}

void MemoryListPanel::MakeMenu() {
    PopupMenu_M = new QMenu(this);
    PopupMenu_M->setObjectName("PopupMenu_M");
    P_File_T_DEL = PopupMenu_M->addAction(QStringLiteral("ファイル登録のみ削除する(&F)"));
    P_File_T_DEL->setObjectName("P_File_T_DEL");
    P_File_DEL = PopupMenu_M->addAction(QStringLiteral("実際に削除(&D)"));
    P_File_DEL->setObjectName("P_File_DEL");
    connect(P_File_T_DEL, &QAction::triggered, this, &MemoryListPanel::Button13Click);
    connect(P_File_DEL, &QAction::triggered, this, &MemoryListPanel::P_File_DELClick);
    ListView_M->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView_M, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!m_flags.errorBoxOpen && !m_busy.Busy()) {
            PopupMenu_M->popup(ListView_M->viewport()->mapToGlobal(at));
        }
    });
}

void MemoryListPanel::SetPlayback(std::function<void(PlayFileList&)> play,
                                  std::function<void()> stop) {
    m_play = std::move(play);
    m_stopPlayback = std::move(stop);
}

void MemoryListPanel::StopPlayback() {
    m_flags.stopRequested = true;
    if (m_stopPlayback) {
        m_stopPlayback();
    }
}

std::vector<MemoryRow>& MemoryListPanel::Rows() {
    return m_model->rows;
}

void MemoryListPanel::RowsChanged() {
    m_model->Reset();
}

void MemoryListPanel::Start(const QString& name) {
    m_names = MemoryListNames(m_dir);
    // A list whose file is gone stays the current one: its rows reach the file at close.
    m_name = name.isEmpty() ? m_names.constFirst() : name;
    if (!m_names.contains(m_name)) {
        m_names.append(m_name);
    }
    ShowNames();
    Load();
}

void MemoryListPanel::ShowNames() {
    const QSignalBlocker blocker(ComboBox_M);
    ComboBox_M->clear();
    ComboBox_M->addItems(m_names);
    ComboBox_M->setCurrentIndex(static_cast<int>(m_names.indexOf(m_name)));
    Edit_M_EDIT->setText(m_name);
}

void MemoryListPanel::Load() {
    const Changing changing(*m_model);
    std::vector<MemoryRow> rows;
    const QString path = MemoryListPath(m_dir, m_name);
    if (!m_name.isEmpty() && QFileInfo::exists(path)) {
        LoadedMemoryList loaded = LoadMemoryList(path);
        if (loaded.damagedFieldCount >= 0) {
            m_messenger.ShowMessage(DamagedMemoryListMessage(loaded.damagedFieldCount, path));
        }
        rows = std::move(loaded.rows);
    }
    if (m_name == QLatin1String(kHandOverListName)) {
        // Another program handed the list over: it becomes one of ours under a fresh name, and
        // the hand-over file is free for the next one. The rows reach their new file before the
        // hand-over file goes, so that a crash in between loses nothing.
        const QString name = FreeListName(m_dir, kNewListPrefix);
        const QString error = SaveMemoryList(MemoryListPath(m_dir, name), rows);
        if (!error.isEmpty()) {
            m_messenger.ShowTimedMessage(error, Messenger::Ok);
        } else {
            QFile::remove(path);
        }
        m_names.removeAll(m_name);
        m_name = name;
        m_names.append(m_name);
        ShowNames();
    }
    m_model->rows = std::move(rows);
    m_model->Reset();
    ApplyColumnWidths();
}

QStringList MemoryListPanel::Save() {
    const MemoryListSave saved = SaveMemoryListOrRescue(m_dir, m_name, m_model->rows);
    return saved.errors;
}

void MemoryListPanel::SaveAndReport() {
    const QStringList errors = Save();
    if (!errors.isEmpty()) {
        m_messenger.ShowTimedMessage(errors.join("\n\n"), Messenger::Ok);
    }
}

void MemoryListPanel::ComboBox_MClick(int index) {
    const PanelBusy::Scope busy(m_busy);
    if (!busy || index < 0 || index >= m_names.size()) {
        return;
    }
    const BusyCursor wait;
    SaveAndReport();
    m_name = m_names[index];
    Edit_M_EDIT->setText(m_name);
    Load();
}

void MemoryListPanel::Btn_M_EDITClick() {
    if (m_busy.Busy()) {
        return;
    }
    Edit_M_EDIT->setText(m_name);
    Panel_M_EDIT->show();
}

void MemoryListPanel::Btn_M_HENKOClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    const QString name = Edit_M_EDIT->text();
    const QString refusal = ListRenameRefusal(name, m_names, m_dir);
    if (!refusal.isEmpty()) {
        m_messenger.ShowTimedMessage(refusal, Messenger::Ok);
        return;
    }
    const QString error = SaveMemoryList(MemoryListPath(m_dir, name), m_model->rows);
    if (!error.isEmpty()) {
        // The list keeps its old name and file, so nothing is lost.
        m_messenger.ShowTimedMessage(error, Messenger::Ok);
        return;
    }
    QFile::remove(MemoryListPath(m_dir, m_name));
    const qsizetype at = m_names.indexOf(m_name);
    if (at < 0) {
        m_names.append(name);
    } else {
        m_names.replace(at, name);
    }
    m_name = name;
    ShowNames();
    Panel_M_EDIT->hide();
}

void MemoryListPanel::Btn_M_NEWClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    SaveAndReport();
    m_name = FreeListName(m_dir, kNewListPrefix);
    m_names.append(m_name);
    ShowNames();
    m_model->rows.clear();
    m_model->Reset();
}

void MemoryListPanel::Btn_M_DELClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    QFile::remove(MemoryListPath(m_dir, m_name));
    const int index = std::max(static_cast<int>(m_names.indexOf(m_name)), 0);
    m_names.removeAll(m_name);
    if (m_names.isEmpty()) {
        m_names.append(QString::fromLatin1(kFirstListName));
    }
    m_name = m_names.value(index, m_names.constLast());
    ShowNames();
    Load();
}

void MemoryListPanel::RegisterFiles(bool all) {
    const PanelBusy::Scope busy(m_busy);
    if (!busy || !m_browser) {
        return;
    }
    const BusyCursor wait;
    FileListView* files = m_browser->browser->ListView1;
    if (all) {
        files->selectAll();
    }
    m_flags.stopRequested = false;
    Button9->hide();
    Button10->hide();
    {
        const Changing changing(*m_model);
        const QString folder = m_browser->Browser().State().currentPath;
        const std::vector<FileRow>& listed = m_browser->browser->fileModel->Rows();
        for (const int row : files->SelectedRows()) {
            if (m_flags.stopRequested) {
                break;
            }
            m_model->Append(MakeMemoryRow(folder, listed[static_cast<size_t>(row)]));
            SelectAndShow(m_model->rowCount() - 1);
            m_pump.ProcessEvents();
        }
    }
    if (files->isEnabled()) {
        files->setFocus();
    }
    Button9->show();
    Button10->show();
}

int MemoryListPanel::AddFiles(const QStringList& paths) {
    const Changing changing(*m_model);
    int first = -1;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        std::vector<MemoryRow>& rows = m_model->rows;
        // Opening a file the list holds already chooses its row: each start of the same
        // command would otherwise add the file again.
        auto found = std::find_if(rows.begin(), rows.end(), [&](const MemoryRow& row) {
            return row.Path() == info.absoluteFilePath();
        });
        if (found == rows.end()) {
            FileRow fileRow;
            fileRow.name = info.fileName();
            RefreshFileRow(info.absoluteFilePath(), fileRow);
            rows.push_back(MakeMemoryRow(info.absolutePath(), fileRow));
            found = rows.end() - 1;
        }
        if (first < 0) {
            first = static_cast<int>(found - rows.begin());
        }
    }
    m_model->Reset();
    SelectAndShow(first);
    return first;
}

void MemoryListPanel::Button13Click() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    StopPlayback();
    const Changing changing(*m_model);
    const std::vector<int> selected = SelectedRows();
    for (size_t i = selected.size(); i-- > 0;) {
        m_model->rows.erase(m_model->rows.begin() + selected[i]);
    }
    m_model->Reset();
    ListView_M->setFocus();
    m_messenger.ShowTimedMessage(QString::number(selected.size()) +
                                     "個、登録のみ削除しました☆\n削除完了☆",
                                 Messenger::Ok);
}

void MemoryListPanel::MoveRows(bool up) {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    const int at = MoveMemoryRows(m_model->rows, SelectedRows(), up);
    if (at < 0) {
        return;
    }
    const int count = static_cast<int>(SelectedRows().size());
    m_model->Reset();
    QItemSelection selection(m_model->index(at, 0),
                             m_model->index(at + count - 1, kMemoryColumnCount - 1));
    ListView_M->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    ListView_M->selectionModel()->setCurrentIndex(m_model->index(at, 0),
                                                  QItemSelectionModel::NoUpdate);
    ListView_M->scrollTo(m_model->index(at, 0));
    ListView_M->setFocus();
}

void MemoryListPanel::Btn_KoshinClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    const BusyCursor wait;
    for (MemoryRow& row : m_model->rows) {
        RefreshMemoryRow(row);
    }
    m_model->Reset();
}

void MemoryListPanel::Btn_COPYClick() {
    if (m_busy.Busy()) {
        return;
    }
    for (const int row : SelectedRows()) {
        m_copyBuffer.push_back(m_model->rows[static_cast<size_t>(row)]);
    }
    Btn_COPY->setText(QStringLiteral("copy %1ｺ").arg(m_copyBuffer.size()));
}

void MemoryListPanel::Btn_COPY_PUTClick() {
    if (m_busy.Busy() || m_copyBuffer.empty()) {
        return;
    }
    m_model->rows.insert(m_model->rows.end(), m_copyBuffer.begin(), m_copyBuffer.end());
    m_model->Reset();
    SelectAndShow(static_cast<int>(m_model->rows.size()) - 1);
}

void MemoryListPanel::Btn_COPY_CLRClick() {
    if (m_busy.Busy()) {
        return;
    }
    m_copyBuffer.clear();
    Btn_COPY->setText(QStringLiteral("copy 0ｺ"));
    Panel_COPY->hide();
}

void MemoryListPanel::P_File_DELClick() {
    const PanelBusy::Scope busy(m_busy);
    const std::vector<int> selected = SelectedRows();
    if (!busy || selected.empty()) {
        return;
    }
    StopPlayback();
    const Changing changing(*m_model);
    std::vector<MemoryRow> chosen;
    for (const int row : selected) {
        chosen.push_back(m_model->rows[static_cast<size_t>(row)]);
    }
    const std::vector<bool> gone = DeleteMemoryFiles(chosen, m_dir, m_messenger);
    QStringList deleted;
    for (size_t i = selected.size(); i-- > 0;) {
        if (gone[i]) {
            deleted.prepend(chosen[i].Path());
            m_model->rows.erase(m_model->rows.begin() + selected[i]);
        }
    }
    m_model->Reset();
    if (!deleted.isEmpty()) {
        emit RegisteredTimesDeleted(deleted);
    }
}

void MemoryListPanel::ListView_MColumnClick(int column) {
    if (m_busy.Busy() || !MO_M_SORT->isChecked() || column < 0 ||
        column >= kMemoryColumnCount) {
        return;
    }
    const auto sortColumn = static_cast<MemoryColumn>(column);
    const bool descending = m_directions.Toggle(sortColumn);
    const int kept = SortMemoryRows(m_model->rows, sortColumn, descending, Selected());
    m_model->Reset();
    SelectAndShow(kept);
}

void MemoryListPanel::MF_FileOnlyClick() {
    ApplyColumnWidths();
}

bool MemoryListPanel::eventFilter(QObject* watched, QEvent* event) {
    // The column widths follow the list's own width, known only once its layout placed it.
    if (watched == ListView_M->viewport() && event->type() == QEvent::Resize) {
        ApplyColumnWidths();
    }
    return QWidget::eventFilter(watched, event);
}

void MemoryListPanel::ApplyColumnWidths() {
    const int width = ListView_M->viewport()->width();
    int caption = 0;
    int path = width / 2 - 50;
    if (MF_FileOnly->isChecked()) {
        std::swap(caption, path);
    }
    // Sizes, types, dates and attributes keep room for their usual texts: on a narrow list the
    // view scrolls sideways rather than cutting a size or a date short.
    // The selected row is drawn bold.
    QFont bold = ListView_M->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const auto fitting = [&metrics](int ruleWidth, const QString& sample) {
        return std::max(ruleWidth, metrics.horizontalAdvance(sample) + kCellPadding);
    };
    const int widths[kMemoryColumnCount] = {
        caption,
        path,
        fitting(width / 6 - 10, QStringLiteral("9,999,999,999")),
        fitting(width / 10 - 20, QStringLiteral("種類")),
        fitting(width / 4, QStringLiteral("26/12/31 23:59:59 Wed")),
        fitting(width / 10 - 20, QStringLiteral("属性"))};
    for (int column = 0; column < kMemoryColumnCount; ++column) {
        ListView_M->setColumnHidden(column, widths[column] <= 0);
        ListView_M->setColumnWidth(column, std::max(widths[column], 20));
    }
}

void MemoryListPanel::Button14Click() {
    if (m_busy.Busy()) {
        return;
    }
    if (m_model->rows.empty()) {
        m_messenger.ShowMessage(QStringLiteral("登録データがありません・・・"));
        return;
    }
    emit CutScreenRequested(std::max(Selected(), 0));
}

void MemoryListPanel::ListView_MClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy || m_model->rows.empty()) {
        return;
    }
    const BusyCursor wait;
    m_flags.stopRequested = false;
    const Changing changing(*m_model);
    QStringList dropped;
    const int row =
        FindExistingRow(m_model->rows, std::max(Selected(), 0), m_dir, m_messenger, &dropped);
    m_model->Reset();
    if (!dropped.isEmpty()) {
        emit RegisteredTimesDeleted(dropped);
    }
    if (row < 0) {
        return;
    }
    SelectAndShow(row);
    if (m_play) {
        m_play(*this);
    }
}

void MemoryListPanel::SelectAndShow(int row) {
    if (row < 0 || row >= m_model->rowCount()) {
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    ListView_M->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
    ListView_M->scrollTo(index);
}

std::vector<int> MemoryListPanel::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : ListView_M->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList MemoryListPanel::SelectedPaths() const {
    QStringList paths;
    for (const int row : SelectedRows()) {
        paths << m_model->rows[static_cast<size_t>(row)].Path();
    }
    return paths;
}

int MemoryListPanel::Count() const {
    return m_model->rowCount();
}

int MemoryListPanel::Selected() const {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        return -1;
    }
    const int current = ListView_M->currentIndex().row();
    return std::find(rows.begin(), rows.end(), current) != rows.end() ? current : rows.front();
}

void MemoryListPanel::SelectOnly(int row) {
    SelectAndShow(row);
}

QString MemoryListPanel::Path(int row) const {
    return m_model->rows.at(static_cast<size_t>(row)).Path();
}

QString MemoryListPanel::Weight(int row) const {
    return m_model->rows.at(static_cast<size_t>(row)).fields.value(kMemoryFieldCount - 3);
}

void MemoryListPanel::SetWeight(int row, const QString& text) {
    MemoryRow& memoryRow = m_model->rows.at(static_cast<size_t>(row));
    memoryRow.fields.resize(kMemoryFieldCount);
    memoryRow.fields[kMemoryFieldCount - 3] = text;
}

void MemoryListPanel::Click() {
    ListView_MClick();
}

} // namespace veskar

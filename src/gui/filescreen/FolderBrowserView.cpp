#include "gui/filescreen/FolderBrowserView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/browser/FolderPaths.h"
#include "core/host/BusyScope.h"
#include "core/host/EventPump.h"
#include "core/host/SharedFlags.h"
#include "gui/filescreen/FileListModel.h"
#include "gui/main/BusyCursor.h"

namespace veskar {

namespace {

constexpr int kLevelRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kLevelIndentPx = 4;

QIcon DriveIcon(const QStyle* style, DriveType type) {
    switch (type) {
    case DriveType::Removable:
        return style->standardIcon(QStyle::SP_DriveFDIcon);
    case DriveType::Remote:
        return style->standardIcon(QStyle::SP_DriveNetIcon);
    case DriveType::CdRom:
        return style->standardIcon(QStyle::SP_DriveCDIcon);
    case DriveType::RamDisk:
        return style->standardIcon(QStyle::SP_ComputerIcon);
    case DriveType::Fixed:
        break;
    }
    return style->standardIcon(QStyle::SP_DriveHDIcon);
}

// ListBox1: each row indented by its level, the picture first; the selected row bold.
class FolderListDelegate : public BoldSelectionDelegate {
public:
    using BoldSelectionDelegate::BoldSelectionDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted = option;
        shifted.rect.adjust(index.data(kLevelRole).toInt() * kLevelIndentPx + 2, 0, 0, 0);
        BoldSelectionDelegate::paint(painter, shifted, index);
    }
};

} // namespace

FolderBrowserView::FolderBrowserView(FolderBrowser& browser, EventPump& pump, SharedFlags& flags,
                                     QWidget* parent)
    : QWidget(parent), m_browser(browser), m_pump(pump), m_flags(flags) {
    MakeControls();
}

void FolderBrowserView::MakeControls() {
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName("ComboBox2");
    ComboBox2->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox2->setMinimumContentsLength(12);
    connect(ComboBox2, &QComboBox::activated, this, &FolderBrowserView::ComboBox2Click);

    m_headerModel = new QStandardItemModel(0, 1, this);
    HeaderControl1 = new QHeaderView(Qt::Horizontal, this);
    HeaderControl1->setObjectName("HeaderControl1");
    HeaderControl1->setModel(m_headerModel);
    HeaderControl1->setSectionsClickable(true);
    HeaderControl1->setStretchLastSection(true);
    HeaderControl1->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    HeaderControl1->setFixedHeight(HeaderControl1->fontMetrics().height() + 8);
    HeaderControl1->setToolTip(
        QStringLiteral("クリックで、フォルダーの一覧とツリーを切り替えます"));
    connect(HeaderControl1, &QHeaderView::sectionClicked, this,
            &FolderBrowserView::HeaderControl1SectionClick);
    SetFolderCount(-1);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setItemDelegate(new FolderListDelegate(ListBox1));
    // The folder views are rebuilt by what their clicks start, so that work runs after the
    // view has finished with the click.
    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = ListBox1->row(item);
        QMetaObject::invokeMethod(
            this, [this, row] { ListBox1Click(row); }, Qt::QueuedConnection);
    });

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName("TreeView1");
    TreeView1->setHeaderHidden(true);
    TreeView1->setItemDelegate(new BoldSelectionDelegate(TreeView1));
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current == nullptr || m_treeRebuilding) {
            return;
        }
        const QString folder = current->data(0, kPathRole).toString();
        QMetaObject::invokeMethod(
            this, [this, folder] { TreeView1Change(folder); }, Qt::QueuedConnection);
    });

    folderViews = new QStackedWidget(this);
    folderViews->addWidget(TreeView1);
    folderViews->addWidget(ListBox1);
    folderViews->setCurrentWidget(
        m_browser.State().folderViewMode == 0 ? static_cast<QWidget*>(TreeView1) : ListBox1);

    fileModel = new FileListModel(this);
    ListView1 = new FileListView(this);
    ListView1->setObjectName("ListView1");
    ListView1->setModel(fileModel);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            &FolderBrowserView::ListView1ColumnClick);
    connect(ListView1, &QAbstractItemView::clicked, this, &FolderBrowserView::FileActivated);
    connect(ListView1, &FileListView::FileKeyReleased, this, &FolderBrowserView::FileActivated);

    ComboBox_KAKU = new QComboBox(this);
    ComboBox_KAKU->setObjectName("ComboBox_KAKU");
    ComboBox_KAKU->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox_KAKU->setMinimumContentsLength(10);
    connect(ComboBox_KAKU, &QComboBox::activated, this, &FolderBrowserView::ComboBox_KAKUChange);

    auto* folderSide = new QWidget(this);
    auto* folderColumn = new QVBoxLayout(folderSide);
    folderColumn->setContentsMargins(0, 0, 0, 0);
    folderColumn->setSpacing(2);
    driveRow = new QHBoxLayout;
    driveRow->addWidget(ComboBox2, 1);
    folderColumn->addLayout(driveRow);
    folderColumn->addWidget(HeaderControl1);
    folderColumn->addWidget(folderViews, 1);

    auto* fileSide = new QWidget(this);
    fileColumn = new QVBoxLayout(fileSide);
    fileColumn->setContentsMargins(0, 0, 0, 0);
    fileColumn->setSpacing(2);
    filterRow = new QHBoxLayout;
    filterRow->addWidget(ComboBox_KAKU, 1);
    fileColumn->addLayout(filterRow);
    fileColumn->addWidget(ListView1, 1);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(folderSide);
    splitter->addWidget(fileSide);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 5);
    splitter->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
}

void FolderBrowserView::SetFolderCount(int count) {
    const QString number = count < 0 ? QStringLiteral("---") : QString::number(count);
    m_headerModel->setHeaderData(0, Qt::Horizontal, number + QStringLiteral("ｺ　フォルダー"));
}

void FolderBrowserView::FillDrives(const QString& folder) {
    m_browser.ReadVolumes();
    const QSignalBlocker blocker(ComboBox2);
    ComboBox2->clear();
    for (const Volume& volume : m_browser.Volumes()) {
        ComboBox2->addItem(DriveIcon(style(), volume.type), volume.root, volume.root);
    }
    SelectDrive(m_browser.DriveOf(BrowserFolderText(folder)));
}

void FolderBrowserView::SelectDrive(const QString& root) {
    const QSignalBlocker blocker(ComboBox2);
    for (int i = 0; i < ComboBox2->count(); ++i) {
        ComboBox2->setItemText(i, ComboBox2->itemData(i).toString());
    }
    const int row = ComboBox2->findData(root);
    ComboBox2->setCurrentIndex(row);
    for (const Volume& volume : m_browser.Volumes()) {
        if (row >= 0 && volume.root == root) {
            ComboBox2->setItemText(row, root + " " + DriveLabelText(volume));
        }
    }
}

bool FolderBrowserView::ShowFolder(const QString& folder) {
    if (m_navigating) {
        return false;
    }
    const BusyScope busy(m_navigating);
    const BusyCursor wait;
    SetFolderCount(-1);
    m_pump.ProcessEvents();
    FolderView view;
    const bool shown = m_browser.ShowFolder(folder, view);
    ShowView(view);
    if (!shown) {
        return false;
    }
    SelectDrive(view.driveRoot);
    emit FolderShown(m_browser.State().currentPath);
    FillFileList();
    return true;
}

bool FolderBrowserView::GoToFolder(const QString& folder) {
    if (m_navigating) {
        return false;
    }
    QString target;
    {
        const BusyScope busy(m_navigating);
        target = m_browser.GoToFolder(folder);
    }
    return !target.isEmpty() && ShowFolder(target);
}

void FolderBrowserView::ShowView(const FolderView& view) {
    if (m_browser.State().folderViewMode == 0) {
        ShowTree(view);
    } else {
        ShowList(view);
    }
    SetFolderCount(view.Count());
}

void FolderBrowserView::ShowList(const FolderView& view) {
    folderViews->setCurrentWidget(ListBox1);
    ListBox1->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const FolderListRow& row : view.rows) {
        auto* item = new QListWidgetItem(row.open ? open : closed, row.text, ListBox1);
        item->setData(kLevelRole, row.level);
    }
    ListBox1->setCurrentRow(view.selectedRow);
}

void FolderBrowserView::ShowTree(const FolderView& view) {
    folderViews->setCurrentWidget(TreeView1);
    const BusyScope rebuilding(m_treeRebuilding);
    TreeView1->clear();
    if (view.tree.empty()) {
        return;
    }
    QIcon icon(style()->standardIcon(QStyle::SP_DirClosedIcon));
    icon.addPixmap(style()->standardIcon(QStyle::SP_DirOpenIcon).pixmap(16), QIcon::Selected);
    auto* node = new QTreeWidgetItem(TreeView1, {view.tree.front().path});
    node->setIcon(0, icon);
    node->setData(0, kPathRole, view.tree.front().path);
    for (const FolderTreeLevel& level : view.tree) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < level.children.size(); ++i) {
            auto* child = new QTreeWidgetItem(node, {level.children[i]});
            child->setIcon(0, icon);
            child->setData(0, kPathRole, ChildPath(level.path, level.children[i]));
            if (i == level.next) {
                next = child;
            }
        }
        if (next == nullptr) {
            break;
        }
        node = next;
    }
    TreeView1->expandAll();
    TreeView1->setCurrentItem(node);
    TreeView1->scrollToItem(node);
    if (TreeView1->isVisible()) {
        TreeView1->setFocus();
    }
}

void FolderBrowserView::FillFileList() {
    fileModel->SetRows({});
    fileModel->SetFilling(true);
    m_pump.ProcessEvents();
    m_flags.stopRequested = false;
    std::vector<FileRow> rows;
    m_browser.FillFileList(rows, [this] {
        m_pump.ProcessEvents();
        return !m_flags.stopRequested;
    });
    fileModel->SetRows(std::move(rows));
    fileModel->SetFilling(false);
}

void FolderBrowserView::SetFilters(const QStringList& captions, const QStringList& masks,
                                   int selected) {
    const QSignalBlocker blocker(ComboBox_KAKU);
    ComboBox_KAKU->clear();
    for (int i = 0; i < captions.size(); ++i) {
        ComboBox_KAKU->addItem(captions[i], masks.value(i));
    }
    ComboBox_KAKU->setCurrentIndex(selected);
    m_browser.State().fileMask = masks.value(selected);
}

QString FolderBrowserView::FilePath(int row) const {
    const std::vector<FileRow>& rows = fileModel->Rows();
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        return QString();
    }
    return m_browser.FilePath(rows[static_cast<size_t>(row)]);
}

void FolderBrowserView::ComboBox2Click(int index) {
    if (m_navigating || index < 0) {
        return;
    }
    QString folder;
    {
        const BusyScope busy(m_navigating);
        const BusyCursor wait;
        m_pump.ProcessEvents();
        folder = m_browser.ChangeDrive(ComboBox2->itemData(index).toString());
    }
    if (!ShowFolder(folder)) {
        SelectDrive(m_browser.DriveOf(m_browser.State().currentPath));
    }
}

void FolderBrowserView::ListBox1Click(int row) {
    if (row < 0 || row >= ListBox1->count()) {
        return;
    }
    const QString current = m_browser.State().currentPath;
    const QStringList components = FolderComponents(current, m_browser.DriveOf(current));
    const int depth = static_cast<int>(components.size());
    ShowFolder(row < depth ? ComponentPath(components, row)
                           : ChildPath(current, ListBox1->item(row)->text()));
}

void FolderBrowserView::TreeView1Change(const QString& folder) {
    if (m_treeRebuilding || m_navigating || folder.isEmpty()) {
        return;
    }
    if (folder != m_browser.State().currentPath) {
        ShowFolder(folder);
    }
}

void FolderBrowserView::HeaderControl1SectionClick() {
    if (m_navigating) {
        return;
    }
    BrowserState& state = m_browser.State();
    state.folderViewMode = state.folderViewMode == 0 ? -1 : 0;
    ShowFolder(state.currentPath);
}

void FolderBrowserView::ComboBox_KAKUChange(int index) {
    if (m_navigating || index < 0) {
        return;
    }
    const BusyScope busy(m_navigating);
    const BusyCursor wait;
    m_browser.State().fileMask = ComboBox_KAKU->itemData(index).toString();
    FillFileList();
}

void FolderBrowserView::ListView1ColumnClick(int column) {
    if (m_sortBusy || m_navigating || column < 0 || column >= kFileColumnCount) {
        return;
    }
    const BusyScope busy(m_sortBusy);
    const BusyCursor wait;
    const int selected = ListView1->SelectedRow();
    const int kept =
        m_browser.SortFileList(fileModel->Rows(), static_cast<FileColumn>(column), selected);
    fileModel->Changed();
    if (kept >= 0) {
        ListView1->SelectOnly(kept);
        ListView1->setFocus();
    }
}

} // namespace veskar

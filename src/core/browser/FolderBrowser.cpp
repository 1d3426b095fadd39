#include "core/browser/FolderBrowser.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include "core/browser/FileMasks.h"
#include "core/browser/FolderHistory.h"
#include "core/browser/FolderPaths.h"
#include "core/host/Messenger.h"

namespace veskar {

FolderBrowser::FolderBrowser(BrowserState& state, Messenger& messenger, QString fallbackFolder)
    : m_state(state), m_messenger(messenger), m_fallback(BrowserFolderText(fallbackFolder)),
      m_folderErrorTail(QStringLiteral("エラーを回避してみます。")) {
}

void FolderBrowser::ReadVolumes() {
    m_volumes = MountedVolumes();
}

QString FolderBrowser::DriveOf(const QString& folder) const {
    return veskar::DriveOf(folder, m_volumes);
}

bool FolderBrowser::ShowFolder(const QString& folder, FolderView& view) {
    QString target = BrowserFolderText(folder);
    QSet<QString> tried;
    for (;;) {
        tried.insert(target);
        if (EnterFolder(target) && BuildView(target, view)) {
            RecordDriveFolder(m_state.driveFolders, target, m_volumes);
            m_state.currentPath = target;
            return true;
        }
        m_messenger.ShowTimedMessage("フォルダー・エラー発生\n" + target + "\n" + m_folderErrorTail,
                                     Messenger::Ok);
        QString next = NearestUsableFolder(target, m_fallback);
        // The folder can be entered but not listed: its parent is the nearest that might be.
        if (tried.contains(next) && next != QFileInfo(next).path()) {
            next = QFileInfo(next).path();
        }
        if (tried.contains(next)) {
            next = m_fallback;
        }
        if (tried.contains(next)) {
            view = FolderView{};
            return false;
        }
        target = next;
    }
}

bool FolderBrowser::BuildView(const QString& folder, FolderView& view) const {
    view = FolderView{};
    view.folder = folder;
    view.driveRoot = DriveOf(folder);
    return m_state.folderViewMode == 0 ? BuildTree(view) : BuildList(view);
}

bool FolderBrowser::BuildList(FolderView& view) const {
    const SubfolderListing subfolders = ListSubfolders(view.folder);
    if (!subfolders.error.isEmpty()) {
        return false;
    }
    const QStringList components = FolderComponents(view.folder, view.driveRoot);
    const int depth = static_cast<int>(components.size());
    for (int i = 0; i < depth; ++i) {
        view.rows.push_back({components[i], i, true});
    }
    for (const QString& name : subfolders.names) {
        view.rows.push_back({name, depth, false});
    }
    view.selectedRow = depth - 1;
    return true;
}

bool FolderBrowser::BuildTree(FolderView& view) const {
    const QStringList components = FolderComponents(view.folder, view.driveRoot);
    QString path = components[0];
    for (int i = 0; i < components.size(); ++i) {
        SubfolderListing subfolders = ListSubfolders(path);
        if (!subfolders.error.isEmpty()) {
            return false;
        }
        FolderTreeLevel level;
        level.path = path;
        level.children = std::move(subfolders.names);
        if (i + 1 < components.size()) {
            const QString& name = components[i + 1];
            level.next = static_cast<int>(level.children.indexOf(name));
            // A hidden folder on the way is not among the listed ones, yet it leads there.
            if (level.next < 0) {
                level.children << name;
                level.next = static_cast<int>(level.children.size()) - 1;
            }
            path = ChildPath(path, name);
        }
        view.tree.push_back(std::move(level));
    }
    return true;
}

bool FolderBrowser::FillFileList(std::vector<FileRow>& rows, const ListingPoll& poll) {
    rows.clear();
    const QString folder = m_state.currentPath;
    FileListing listing;
    if (EnterFolder(folder)) {
        listing = ListFiles(folder, FileMasks(m_state.fileMask), poll);
    } else {
        listing.error = QStringLiteral("not a folder");
    }
    m_directions.Reset();
    if (!listing.error.isEmpty()) {
        m_messenger.ShowMessage("ファイルリスト・エラー発生\n" + folder +
                                "\n別のドライブか、フォルダーを選択してみて下さい");
        return false;
    }
    rows = std::move(listing.rows);
    SortFileRows(rows, FileColumn::Name, false);
    return true;
}

int FolderBrowser::SortFileList(std::vector<FileRow>& rows, FileColumn column, int keepRow) {
    return SortFileRows(rows, column, m_directions.Toggle(column), keepRow);
}

QString FolderBrowser::ChangeDrive(const QString& root) {
    if (!DriveReady(root)) {
        m_messenger.ShowTimedMessage("ドライブ・エラー発生\n" + root + "\n元のドライブに戻します",
                                     Messenger::Ok);
        return root == DriveOf(m_state.currentPath) || m_state.currentPath.isEmpty()
                   ? m_fallback
                   : m_state.currentPath;
    }
    for (Volume& volume : m_volumes) {
        if (volume.root == root) {
            const QStorageInfo storage(root);
            volume.label = storage.name();
            volume.bytesFree = storage.bytesAvailable();
            volume.bytesTotal = storage.bytesTotal();
        }
    }
    const QString remembered = RememberedFolder(m_state.driveFolders, root, m_volumes);
    if (!remembered.isEmpty()) {
        return remembered;
    }
    const QString working = BrowserFolderText(QDir::currentPath());
    return DriveOf(working) == root ? working : root;
}

QString FolderBrowser::GoToFolder(const QString& folder) {
    const QString target = BrowserFolderText(folder);
    if (!EnterFolder(target)) {
        return QString();
    }
    RecordDriveFolder(m_state.driveFolders, target, m_volumes);
    return ChangeDrive(DriveOf(target));
}

QString FolderBrowser::PickHistory() {
    const auto usable = [](const QString& folder) {
        return EnterFolder(BrowserFolderText(folder));
    };
    const QString entry =
        PickHistoryFolder(m_state.history, m_state.historyIndex, usable, m_messenger);
    if (entry.isEmpty()) {
        return QString();
    }
    const QString shown = GoToFolder(entry);
    if (shown.isEmpty()) {
        m_messenger.ShowMessage(entry + "\nフォルダーチェンジ・エラー");
    }
    return shown;
}

bool FolderBrowser::RefreshRow(FileRow& row) const {
    return RefreshFileRow(FilePath(row), row);
}

QString FolderBrowser::FilePath(const FileRow& row) const {
    return ChildPath(m_state.currentPath, row.name);
}

} // namespace veskar

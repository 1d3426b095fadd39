#pragma once

#include <vector>

#include <QString>
#include <QStringList>

namespace veskar {

/// One row of the folder list ListBox1.
struct FolderListRow {
    QString text;
    int level = 0;     ///< indentation level
    bool open = false; ///< an ancestor (or the folder itself) rather than a subfolder
};

/// One level of the folder tree TreeView1, from the drive root down to the folder shown.
struct FolderTreeLevel {
    QString path;         ///< the folder whose subfolders these are
    QStringList children; ///< subfolder names
    int next = -1;        ///< the child that leads to the next level; -1 on the last level
};

/// What the folder list or tree shows for one folder.
struct FolderView {
    QString folder;    ///< the folder shown
    QString driveRoot; ///< the drive it is on
    /// The list: the ancestors from the drive root down to the folder (open pictures, levels
    /// 0..k-1), then the subfolders (closed pictures, level k). Row k-1 is the folder itself.
    std::vector<FolderListRow> rows;
    int selectedRow = -1;
    /// The tree, when built.
    std::vector<FolderTreeLevel> tree;

    /// The count of the header: the rows of the list, or the nodes of the tree.
    int Count() const {
        if (tree.empty()) {
            return static_cast<int>(rows.size());
        }
        int nodes = 1;
        for (const FolderTreeLevel& level : tree) {
            nodes += static_cast<int>(level.children.size());
        }
        return nodes;
    }
};

} // namespace veskar

#pragma once

#include <QString>
#include <QWidget>

#include "core/browser/FolderBrowser.h"

class QComboBox;
class QHBoxLayout;
class QHeaderView;
class QListWidget;
class QStackedWidget;
class QStandardItemModel;
class QTreeWidget;
class QVBoxLayout;

namespace veskar {

class EventPump;
class FileListModel;
class FileListView;
struct SharedFlags;

/// The browser of the file screen and of the folder dialog: the drive box ComboBox2, the folder
/// list ListBox1 or folder tree TreeView1 switched by the header HeaderControl1, the file list
/// ListView1 and the filter box ComboBox_KAKU. It shows what its FolderBrowser decides; the
/// owner adds its own controls in the drive and filter rows and handles a file's activation.
class FolderBrowserView : public QWidget {
    Q_OBJECT
public:
    FolderBrowserView(FolderBrowser& browser, EventPump& pump, SharedFlags& flags,
                      QWidget* parent = nullptr);

    FolderBrowser& Browser() { return m_browser; }

    /// Filling the drive box: one row per drive, the drive of folder selected with its label.
    void FillDrives(const QString& folder);
    /// Shows folder in the current view mode (with the browser's recovery), then fills the file
    /// list. False when a navigation already runs or nothing could be shown.
    bool ShowFolder(const QString& folder);
    /// Going to a folder from outside: enters it, selects its drive and shows the folder the
    /// drive change gives. False when the folder cannot be entered or a navigation runs.
    bool GoToFolder(const QString& folder);
    /// Fills the file list of the current folder with the current `FileMask`.
    void FillFileList();
    /// The filter entries: captions shown, masks applied (`FileMask`), the one selected.
    void SetFilters(const QStringList& captions, const QStringList& masks, int selected);
    /// Full path of the file of a row; empty when there is no such row.
    QString FilePath(int row) const;

    QComboBox* ComboBox2 = nullptr;
    QHeaderView* HeaderControl1 = nullptr;
    QStackedWidget* folderViews = nullptr;
    QListWidget* ListBox1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    FileListView* ListView1 = nullptr;
    FileListModel* fileModel = nullptr;
    QComboBox* ComboBox_KAKU = nullptr;
    /// Rows for the owner's own controls: beside the drive box and beside the filter box.
    QHBoxLayout* driveRow = nullptr;
    QHBoxLayout* filterRow = nullptr;
    /// The column of the file list, for panels the owner opens above it.
    QVBoxLayout* fileColumn = nullptr;

signals:
    /// A folder is shown (its path for Edit_File_Disp or Edit_Folder).
    void FolderShown(const QString& folder);
    /// ListView1 was clicked, or a key that acts on a file was released in it.
    void FileActivated();

public slots:
    void ComboBox2Click(int index);
    /// A row of ListBox1 was clicked: an ancestor, or a subfolder.
    void ListBox1Click(int row);
    /// The folder of the selected node of TreeView1.
    void TreeView1Change(const QString& folder);
    void HeaderControl1SectionClick();
    void ComboBox_KAKUChange(int index);
    void ListView1ColumnClick(int column);

private:
    void MakeControls();
    void ShowView(const FolderView& view);
    void ShowList(const FolderView& view);
    void ShowTree(const FolderView& view);
    void SetFolderCount(int count);
    void SelectDrive(const QString& root);

    FolderBrowser& m_browser;
    EventPump& m_pump;
    SharedFlags& m_flags;
    QStandardItemModel* m_headerModel = nullptr;
    /// One navigation at a time: a second one while the file list fills (which processes
    /// events) would be overwritten by the first when it finishes.
    bool m_navigating = false;
    bool m_treeRebuilding = false;
    bool m_sortBusy = false;
};

} // namespace veskar

#pragma once

#include <vector>

#include <QString>

#include "core/browser/BrowserState.h"
#include "core/browser/FileRow.h"
#include "core/browser/FileRowSort.h"
#include "core/browser/FolderListing.h"
#include "core/browser/FolderView.h"
#include "core/browser/Volumes.h"

namespace veskar {

class Messenger;

/// The browser's handlers without their widgets: the file screen and each folder dialog own
/// one over their own state. The window reads the controls, calls these and shows the result.
class FolderBrowser {
public:
    /// fallbackFolder stands in for a folder that cannot be recovered and a drive that is not
    /// ready (the user's music folder, or home).
    FolderBrowser(BrowserState& state, Messenger& messenger, QString fallbackFolder);

    BrowserState& State() { return m_state; }
    const BrowserState& State() const { return m_state; }

    /// Reads the mounted volumes (the drive box rows).
    void ReadVolumes();
    void SetVolumes(std::vector<Volume> volumes) { m_volumes = std::move(volumes); }
    const std::vector<Volume>& Volumes() const { return m_volumes; }
    /// The drive of a folder among the volumes.
    QString DriveOf(const QString& folder) const;

    /// The tail of the folder error message: "エラーを回避してみます。" on the file screen.
    void SetFolderErrorTail(const QString& tail) { m_folderErrorTail = tail; }

    /// Shows folder in the current view mode: enters it (creating it when missing), records it
    /// for its drive, makes it `CurrentPath` and builds the folder list or tree into view. A
    /// folder that fails shows the timed message "フォルダー・エラー発生\n" + folder + "\n" +
    /// tail and the nearest usable folder is shown instead. False only when nothing could be
    /// shown at all.
    bool ShowFolder(const QString& folder, FolderView& view);

    /// File list fill for `CurrentPath` with `FileMask`: rows in name order, the sort
    /// directions reset. A folder that cannot be read shows the plain message
    /// "ファイルリスト・エラー発生\n" + folder + "\n別のドライブか、フォルダーを選択してみて下さい"
    /// and leaves rows empty.
    bool FillFileList(std::vector<FileRow>& rows, const ListingPoll& poll = {});

    /// ListView1ColumnClick: flips the column's direction and sorts; returns where the row at
    /// keepRow went.
    int SortFileList(std::vector<FileRow>& rows, FileColumn column, int keepRow);

    /// Drive change to the drive at root; returns the folder to show. A drive that does not
    /// answer shows the timed message "ドライブ・エラー発生\n" + root + "\n元のドライブに戻します"
    /// and the current folder is shown again (the fallback when root is its own drive). A ready
    /// drive gets its label read again; the folder is the one last visited there, or the
    /// working folder when it is on that drive, or the root.
    QString ChangeDrive(const QString& root);

    /// Going to a folder from outside (start-up, history, other screens): enters and records
    /// it, then changes to its drive. Returns the folder to show; empty when it cannot be
    /// entered.
    QString GoToFolder(const QString& folder);

    /// ComboBox_D_EDITChange: goes to the folder of the selected history entry (see
    /// PickHistoryFolder for entries that are missing) and returns the folder to show. Empty
    /// when none is left, or the plain message entry + "\nフォルダーチェンジ・エラー" when
    /// the entry cannot be entered after all.
    QString PickHistory();

    /// Refreshes the row of a file in `CurrentPath` (see RefreshFileRow).
    bool RefreshRow(FileRow& row) const;
    /// Full path of a row's file.
    QString FilePath(const FileRow& row) const;

private:
    bool BuildView(const QString& folder, FolderView& view) const;
    bool BuildList(FolderView& view) const;
    bool BuildTree(FolderView& view) const;

    BrowserState& m_state;
    Messenger& m_messenger;
    QString m_fallback;
    QString m_folderErrorTail;
    std::vector<Volume> m_volumes;
    SortDirections m_directions;
};

} // namespace veskar

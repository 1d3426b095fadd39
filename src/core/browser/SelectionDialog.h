#pragma once

#include <vector>

#include <QString>
#include <QStringList>

namespace veskar {

class Messenger;

/// The rules of the folder and file selection dialog (`TDIR2OPENDLG`) that do not need its
/// widgets.

/// One entry of the dialog's filter box: "description (mask)" and the mask it lists.
struct DialogFilter {
    QString caption;
    QString mask;
};

/// The filter text "description|mask|description|mask" as filter box entries, each
/// description followed by its mask in parentheses unless it already ends with them; when no
/// pair lists "*.*", "ALL files (*.*)" is added at the end.
std::vector<DialogFilter> DialogFilters(const QString& filter);

/// The dialog's caption: title (appTitle when empty) followed by "ファイルの選択" or
/// "フォルダーの選択", or by suffix when one is given.
QString DialogCaption(const QString& title, const QString& appTitle, bool fileMode,
                      const QString& suffix = {});

/// The folder the dialog opens at: the first of the folder of fileName (file mode only),
/// directory, initialDir and programDir that is an absolute path, climbing to its nearest
/// existing ancestor. Nothing is created for a dialog that only opens; home when none is
/// usable.
QString DialogStartFolder(bool fileMode, const QString& fileName, const QString& directory,
                          const QString& initialDir, const QString& programDir);

/// The caption of the new-folder input box: the folder, or "..." and its last 35 characters
/// when it is longer than 38, then five blanks.
QString NewFolderCaption(const QString& folder);

/// "設定" in file mode with the text of Edit_File and the folder of Edit_Folder.
struct FileChoice {
    QString path;  ///< the chosen file, with DefaultExt added when it differs
    QString error; ///< the message when the text is refused; the dialog stays open then
};
/// A bare name is taken in the folder shown, an absolute path as it is; a path relative to
/// something else, or a text without a file name, is refused with the text, its name and
/// "ファイル名が不正です・・・" (for a path, also how to give one). When defaultExt is set and
/// the extension differs from it regardless of letter case, "." + defaultExt is appended.
FileChoice ChooseFile(const QString& fileText, const QString& folder, const QString& defaultExt);

/// The overwrite question for an existing file (timed, default No): true when the file does
/// not exist or the answer is Yes.
bool MayOverwrite(const QString& path, Messenger& messenger);

/// "NF": makes folder/name; the message "フォルダー作成エラー" and an empty result when it does
/// not exist afterwards.
QString MakeNewFolder(const QString& folder, const QString& name, Messenger& messenger);

/// "DF": asks folder + "\nこのフォルダーを削除します☆" (timed, default No) and on Yes removes
/// the folder when it is empty. Returns the parent to show; empty when nothing changed
/// (declined, or "フォルダーの削除に失敗しました・・・" for a root or a folder that cannot be
/// removed, files in it included: a folder is never removed with its files).
QString DeleteFolder(const QString& folder, Messenger& messenger);

/// The folders shown in one run of the dialog, for "HF" (back).
class FolderSteps {
public:
    /// A folder was shown; showing the same one again adds nothing.
    void Shown(const QString& folder);
    bool CanGoBack() const { return m_folders.size() >= 2; }
    /// Drops the current folder and returns the one before it; empty when there is none.
    QString Back();

private:
    QStringList m_folders;
};

} // namespace veskar

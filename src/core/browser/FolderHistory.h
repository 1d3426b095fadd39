#pragma once

#include <functional>

#include <QString>
#include <QStringList>

namespace veskar {

class Messenger;

/// The folder history (`FolderHistory`, ComboBox_D_EDIT): full folder paths, most recent first.
/// While its panel is open, entry 0 is a temporary copy of the current folder.

/// ColorBtn3 "T": the current folder goes to the top, without a second copy.
void RegisterHistoryFolder(QStringList& history, const QString& current);

/// Button_HIS "H": puts the temporary entry on top; returns its index (0), to be selected.
int OpenHistoryPanel(QStringList& history, const QString& current);

/// ColorBtn7 "削除": deletes the selected entry; index moves to the entry now in its place, or
/// the last one. The temporary entry is refused with "現在のフォルダーは、削除出来ません・・・".
bool DeleteHistoryEntry(QStringList& history, int& index, Messenger& messenger);

/// ColorBtn9 "戻る", also run at close while the panel is open: the selected entry moves up to
/// just below the temporary one, which then goes, so the chosen folder ends first. index ends
/// on that entry (-1 when the history is empty).
void CloseHistoryPanel(QStringList& history, int& index);

/// ComboBox_D_EDITChange: the folder of the selected entry when usable says it exists or could
/// be created. An entry that is neither is deleted after the timed message entry +
/// "\nこのフォルダーは、存在しないので、登録を削除します☆" and the entry now at index (or
/// the last) is tried; with none left, "ヒストリー登録フォルダーが存在しないので、停止します☆"
/// and an empty result.
QString PickHistoryFolder(QStringList& history, int& index,
                          const std::function<bool(const QString&)>& usable, Messenger& messenger);

} // namespace veskar

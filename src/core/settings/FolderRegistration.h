#pragma once

#include <QString>

namespace veskar {

class Messenger;

/// How the folder box's "設定" ended.
enum class FolderRegistration {
    Registered, ///< the folder exists (made if needed) and was registered
    Empty,      ///< no text: "フォルダーを設定して下さい。"
    Declined,   ///< a level was to be made and the answer was not Yes
    Failed, ///< a level could not be made: "フォルダーの作成に失敗しました・・・"
    Unusable, ///< not a folder path: "[ " + text + " ]\nデータが不正です"
};

/// The folder box's "設定" for the typed text: a leading "~" stands for the home folder, and
/// any other path must be absolute. Each missing level, from the top down, is made after the
/// timed question (default Yes) level + "\nフォルダーを作成します"; when the folder then
/// exists, the plain message "[ " + folder + " ]\nフォルダーを登録しました" says so and
/// folder receives it (without a trailing separator). Every other end shows its message.
FolderRegistration RegisterFolder(const QString& text, Messenger& messenger, QString& folder);

} // namespace veskar

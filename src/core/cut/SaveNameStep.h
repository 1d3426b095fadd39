#pragma once

#include <QString>

#include "core/text/FolderText.h"

namespace veskar {

class Messenger;
class SaveFileDialog;
struct SharedFlags;

/// Result of letting the user name one segment file.
struct SaveNameResult {
    bool accepted = false;
    QString path; ///< the chosen path when accepted
};

/// The save-name step of a segment when `MF_SAVE_NAME` "分割ファイル名を自分で付ける" is
/// ticked: shows the dialog with the automatic name until the user accepts a path or cancels.
/// - Cancel: "{automatic name}\nセーブせずに飛ばします☆☆☆" (Abort stops the run); declined.
/// - The source itself (any spelling or link of it): "{chosen path}\n元ファイルには上書きセーブ
///   出来ません・・・" (Abort stops the run) and the dialog again. This is checked before the
///   folder question, so a refused path never changes `SaveDir`.
/// - A name already taken (after the extension is lower-cased): asks whether to save under
///   the free name the save will use instead (Yes accepts, anything else shows the dialog
///   again); nothing is ever replaced.
/// - A folder other than saveDir: asks whether saveDir should follow (Yes changes saveDir, No
///   keeps it, Abort shows the dialog again).
SaveNameResult AskSaveName(const QString& automaticName, const QString& sourcePath,
                           QString& saveDir, SaveFileDialog& dialog, Messenger& messenger,
                           SharedFlags& flags);

} // namespace veskar

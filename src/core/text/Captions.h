#pragma once

#include <QString>

namespace veskar {

// Captions that the program shows on more than one control, written once so they cannot drift
// apart.

/// `AppTitle`: the application's title, the main window's caption and the tray tip.
inline const QString kAppTitle = QStringLiteral("PIRVAN SOUND カッター");
/// The item that closes a menu and changes nothing.
inline const QString kCancelCaption = QStringLiteral("キャンセル");
/// The stop button of the progress box and the cancel button of the input box.
inline const QString kStopCaption = QStringLiteral("中止");
/// The button that hides a panel of the cut screen.
inline const QString kCloseCaption = QStringLiteral("閉じる");
/// The register buttons under the time lists: with the default start colour, and without.
inline const QString kRegisterWithColorCaption = QStringLiteral("<登");
inline const QString kRegisterCaption = QStringLiteral("録");
/// The subdivide buttons that fill every subdivision list from a line of another list.
inline const QString kSubdivideAllCaption = QStringLiteral(">60s");
/// The command that makes a WAV file the cut file, in the file menu and on the file screen.
inline const QString kOpenWavCaption = QStringLiteral("WAVファイルを開く…");
/// The save folder of the cut pieces: its file-menu item and the title of its folder box.
inline const QString kSaveDirCaption = QStringLiteral("分割WAVファイル登録先");

} // namespace veskar

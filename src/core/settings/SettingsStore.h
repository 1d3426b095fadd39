#pragma once

#include <memory>

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include "core/settings/Settings.h"

class QSettings;

namespace veskar {

/// `InstalledVersion`: the "Version" that setup writes and the program entry asks for.
inline constexpr int kInstalledVersion = 26;
/// What a missing, empty or non-numeric "Version" counts as.
inline constexpr int kVersionNotInstalled = 255;

/// Prefix of the message about a settings write that failed; the file, "\n" and a hint follow.
inline constexpr char kSettingsSaveError[] = "設定保存エラー：";

/// `SettingsStore`: the per-user settings of "KOTAN ZORU32" / "VESKAR" (an INI file in the
/// user's configuration folder). Every read and every write opens the store, works and closes
/// it. A value is read on its own: missing, empty, not a decimal number or out of its range, it
/// takes its default without a word. Writes go to a temporary file that replaces the store only
/// when complete, so a full disk or a crash never leaves half a store behind; a failed write
/// returns its message, and the store keeps what it held before.
class SettingsStore {
public:
    static constexpr char kOrganization[] = "KOTAN ZORU32";
    static constexpr char kProduct[] = "VESKAR";

    /// The user's own store.
    SettingsStore();
    /// A store in the INI file at iniPath.
    explicit SettingsStore(const QString& iniPath);

    /// The file behind the store.
    QString FileName() const;

    /// "Version" as the program entry reads it; kVersionNotInstalled when missing, empty or not
    /// a decimal number.
    int ReadVersion() const;

    /// What form creation reads: "FP" and "SAVE_DIR".
    void ReadFormValues(Settings& settings) const;
    /// "BG_DIR", read first in the deferred start-up, before its first-run prompt.
    void ReadChopDir(Settings& settings) const;
    /// Every other value the deferred start-up reads, with "Group".
    void ReadDeferredValues(Settings& settings) const;

    /// The silence fields of the older program version: read once, then deleted from the store.
    OlderSilenceFields TakeOlderSilenceFields();
    /// The older level fields of one sample-width family ("EML8" + row for 8-bit files, "EML" +
    /// row otherwise), read in row order up to the first missing one; each one read is deleted.
    QStringList TakeOlderLevels(bool eightBit);

    /// Writes one folder value at once ("SAVE_DIR" or "BG_DIR" after its first-run prompt).
    /// Returns the failure message, empty on success.
    QString WriteFolder(const QString& name, const QString& folder);
    /// The save at close: every value of SavedNames() from settings. Returns the failure
    /// message, empty on success; on failure nothing of the save reached the store.
    QString WriteAll(const Settings& settings);
    /// What setup writes: "EXEPATH", "Group", "BackColor", "KOTAN_COLOR" and last "Version" 26.
    QString WriteSetup(const QString& programPath, const QString& group);
    /// Empties "Version", so that the next start opens setup. Returns the failure message.
    QString ClearVersion();
    /// Uninstall: removes every value and the store's file.
    QString RemoveAll();

    /// The values written at close, in the order of the save.
    static QStringList SavedNames();

private:
    std::unique_ptr<QSettings> Open() const;
    QString Commit(QSettings& store) const;

    QString m_iniPath;
};

/// A folder value as the store holds it: `FolderNotSet` for empty, a lone separator, the
/// not-set mark and any text that is no absolute path; otherwise the folder with a trailing
/// separator, created with its missing parents when needed. A folder that cannot be created or
/// entered, or one below a mount place whose volume is not mounted (/media, /run/media, /mnt),
/// gives `FolderNotSet` too: nothing is made on the system disk where a removable disk belongs.
QString ResolveFolderSetting(const QString& stored);

/// "CPath" at close: the folder of the latest cut output when it still exists, otherwise the
/// browser's folder, becomes the browser's folder.
void SettleCurrentPath(Settings& settings, const QString& lastOutputDir);

/// Where the window goes: the stored left and top, or centred on screen when there is none;
/// then moved into workArea (the screen minus docked bars) so that it is wholly inside where
/// it fits, the top-left corner winning when the window is larger than the work area.
QPoint WindowPosition(const std::optional<QPoint>& stored, QSize windowSize, QRect screen,
                      QRect workArea);

} // namespace veskar

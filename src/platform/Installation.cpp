#include "platform/Installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/settings/ListFiles.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextFile.h"
#include "core/text/Captions.h"

namespace veskar {

namespace {

constexpr char kEntryName[] = "pirvan-cutter.desktop";
constexpr char kUninstallEntryName[] = "pirvan-cutter-uninstall.desktop";

QString GroupFolder(const QString& group) {
    QString name = group;
    name.replace('/', '_');
    const QDir applications(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
    return name.isEmpty() || name == "." || name == ".." ? applications.path()
                                                         : applications.filePath(name);
}

// Quoting of the Exec key: every argument in double quotes, with the characters that stay
// special inside them escaped, and field codes written as "%%".
QString QuoteExecArgument(const QString& argument) {
    QString quoted;
    for (const QChar ch : argument) {
        if (ch == '"' || ch == '`' || ch == '$' || ch == '\\') {
            quoted += '\\';
        }
        quoted += ch == '%' ? QStringLiteral("%%") : QString(ch);
    }
    return '"' + quoted + '"';
}

QString WriteEntry(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).path());
    const QString error = WriteFileSafely(path, text.toUtf8());
    return error.isEmpty() ? error : path + "\n" + error;
}

} // namespace

ShortcutFiles ShortcutFilesFor(const QString& group) {
    const QDir folder(GroupFolder(group));
    const QDir desktop(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    const QDir autostart(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         "/autostart");
    const QString name = QString::fromLatin1(kEntryName);
    return {folder.filePath(name), folder.filePath(QString::fromLatin1(kUninstallEntryName)),
            desktop.filePath(name), autostart.filePath(name)};
}

QString DesktopEntryText(const QString& name, const QString& program,
                         const QStringList& arguments, bool opensWavFiles) {
    QStringList exec{QuoteExecArgument(program)};
    for (const QString& argument : arguments) {
        exec << QuoteExecArgument(argument);
    }
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n"
                                  "Icon=audio-x-wav\nCategories=AudioVideo;Audio;\nTerminal=false\n")
                       .arg(name, exec.join(' ') + (opensWavFiles ? " %F" : ""));
    if (opensWavFiles) {
        // The names desktops give WAV files; with them "Open with" offers the program.
        text += QStringLiteral("MimeType=audio/x-wav;audio/wav;audio/vnd.wave;\n");
    }
    return text;
}

QString InstallProgram(const QString& programPath, const QString& group) {
    const ShortcutFiles files = ShortcutFilesFor(group);
    const QString title = kAppTitle;
    QString error = WriteEntry(files.menuEntry, DesktopEntryText(title, programPath, {}, true));
    if (error.isEmpty()) {
        error = WriteEntry(files.uninstallEntry,
                           DesktopEntryText(title + QStringLiteral(" アンインストール"),
                                            programPath, {QStringLiteral("/uninstall")}));
    }
    if (!error.isEmpty()) {
        return error;
    }
    return SettingsStore().WriteSetup(programPath, group);
}

QString AddStartupEntry(const QString& programPath) {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty()) {
        return QStringLiteral("ｱｲｺﾝ:スタートアップグループが不明ですので アイコン登録出来ません");
    }
    return WriteEntry(ShortcutFilesFor({}).autostartEntry,
                      DesktopEntryText(kAppTitle, programPath, {}));
}

QString AddDesktopEntry(const QString& programPath, const QString& group) {
    const ShortcutFiles files = ShortcutFilesFor(group);
    if (QFileInfo::exists(files.desktopEntry)) {
        return QStringLiteral("デスクトップには、既に登録されています☆☆☆");
    }
    QFile menuEntry(files.menuEntry);
    const QByteArray text = menuEntry.open(QIODevice::ReadOnly)
                                ? menuEntry.readAll()
                                : DesktopEntryText(kAppTitle, programPath, {}).toUtf8();
    QDir().mkpath(QFileInfo(files.desktopEntry).path());
    const QString error = WriteFileSafely(files.desktopEntry, text);
    if (!error.isEmpty()) {
        return files.desktopEntry + "\n" + error;
    }
    // Desktops start only entries marked as trusted, which for us means executable.
    QFile::setPermissions(files.desktopEntry,
                          QFile::permissions(files.desktopEntry) | QFile::ExeOwner);
    return {};
}

void RemoveShortcuts(const QString& group) {
    const ShortcutFiles files = ShortcutFilesFor(group);
    for (const QString& path :
         {files.menuEntry, files.uninstallEntry, files.desktopEntry, files.autostartEntry}) {
        QFile::remove(path);
    }
    // rmdir removes only an empty folder: the group may hold other programs' entries.
    const QString folder = GroupFolder(group);
    if (folder != GroupFolder({})) {
        QDir().rmdir(folder);
    }
}

QStringList RemoveDataFiles(const QString& dir) {
    const QDir folder(dir);
    QStringList names{QString::fromLatin1(kDriveFolderFile), QString::fromLatin1(kFilterFile),
                      QString::fromLatin1(kFolderHistoryFile),
                      QString::fromLatin1(kColorTagNamesFile)};
    names << folder.entryList({QStringLiteral("*.VEW"), QStringLiteral("*.vew")}, QDir::Files);
    QStringList failed;
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        if (QFileInfo::exists(path) && !QFile::remove(path)) {
            failed << path;
        }
    }
    return failed;
}

} // namespace veskar

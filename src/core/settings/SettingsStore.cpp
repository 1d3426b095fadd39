#include "core/settings/SettingsStore.h"

#include <algorithm>
#include <climits>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QSettings>
#include <QStorageInfo>
#include <QVariant>

#include "core/settings/TextFile.h"

namespace veskar {

namespace {

QString FolderNotSetText() {
    return QString::fromLatin1(kFolderNotSet);
}

std::optional<int> DecimalNumber(const QString& text) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(number) : std::nullopt;
}

// Reads one value at a time with the store's rules; a value that does not serve gives the
// caller's default and nothing else happens.
class ValueReader {
public:
    explicit ValueReader(const QSettings& store) : m_store(store) {}

    std::optional<QString> Raw(const QString& name) const {
        const QVariant value = m_store.value(name);
        if (!value.isValid()) {
            return std::nullopt;
        }
        return value.toString();
    }

    QString Text(const char* name, const QString& fallback) const {
        return Raw(QLatin1String(name)).value_or(fallback);
    }

    int Number(const QString& name, int fallback, int min = INT_MIN, int max = INT_MAX) const {
        const std::optional<QString> text = Raw(name);
        if (!text || text->trimmed().isEmpty()) {
            return fallback;
        }
        const std::optional<int> number = DecimalNumber(*text);
        return number && *number >= min && *number <= max ? *number : fallback;
    }
    int Number(const char* name, int fallback, int min = INT_MIN, int max = INT_MAX) const {
        return Number(QLatin1String(name), fallback, min, max);
    }

    bool Flag(const char* name, bool fallback) const { return Number(name, fallback ? 1 : 0) != 0; }

    void Presets(const char* prefix, std::array<int, 3>& values) const {
        for (int i = 0; i < 3; ++i) {
            values[i] = Number(QLatin1String(prefix) + QString::number(i), values[i]);
        }
    }

private:
    const QSettings& m_store;
};

std::optional<QPoint> ParsePosition(const std::optional<QString>& text) {
    if (!text) {
        return std::nullopt;
    }
    const qsizetype comma = text->indexOf(',');
    if (comma < 0) {
        return std::nullopt;
    }
    const std::optional<int> left = DecimalNumber(text->left(comma));
    const std::optional<int> top = DecimalNumber(text->mid(comma + 1));
    if (!left || !top) {
        return std::nullopt;
    }
    return QPoint(*left, *top);
}

// The store's file: "key=value" lines under "[General]", every value written as a quoted text
// with backslash escapes. Plain unquoted values, as typed by hand, read as they stand.
QString UnquotedValue(const QString& text) {
    if (text.size() < 2 || !text.startsWith('"') || !text.endsWith('"')) {
        return text;
    }
    QString value;
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        QChar ch = text.at(i);
        if (ch == '\\' && i + 2 < text.size()) {
            ch = text.at(++i);
            ch = ch == 'n' ? QChar('\n') : ch == 'r' ? QChar('\r') : ch == 't' ? QChar('\t') : ch;
        }
        value += ch;
    }
    return value;
}

QString QuotedValue(const QString& value) {
    QString text = QStringLiteral("\"");
    for (const QChar ch : value) {
        if (ch == '\\' || ch == '"') {
            text += '\\';
            text += ch;
        } else if (ch == '\n') {
            text += QLatin1String("\\n");
        } else if (ch == '\r') {
            text += QLatin1String("\\r");
        } else if (ch == '\t') {
            text += QLatin1String("\\t");
        } else {
            text += ch;
        }
    }
    return text + '"';
}

bool ReadStoreFile(QIODevice& device, QSettings::SettingsMap& map) {
    QString section;
    for (const QString& rawLine : QString::fromUtf8(device.readAll()).split('\n')) {
        const QString line = rawLine.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            section = line.mid(1, line.size() - 2).trimmed();
            section = section == QLatin1String("General") ? QString() : section + '/';
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals > 0) {
            map.insert(section + line.left(equals).trimmed(),
                       UnquotedValue(line.mid(equals + 1).trimmed()));
        }
    }
    return true;
}

bool WriteStoreFile(QIODevice& device, const QSettings::SettingsMap& map) {
    QByteArray bytes = "[General]\n";
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        bytes += it.key().toUtf8() + '=' + QuotedValue(it.value().toString()).toUtf8() + '\n';
    }
    if (device.write(bytes) != bytes.size()) {
        return false;
    }
    // The settings would otherwise be committed even when their last block found no room:
    // QSaveFile does not check the flush of its own buffer.
    auto* file = qobject_cast<QFileDevice*>(&device);
    return !file || file->flush();
}

QSettings::Format StoreFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("conf"), ReadStoreFile, WriteStoreFile);
    return format;
}

QString FlagText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// True when folder lies below a place where removable disks are mounted while the nearest
// folder of it that exists is not on such a disk: its disk is not there.
bool BelowUnmountedPlace(const QString& folder) {
    static const char* const places[] = {"/media/", "/run/media/", "/mnt/"};
    QString existing = folder;
    while (!QFileInfo::exists(existing)) {
        existing = QFileInfo(existing).path();
    }
    QString root = QStorageInfo(existing).rootPath();
    if (!root.endsWith('/')) {
        root += '/';
    }
    const QString path = folder + '/';
    return std::any_of(std::begin(places), std::end(places), [&](const char* place) {
        return path.startsWith(QLatin1String(place)) && !root.startsWith(QLatin1String(place));
    });
}

} // namespace

QString ResolveFolderSetting(const QString& stored) {
    if (IsFolderNotSet(stored) || !QDir::isAbsolutePath(stored)) {
        return FolderNotSetText();
    }
    const QString folder = QDir::cleanPath(stored);
    QFileInfo info(folder);
    if (!info.exists()) {
        if (BelowUnmountedPlace(folder) || !QDir().mkpath(folder)) {
            return FolderNotSetText();
        }
        info.refresh();
    }
    if (!info.isDir() || !info.isExecutable()) {
        return FolderNotSetText();
    }
    return folder + '/';
}

QPoint WindowPosition(const std::optional<QPoint>& stored, QSize windowSize, QRect screen,
                      QRect workArea) {
    const QPoint centred(screen.left() + (screen.width() - windowSize.width()) / 2,
                         screen.top() + (screen.height() - windowSize.height()) / 2);
    const QPoint wanted = stored.value_or(centred);
    // The upper bound first: a window larger than the work area keeps its top-left corner in.
    const int left =
        std::max(std::min(wanted.x(), workArea.left() + workArea.width() - windowSize.width()),
                 workArea.left());
    const int top =
        std::max(std::min(wanted.y(), workArea.top() + workArea.height() - windowSize.height()),
                 workArea.top());
    return {left, top};
}

void SettleCurrentPath(Settings& settings, const QString& lastOutputDir) {
    if (!lastOutputDir.isEmpty() && QFileInfo(lastOutputDir).isDir()) {
        settings.currentPath = lastOutputDir;
    }
}

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(const QString& iniPath) : m_iniPath(iniPath) {
}

std::unique_ptr<QSettings> SettingsStore::Open() const {
    if (m_iniPath.isEmpty()) {
        return std::make_unique<QSettings>(StoreFormat(), QSettings::UserScope,
                                           QString::fromLatin1(kOrganization),
                                           QString::fromLatin1(kProduct));
    }
    return std::make_unique<QSettings>(m_iniPath, StoreFormat());
}

QString SettingsStore::FileName() const {
    return Open()->fileName();
}

QString SettingsStore::Commit(QSettings& store) const {
    store.sync();
    if (store.status() == QSettings::NoError) {
        return {};
    }
    return QString::fromUtf8(kSettingsSaveError) + store.fileName() + "\n" +
           QString::fromUtf8(kWriteFailed);
}

int SettingsStore::ReadVersion() const {
    const auto store = Open();
    return ValueReader(*store).Number("Version", kVersionNotInstalled);
}

void SettingsStore::ReadFormValues(Settings& settings) const {
    const auto store = Open();
    const ValueReader read(*store);
    settings.position = ParsePosition(read.Raw(QStringLiteral("FP")));
    settings.saveDir = ResolveFolderSetting(read.Text("SAVE_DIR", {}));
}

void SettingsStore::ReadChopDir(Settings& settings) const {
    const auto store = Open();
    settings.chopDir = ResolveFolderSetting(ValueReader(*store).Text("BG_DIR", {}));
}

void SettingsStore::ReadDeferredValues(Settings& s) const {
    const auto store = Open();
    const ValueReader read(*store);
    const Settings d;
    s.minutes = read.Flag("FUN", d.minutes);
    s.filterText = read.Text("KAKU_S", d.filterText);
    s.folderViewMode = read.Number("DirNo", d.folderViewMode);
    s.currentPath = read.Text("CPath", d.currentPath);
    s.memoryIndex = read.Number("M_Index", d.memoryIndex);
    s.miniHelp = read.Flag("minihelp", d.miniHelp);
    s.standardBackColor = read.Flag("BackColor", d.standardBackColor);
    s.noMemo = read.Flag("No_Memo", d.noMemo);
    s.memorySort = read.Flag("M_SORT", d.memorySort);
    s.startTimesEnabled = read.Flag("Start_TM", d.startTimesEnabled);
    s.continuousTarget = read.Number("RENZOKU", d.continuousTarget, 0, 6);
    s.defaultStartColor = read.Number("PTS", d.defaultStartColor, 0, 6);
    s.fileOnly = read.Flag("FileOnly", d.fileOnly);
    s.autoName = read.Flag("AUTO_NAME", d.autoName);
    s.auto83 = read.Flag("AUTO_83", d.auto83);
    s.chopAuto83 = read.Flag("PBG_AUTO_83", d.chopAuto83);
    s.chopMinutes = read.Number("TBM", d.chopMinutes, 1, 1000);
    s.kotanColor = read.Flag("KOTAN_COLOR", d.kotanColor);
    s.saveName = read.Flag("SAVE_NAME", d.saveName);
    s.listRightClickOff = read.Flag("TSR_MUKOU", d.listRightClickOff);
    s.overviewHeight = read.Number("OV_H", d.overviewHeight, 0, 1000);
    s.dirText = read.Text("DIR_Text", d.dirText);
    s.startProbeItem = read.Number("ST5", d.startProbeItem, 0, 11);
    s.endProbeItem = read.Number("EN5", d.endProbeItem, 0, 11);
    s.silentEndProbeItem = read.Number("ME1", d.silentEndProbeItem, 0, 5);
    s.silentStartProbeItem = read.Number("MS1", d.silentStartProbeItem, 0, 5);
    s.edgeProbeItem = read.Number("SE5", d.edgeProbeItem, 0, 8);
    s.preset16 = read.Text("TL16_S", d.preset16);
    s.preset08 = read.Text("TL08_S", d.preset08);
    s.color1s = read.Flag("1sColor", d.color1s);
    s.color10s = read.Flag("10sColor", d.color10s);
    s.color60s = read.Flag("60sColor", d.color60s);
    s.playModePreset = read.Number("Play_Mode", d.playModePreset, 0, 6);
    s.playModeStartOnly = read.Flag("PM_START", d.playModeStartOnly);
    s.memoryListName = read.Text("M_Fn", d.memoryListName);
    s.filePlayModeText = read.Text("PLAY_M", d.filePlayModeText);
    s.cutMasterPresets = d.cutMasterPresets;
    read.Presets("VMM", s.cutMasterPresets);
    s.cutWavePresets = d.cutWavePresets;
    read.Presets("VWM", s.cutWavePresets);
    s.fileMasterPresets = d.fileMasterPresets;
    read.Presets("VM", s.fileMasterPresets);
    s.fileWavePresets = d.fileWavePresets;
    read.Presets("VW", s.fileWavePresets);
    s.introIndex = read.Number("TPM_I", d.introIndex, 0, 9);
    s.edgeIndex = read.Number("TPM_FE", d.edgeIndex, 0, 9);
    s.cutSpeedUp = read.Flag("MO_CS_UP", d.cutSpeedUp);
    s.numericLevels = read.Flag("MO_SL_OUT", d.numericLevels);
    s.screenAtClose = read.Number("ST_DFF", d.screenAtClose);
    s.introStartS = std::max(0, read.Number("I_ST", 0));
    s.introEndS = read.Number("I_EN", 0);
    if (s.introEndS <= s.introStartS) {
        s.introEndS = s.introStartS + 10;
    }
    s.chopRateItem = read.Number("TWR", d.chopRateItem, 0, 8);
    s.chopBitsItem = read.Number("TWB", d.chopBitsItem, 0, 1);
    s.chopChannelsItem = read.Number("TWC", d.chopChannelsItem, 0, 1);
    s.group = read.Text("Group", d.group);
}

OlderSilenceFields SettingsStore::TakeOlderSilenceFields() {
    const auto store = Open();
    const ValueReader read(*store);
    OlderSilenceFields fields;
    const auto numeric = [&read](const QString& name) -> std::optional<QString> {
        const std::optional<QString> text = read.Raw(name);
        return text && DecimalNumber(*text) ? text : std::nullopt;
    };
    QStringList names{QStringLiteral("Ninshiki_Time")};
    fields.recognition = numeric(names.first()).value_or(fields.recognition);
    for (int i = 0; i < 6; ++i) {
        names << QStringLiteral("EMT%1").arg(i) << QStringLiteral("EML%1").arg(i);
        fields.durations[i] = numeric(names.at(names.size() - 2));
        fields.levels[i] = numeric(names.last());
    }
    bool any = false;
    for (const QString& name : names) {
        any = any || store->contains(name);
        store->remove(name);
    }
    // Nothing to write for a store that never held them; a failed delete only means they are
    // taken over once more at the next start.
    if (any) {
        store->sync();
    }
    return fields;
}

QStringList SettingsStore::TakeOlderLevels(bool eightBit) {
    const auto store = Open();
    const ValueReader read(*store);
    const QString prefix = eightBit ? QStringLiteral("EML8") : QStringLiteral("EML");
    QStringList levels;
    for (int i = 0; i < 6; ++i) {
        const QString name = prefix + QString::number(i);
        const std::optional<QString> text = read.Raw(name);
        if (!text) {
            break;
        }
        levels << *text;
        store->remove(name);
    }
    if (!levels.isEmpty()) {
        store->sync();
    }
    return levels;
}

QString SettingsStore::WriteFolder(const QString& name, const QString& folder) {
    const auto store = Open();
    store->setValue(name, folder);
    return Commit(*store);
}

QString SettingsStore::ClearVersion() {
    const auto store = Open();
    store->setValue("Version", QString());
    return Commit(*store);
}

QStringList SettingsStore::SavedNames() {
    return {
        "FP",        "CPath",    "DirNo",    "M_Index",   "SAVE_DIR",  "BG_DIR",      "BackColor",
        "No_Memo",   "M_SORT",   "FileOnly", "AUTO_NAME", "AUTO_83",   "PBG_AUTO_83", "TBM",
        "minihelp",  "FUN",      "Start_TM", "RENZOKU",   "PTS",       "KOTAN_COLOR", "SAVE_NAME",
        "TSR_MUKOU", "DIR_Text", "ST5",      "EN5",       "ME1",       "MS1",         "SE5",
        "TL16_S",    "TL08_S",   "1sColor",  "10sColor",  "60sColor",  "Play_Mode",   "PM_START",
        "M_Fn",      "KAKU_S",   "PLAY_M",   "VMM0",      "VMM1",      "VMM2",        "VWM0",
        "VWM1",      "VWM2",     "VM0",      "VM1",       "VM2",       "VW0",         "VW1",
        "VW2",       "TPM_I",    "TPM_FE",   "MO_CS_UP",  "MO_SL_OUT", "ST_DFF",      "I_ST",
        "I_EN",      "TWR",      "TWB",      "TWC",       "OV_H"};
}

QString SettingsStore::WriteAll(const Settings& s) {
    const auto store = Open();
    QSettings& w = *store;
    const auto flag = [&w](const char* name, bool on) { w.setValue(name, FlagText(on)); };
    const auto number = [&w](const char* name, int n) { w.setValue(name, QString::number(n)); };
    const auto presets = [&w](const char* prefix, const std::array<int, 3>& values) {
        for (int i = 0; i < 3; ++i) {
            w.setValue(QLatin1String(prefix) + QString::number(i), QString::number(values[i]));
        }
    };
    // A window never placed keeps its centred place at the next start too.
    if (s.position) {
        w.setValue("FP", QStringLiteral("%1,%2").arg(s.position->x()).arg(s.position->y()));
    }
    w.setValue("CPath", s.currentPath);
    number("DirNo", s.folderViewMode);
    number("M_Index", s.memoryIndex);
    w.setValue("SAVE_DIR", s.saveDir);
    w.setValue("BG_DIR", s.chopDir);
    flag("BackColor", s.standardBackColor);
    flag("No_Memo", s.noMemo);
    flag("M_SORT", s.memorySort);
    flag("FileOnly", s.fileOnly);
    flag("AUTO_NAME", s.autoName);
    flag("AUTO_83", s.auto83);
    flag("PBG_AUTO_83", s.chopAuto83);
    number("TBM", s.chopMinutes);
    flag("minihelp", s.miniHelp);
    flag("FUN", s.minutes);
    flag("Start_TM", s.startTimesEnabled);
    number("RENZOKU", s.continuousTarget);
    number("PTS", s.defaultStartColor);
    flag("KOTAN_COLOR", s.kotanColor);
    flag("SAVE_NAME", s.saveName);
    flag("TSR_MUKOU", s.listRightClickOff);
    w.setValue("DIR_Text", s.dirText);
    // The probe lengths are the only values stored as numbers rather than texts.
    w.setValue("ST5", s.startProbeItem);
    w.setValue("EN5", s.endProbeItem);
    w.setValue("ME1", s.silentEndProbeItem);
    w.setValue("MS1", s.silentStartProbeItem);
    w.setValue("SE5", s.edgeProbeItem);
    w.setValue("TL16_S", s.preset16);
    w.setValue("TL08_S", s.preset08);
    number("OV_H", s.overviewHeight);
    flag("1sColor", s.color1s);
    flag("10sColor", s.color10s);
    flag("60sColor", s.color60s);
    number("Play_Mode", s.playModePreset);
    flag("PM_START", s.playModeStartOnly);
    w.setValue("M_Fn", s.memoryListName);
    w.setValue("KAKU_S", s.filterText);
    w.setValue("PLAY_M", s.filePlayModeText);
    presets("VMM", s.cutMasterPresets);
    presets("VWM", s.cutWavePresets);
    presets("VM", s.fileMasterPresets);
    presets("VW", s.fileWavePresets);
    number("TPM_I", s.introIndex);
    number("TPM_FE", s.edgeIndex);
    flag("MO_CS_UP", s.cutSpeedUp);
    flag("MO_SL_OUT", s.numericLevels);
    number("ST_DFF", s.screenAtClose);
    number("I_ST", s.introStartS);
    number("I_EN", s.introEndS);
    number("TWR", s.chopRateItem);
    number("TWB", s.chopBitsItem);
    number("TWC", s.chopChannelsItem);
    return Commit(w);
}

QString SettingsStore::WriteSetup(const QString& programPath, const QString& group) {
    const auto store = Open();
    const ValueReader read(*store);
    const Settings d;
    const bool standardBackColor = read.Flag("BackColor", d.standardBackColor);
    const bool kotanColor = read.Flag("KOTAN_COLOR", d.kotanColor);
    store->setValue("EXEPATH", programPath);
    store->setValue("Group", group);
    store->setValue("BackColor", FlagText(standardBackColor));
    store->setValue("KOTAN_COLOR", FlagText(kotanColor));
    store->setValue("Version", QString::number(kInstalledVersion));
    return Commit(*store);
}

QString SettingsStore::RemoveAll() {
    const auto store = Open();
    store->clear();
    QString error = Commit(*store);
    if (error.isEmpty() && QFileInfo::exists(store->fileName()) &&
        !QFile::remove(store->fileName())) {
        error = QString::fromUtf8(kSettingsSaveError) + store->fileName();
    }
    // The folder goes too when nothing else lives in it.
    QDir().rmdir(QFileInfo(store->fileName()).path());
    return error;
}

} // namespace veskar

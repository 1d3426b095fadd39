#include "core/wav/SilencePresets.h"

#include <QDir>
#include <QFile>

#include "core/settings/ListFiles.h"
#include "core/settings/TextFile.h"

namespace veskar {

namespace {

QString Suffix(SampleFamily family) {
    return family == SampleFamily::Bits8 ? QStringLiteral(".m08") : QStringLiteral(".m16");
}

QString Prefix(SampleFamily family) {
    return family == SampleFamily::Bits8 ? QStringLiteral("TL08_") : QStringLiteral("TL16_");
}

QString DefaultName(SampleFamily family) {
    return Prefix(family) + QStringLiteral("000");
}

const QString kNoData = QStringLiteral("データがありません・・・\n強制終了します");

} // namespace

QString SilencePresets::PresetPath(SampleFamily family, const QString& name) const {
    return QDir(m_dir).filePath(name + Suffix(family));
}

void SilencePresets::Enumerate() {
    for (const SampleFamily family : {SampleFamily::Bits16, SampleFamily::Bits8}) {
        Family& f = At(family);
        f.names.clear();
        const QString suffix = Suffix(family);
        // In name order, as the drop-down is read: the folder's own order is no order at all here.
        const QStringList files = QDir(m_dir).entryList(QDir::Files | QDir::Hidden | QDir::System,
                                                        QDir::Name | QDir::IgnoreCase);
        for (const QString& file : files) {
            if (file.endsWith(suffix) && file.size() > suffix.size()) {
                f.names.append(file.chopped(suffix.size()));
            }
        }
        if (f.names.isEmpty()) {
            f.names.append(DefaultName(family));
        }
    }
}

void SilencePresets::SetSelectedName(SampleFamily family, const QString& name) {
    At(family).selectedName = name;
}

void SilencePresets::Load(SampleFamily family, SilenceSettings& settings) {
    for (Family& f : m_families) {
        if (f.names.isEmpty()) {
            f.names.append(DefaultName(&f == &At(SampleFamily::Bits8) ? SampleFamily::Bits8
                                                                      : SampleFamily::Bits16));
        }
        int index = 0;
        for (qsizetype i = 0; !f.selectedName.isEmpty() && i < f.names.size(); ++i) {
            if (f.names[i].compare(f.selectedName, Qt::CaseInsensitive) == 0) {
                index = static_cast<int>(i);
                break;
            }
        }
        f.selected = index;
        f.selectedName = f.names[index];
    }
    const std::optional<QStringList> lines = ReadListFile(PresetPath(family, SelectedName(family)));
    if (!lines) {
        return;
    }
    const auto take = [&lines](int line, QString& field) {
        if (line < lines->size() && !(*lines)[line].isEmpty()) {
            field = (*lines)[line];
        }
    };
    take(0, settings.recognition);
    for (int k = 0; k < kSilenceChannels; ++k) {
        take(k + 1, settings.durations[static_cast<size_t>(k)]);
        take(k + 7, settings.levels[static_cast<size_t>(k)]);
    }
}

QString SilencePresets::Save(SampleFamily family, const SilenceSettings& settings) const {
    const QString name = SelectedName(family);
    if (name.isEmpty()) {
        return {};
    }
    QStringList lines{settings.recognition};
    for (const QString& duration : settings.durations) {
        lines.append(duration);
    }
    for (const QString& level : settings.levels) {
        lines.append(level);
    }
    const QString path = PresetPath(family, name);
    const QString error = WriteListFile(path, lines);
    return error.isEmpty() ? QString()
                           : QString::fromUtf8(kListFileSaveError) + path + "\n" + error;
}

QString SilencePresets::Choose(SampleFamily family, int index, SilenceSettings& settings) {
    Family& f = At(family);
    if (index < 0 || index >= f.names.size()) {
        return {};
    }
    const QString error = Save(family, settings);
    f.selected = index;
    f.selectedName = f.names[index];
    Load(family, settings);
    return error;
}

QString SilencePresets::Rename(SampleFamily family, const QString& newName) {
    Family& f = At(family);
    if (f.selectedName.isEmpty()) {
        return kNoData;
    }
    // The name becomes a file name in the data folder: one that is empty or holds a folder
    // separator would write somewhere else or nowhere.
    static const QString kBad = QStringLiteral("\\/:*?\"<>|");
    for (qsizetype i = newName.size() - 1; i >= 0; --i) {
        if (kBad.contains(newName[i])) {
            return newName[i] + QStringLiteral("\n上記の文字は、ファイル名として使えません・・・");
        }
    }
    if (newName.trimmed().isEmpty()) {
        return QStringLiteral("検出名が空です・・・\n何か名前を付けて下さいね☆☆☆");
    }
    for (const QString& name : f.names) {
        if (name.toUpper() == newName.toUpper()) {
            return "同名データが既に存在しています・・・\n" + newName;
        }
    }
    // The file moves with its name, so the preset is never without a file in between.
    const QString oldPath = PresetPath(family, f.selectedName);
    if (QFile::exists(oldPath) && !QFile::rename(oldPath, PresetPath(family, newName))) {
        return QString::fromUtf8(kListFileSaveError) + PresetPath(family, newName);
    }
    f.selectedName = newName;
    f.names[f.selected] = newName;
    return {};
}

QString SilencePresets::NewPreset(SampleFamily family, const SilenceSettings& settings) {
    Family& f = At(family);
    if (f.selectedName.isEmpty()) {
        return kNoData;
    }
    const QString error = Save(family, settings);
    QString name;
    for (int n = 0;; ++n) {
        name = Prefix(family) + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
        if (!QFile::exists(PresetPath(family, name))) {
            break;
        }
    }
    f.names.append(name);
    f.selected = static_cast<int>(f.names.size()) - 1;
    f.selectedName = name;
    return error;
}

void SilencePresets::Delete(SampleFamily family, SilenceSettings& settings) {
    Family& f = At(family);
    if (f.selectedName.isEmpty() || f.names.isEmpty()) {
        return;
    }
    QFile::remove(PresetPath(family, f.selectedName));
    f.names.removeAt(f.selected);
    if (f.names.isEmpty()) {
        f.names.append(DefaultName(family));
        f.selected = 0;
        f.selectedName = f.names[0];
        return;
    }
    f.selected = f.selected == 0 ? static_cast<int>(f.names.size()) - 1 : f.selected - 1;
    f.selectedName = f.names[f.selected];
    Load(family, settings);
}

} // namespace veskar

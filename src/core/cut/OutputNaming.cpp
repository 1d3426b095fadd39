#include "core/cut/OutputNaming.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

#include "core/text/ShiftJisText.h"

namespace veskar {

NamingStyle StyleOf(bool autoName, bool auto83) {
    if (!autoName) {
        return NamingStyle::Long;
    }
    return auto83 ? NamingStyle::EightDotThree : NamingStyle::Short;
}

QString OutputBaseNameOf(const QString& cutFilePath) {
    const QString name = QFileInfo(cutFilePath).fileName();
    if (name.endsWith(QLatin1String(kOutputExtension), Qt::CaseInsensitive)) {
        return name.chopped(4);
    }
    return name;
}

QString NamePartProblem(const QString& name) {
    if (!name.contains(u'/') && !name.contains(QChar(u'\0'))) {
        return QString();
    }
    return QStringLiteral("「/」やNUL文字は、ファイル名に使えません・・・\n") + name;
}

namespace {

// Zero-padded decimal text; a longer text keeps its last `width` characters.
QString Padded(int64_t value, int width) {
    const QString text = QString::number(value).rightJustified(width, '0');
    return width > 0 && text.size() > width ? text.right(width) : text;
}

// Masks and names compare without regard to letter case, as on the file systems the
// recordings often come from (FAT sticks, Windows shares).
QStringList Folded(QStringList names) {
    for (QString& name : names) {
        name = name.toCaseFolded();
    }
    return names;
}

// Ordinary, read-only, hidden and "system" entries (dangling links); folders only when asked.
QDir::Filters FileFilters(bool withFolders) {
    QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    return withFolders ? filters | QDir::Dirs : filters;
}

// Whether any name matches head + "*" + ".wav" literally (the head may hold any character,
// also those that a wildcard would read as special).
bool AnyMatches(const QStringList& foldedNames, const QString& head) {
    const QString foldedHead = head.toCaseFolded();
    const QString tail = QString::fromLatin1(kOutputExtension);
    for (const QString& name : foldedNames) {
        if (name.size() >= foldedHead.size() + tail.size() && name.startsWith(foldedHead) &&
            name.endsWith(tail)) {
            return true;
        }
    }
    return false;
}

QString CounterText(int64_t counter, int width) {
    return QString::number(counter).rightJustified(width, '0');
}

} // namespace

QString OutputTimePart(TimeMs startMs, const TimePartFormat& format) {
    if (!format.minutes) {
        return Padded(startMs, format.timeDigits);
    }
    return Padded(startMs / 60000, format.minuteDigits) + "m" + Padded(startMs % 60000, 5);
}

QString PrefixHead(NamingStyle style, const QString& baseName, const QDateTime& now) {
    switch (style) {
    case NamingStyle::Long:
        return baseName + now.toString(QStringLiteral("'_'yyMMdd'_'HHmmss'_'"));
    case NamingStyle::EightDotThree: {
        QString base = baseName;
        base.remove('.');
        return TruncateText(base, 4);
    }
    case NamingStyle::Short:
        break;
    }
    return baseName + "_";
}

QString OutputPrefix(NamingStyle style, const QString& saveDir, const QString& baseName,
                     const QDateTime& now) {
    const QString head = PrefixHead(style, baseName, now);
    if (style == NamingStyle::EightDotThree) {
        return head;
    }
    return FreePrefixAmong(QDir(saveDir).entryList(FileFilters(false), QDir::NoSort), head);
}

QString FreePrefixAmong(const QStringList& names, const QString& head) {
    const QStringList folded = Folded(names);
    if (!AnyMatches(folded, head)) {
        return head;
    }
    for (int64_t counter = 0;; ++counter) {
        const QString prefix = head + "c" + CounterText(counter, 3) + "_";
        if (!AnyMatches(folded, prefix)) {
            return prefix;
        }
    }
}

QString OutputNameTail(TimeMs startMs, const QString& label, const TimePartFormat& format) {
    const QString labelPart = label.isEmpty() ? QString() : "_" + label;
    return OutputTimePart(startMs, format) + labelPart + QLatin1String(kOutputExtension);
}

QString FreeAutomaticPath(const QString& saveDir, const QString& head, const QString& tail) {
    // Folders count here: the name is wanted for a file now, not matched against a pattern.
    return saveDir +
           FreePrefixAmong(QDir(saveDir).entryList(FileFilters(true), QDir::NoSort), head) + tail;
}

QString FreeGivenPath(const QString& path) {
    const QFileInfo info(path);
    const QString extension = info.suffix().isEmpty() ? QString() : "." + info.suffix();
    const QString stem = info.fileName().chopped(extension.size());
    const QStringList folded = Folded(info.dir().entryList(FileFilters(true), QDir::NoSort));
    const QSet<QString> taken(folded.begin(), folded.end());
    for (int64_t counter = 0;; ++counter) {
        const QString name = stem + "_c" + CounterText(counter, 3) + extension;
        if (!taken.contains(name.toCaseFolded())) {
            return info.dir().filePath(name);
        }
    }
}

QString OutputName(NamingStyle style, const QString& saveDir, const QString& prefix, TimeMs startMs,
                   const QString& label, const TimePartFormat& format) {
    if (style != NamingStyle::EightDotThree) {
        return saveDir + prefix + OutputNameTail(startMs, label, format);
    }
    // A folder or a dangling link of the same name would make the save fail, so any entry
    // counts as taken.
    return saveDir +
           EightDotThreeNameAmong(QDir(saveDir).entryList(FileFilters(true), QDir::NoSort), prefix);
}

QString EightDotThreeNameAmong(const QStringList& entryNames, const QString& prefix) {
    const QStringList folded = Folded(entryNames);
    const QSet<QString> taken(folded.begin(), folded.end());
    for (int64_t counter = 0;; ++counter) {
        const QString number = CounterText(counter, 4);
        const QString head = number.size() > 4 ? TruncateText(prefix, 8 - number.size()) : prefix;
        const QString name = head + number + QLatin1String(kOutputExtension);
        if (!taken.contains(name.toCaseFolded())) {
            return name;
        }
    }
}

QString LowerCaseExtension(const QString& path) {
    const qsizetype slash = path.lastIndexOf('/');
    const qsizetype dot = path.lastIndexOf('.');
    if (dot <= slash) {
        return path;
    }
    return path.left(dot) + path.mid(dot).toLower();
}

QString SaveNamePattern(bool autoName, bool auto83, const QString& previousCaption) {
    const qsizetype dot = previousCaption.lastIndexOf('.');
    const QString extension = dot >= 0 ? previousCaption.mid(dot) : QString();
    if (!autoName) {
        return "_YYMMDD_HHMMSS_TTTTTT" + extension;
    }
    return (auto83 ? QStringLiteral("NNNN") : QStringLiteral("_cNNN_TTTTTT")) + extension;
}

} // namespace veskar

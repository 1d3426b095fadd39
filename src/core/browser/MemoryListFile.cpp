#include "core/browser/MemoryListFile.h"

#include <QDir>
#include <QFileInfo>

#include "core/browser/FileRow.h"
#include "core/settings/ListFiles.h"
#include "core/settings/TextFile.h"

namespace veskar {

namespace {

const QString kVewSuffix = QStringLiteral(".VEW");

QString Escape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u'\t':
            out += QLatin1String("\\t");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QStringList SplitEscaped(const QString& line) {
    QStringList parts{QString()};
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'\t') {
            parts.append(QString());
            continue;
        }
        if (c == u'\\' && i + 1 < line.size()) {
            const QChar next = line[i + 1];
            const QChar plain = next == u'\\'  ? u'\\'
                                : next == u't' ? u'\t'
                                : next == u'n' ? u'\n'
                                : next == u'r' ? u'\r'
                                               : QChar();
            if (!plain.isNull()) {
                parts.last() += plain;
                ++i;
                continue;
            }
        }
        parts.last() += c;
    }
    return parts;
}

// Brings the fields of row index i from the layout of fieldCount fields to the current one.
QStringList ConvertFields(QStringList fields, int layout, const QString& caption, int i) {
    const auto pad = [&fields](int count) {
        while (fields.size() < count) {
            fields.append(QString());
        }
        fields.resize(count);
    };
    if (layout == 4) {
        pad(4);
        fields.insert(static_cast<int>(MemoryField::Type), FileTypeText(caption));
        fields << QString::number(i) << QString::number(i + 1) << QString::number(i + 2);
    } else {
        pad(layout);
    }
    pad(kMemoryFieldCount);
    return fields;
}

} // namespace

QString MemoryListPath(const QString& dir, const QString& name) {
    return QDir(dir).filePath(name + kVewSuffix);
}

QString FreeListName(const QString& dir, const QString& prefix) {
    for (int n = 0;; ++n) {
        const QString name = prefix + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(MemoryListPath(dir, name))) {
            return name;
        }
    }
}

QStringList MemoryListNames(const QString& dir) {
    QStringList names;
    const QStringList files =
        QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString& file : files) {
        // Exactly ".VEW": another spelling is no list of this program's and could not be
        // found again under the name shown.
        if (file.endsWith(kVewSuffix) && file.size() > kVewSuffix.size()) {
            names.append(file.chopped(kVewSuffix.size()));
        }
    }
    if (names.isEmpty()) {
        names.append(QString::fromUtf8(kFirstListName));
    }
    return names;
}

QString EncodeMemoryRow(const MemoryRow& row) {
    QString line = Escape(row.caption);
    for (const QString& field : row.fields) {
        line += u'\t';
        line += Escape(field);
    }
    return line;
}

MemoryRow DecodeMemoryRow(const QString& line) {
    QStringList parts = SplitEscaped(line);
    MemoryRow row;
    row.caption = parts.takeFirst();
    row.fields = std::move(parts);
    return row;
}

LoadedMemoryList LoadMemoryList(const QString& path) {
    LoadedMemoryList list;
    const std::optional<QStringList> lines = ReadListFile(path);
    if (!lines || lines->isEmpty()) {
        return list;
    }
    std::vector<MemoryRow> rows;
    rows.reserve(static_cast<size_t>(lines->size()));
    for (const QString& line : *lines) {
        rows.push_back(DecodeMemoryRow(line));
    }
    const int layout = static_cast<int>(rows.front().fields.size());
    if (layout != kMemoryFieldCount && layout != 5 && layout != 4) {
        list.damagedFieldCount = layout;
        return list;
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].fields =
            ConvertFields(std::move(rows[i].fields), layout, rows[i].caption, static_cast<int>(i));
    }
    list.rows = std::move(rows);
    return list;
}

QString DamagedMemoryListMessage(int fieldCount, const QString& path) {
    return QString::number(fieldCount) + "\n" + "カラムサイズが、不正です・・・" + "\n" +
           "初期化しますので、登録データが失われます・・・" + "\n" + "\n" +
           "登録データを失いたくない場合は、" + "\n" + path + "\n" +
           "ファイルを、今すぐ、別のフォルダーに、コピーして下さい☆" + "\n" +
           "このメッセージを閉じると、初期化されます・・・";
}

QString SaveMemoryList(const QString& path, const std::vector<MemoryRow>& rows) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(rows.size()));
    for (const MemoryRow& row : rows) {
        lines.append(EncodeMemoryRow(row));
    }
    return WriteListFile(path, lines);
}

MemoryListSave SaveMemoryListOrRescue(const QString& dir, const QString& name,
                                      const std::vector<MemoryRow>& rows) {
    MemoryListSave save;
    QString path = MemoryListPath(dir, name);
    QString error = SaveMemoryList(path, rows);
    if (error.isEmpty()) {
        save.writtenPath = path;
        return save;
    }
    save.errors.append(QString::fromUtf8(kListFileSaveError) + path + "\n" + error);
    path = MemoryListPath(dir, FreeListName(dir, QString::fromUtf8(kRescueListPrefix)));
    error = SaveMemoryList(path, rows);
    if (error.isEmpty()) {
        save.writtenPath = path;
    } else {
        save.errors.append(QString::fromUtf8(kListFileSaveError) + path + "\n" + error);
    }
    return save;
}

} // namespace veskar

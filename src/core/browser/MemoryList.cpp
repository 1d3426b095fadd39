#include "core/browser/MemoryList.h"

#include <algorithm>
#include <numeric>

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/browser/FileRowSort.h"
#include "core/browser/FolderListing.h"
#include "core/host/Messenger.h"
#include "core/timelists/CutListFiles.h"

namespace veskar {

namespace {

QStringList RowFields(const QString& path, const FileRow& fileRow) {
    return {
        path,           fileRow.sizeText, fileRow.typeText, fileRow.dateText, fileRow.attributeText,
        fileRow.weight, QString(),        QString()};
}

QString ColumnText(const MemoryRow& row, MemoryColumn column) {
    if (column == MemoryColumn::Caption) {
        return row.caption;
    }
    return row.fields.value(static_cast<int>(column) - 1);
}

} // namespace

MemoryRow MakeMemoryRow(const QString& folder, const FileRow& fileRow) {
    const QString path = QDir(folder).filePath(fileRow.name);
    if (fileRow.sizeText.isEmpty()) {
        return {fileRow.name, RowFields(path, FileRow{})};
    }
    return {fileRow.name, RowFields(path, fileRow)};
}

bool RefreshMemoryRow(MemoryRow& row) {
    while (row.fields.size() < kMemoryFieldCount) {
        row.fields.append(QString());
    }
    FileRow fileRow;
    fileRow.name = row.caption;
    const bool found = RefreshFileRow(row.Path(), fileRow);
    row.fields[static_cast<int>(MemoryField::Size)] = fileRow.sizeText;
    row.fields[static_cast<int>(MemoryField::Type)] = FileTypeText(row.caption);
    row.fields[static_cast<int>(MemoryField::Date)] = fileRow.dateText;
    row.fields[static_cast<int>(MemoryField::Attributes)] = fileRow.attributeText;
    return found;
}

QString ListRenameRefusal(const QString& name, const QStringList& entries, const QString& dir) {
    const QString again = QStringLiteral("別の名前を付けて下さいね☆☆☆");
    if (name.isEmpty()) {
        return name + "\nメモリー名が空です・・・\n何か名前を付けて下さいね☆☆☆";
    }
    static const QString kBad = QStringLiteral("\\/:*?\"<>|");
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        if (kBad.contains(name[i])) {
            return name[i] +
                   QStringLiteral("\n上記の文字は、ファイル名として使えません・・・\n\n") + name +
                   "\n" + again;
        }
    }
    for (const QString& entry : entries) {
        if (entry.toUpper() == name.toUpper()) {
            return name + "\nこの名称は、既に使われています・・・\n" + again;
        }
    }
    if (QFileInfo::exists(MemoryListPath(dir, name))) {
        return name + "\nこのファイル名は、既に使われています・・・\n" + again;
    }
    return {};
}

int MoveMemoryRows(std::vector<MemoryRow>& rows, const std::vector<int>& selected, bool up) {
    std::vector<int> picked;
    for (const int index : selected) {
        if (index >= 0 && index < static_cast<int>(rows.size())) {
            picked.push_back(index);
        }
    }
    std::sort(picked.begin(), picked.end());
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
    if (picked.empty()) {
        return -1;
    }
    std::vector<MemoryRow> taken;
    for (auto it = picked.rbegin(); it != picked.rend(); ++it) {
        taken.insert(taken.begin(), std::move(rows[static_cast<size_t>(*it)]));
        rows.erase(rows.begin() + *it);
    }
    const int first = picked.front();
    const int at = std::clamp(up ? first - 1 : first + 1, 0, static_cast<int>(rows.size()));
    rows.insert(rows.begin() + at, std::make_move_iterator(taken.begin()),
                std::make_move_iterator(taken.end()));
    return at;
}

int SortMemoryRows(std::vector<MemoryRow>& rows, MemoryColumn column, bool descending,
                   int keepRow) {
    std::vector<QString> texts;
    texts.reserve(rows.size());
    qsizetype width = 0;
    for (const MemoryRow& row : rows) {
        texts.push_back(ColumnText(row, column));
        width = std::max(width, texts.back().size());
    }
    if (column == MemoryColumn::Size) {
        for (QString& text : texts) {
            text = text.rightJustified(width, u' ');
        }
    }
    const QCollator collator;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(texts.size());
    for (const QString& text : texts) {
        keys.push_back(collator.sortKey(text));
    }
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int result =
            column == MemoryColumn::Size ? texts[a].compare(texts[b]) : keys[a].compare(keys[b]);
        return descending ? result > 0 : result < 0;
    });
    return ReorderRows(rows, order, keepRow);
}

MemorySortDirections::MemorySortDirections() {
    // Each flag holds the direction of the column's last sort, so the first click flips it to
    // the direction the column starts with.
    m_descending.fill(true);
    m_descending[static_cast<size_t>(MemoryColumn::Caption)] = false;
    m_descending[static_cast<size_t>(MemoryColumn::Path)] = false;
}

bool MemorySortDirections::Toggle(MemoryColumn column) {
    bool& flag = m_descending[static_cast<size_t>(column)];
    flag = !flag;
    return flag;
}

std::vector<bool> DeleteMemoryFiles(const std::vector<MemoryRow>& rows, const QString& dir,
                                    Messenger& messenger) {
    std::vector<bool> gone(rows.size(), false);
    if (messenger.AskTimedQuestion(
            QStringLiteral("選択ファイルを、実際にディスクから削除します☆\nメモリー登録からも削"
                           "除します☆\n登録タイムも削除されます☆\n削除してよろしいですか?"),
            Messenger::No) != Messenger::Yes) {
        return gone;
    }
    int removed = 0;
    int deleted = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const QString path = rows[i].Path();
        QFile file(path);
        const bool existed = !path.isEmpty() && file.exists();
        // A file that stays on the disk keeps its row and its registered times: dropping them
        // would lose the work done on a recording that is still there.
        if (existed && !file.remove()) {
            messenger.ShowTimedMessage(path + "\nこのファイルの削除に失敗しました・・・",
                                       Messenger::Ok);
            continue;
        }
        deleted += existed ? 1 : 0;
        ++removed;
        gone[i] = true;
        DeleteAllCutLists(dir, CutFileBase(path));
    }
    messenger.ShowTimedMessage(QString::number(removed) + "個、ファイル登録を削除しました☆\n" +
                                   QString::number(deleted) +
                                   "個、実際にファイルを削除しました☆\n削除完了☆",
                               Messenger::Ok);
    return gone;
}

QString MissingFileQuestion(const QString& path) {
    return path + "\nこのファイルは存在しません・・・\n登録を削除してよろしいですか？？？";
}

int FindExistingRow(std::vector<MemoryRow>& rows, int index, const QString& dir,
                    Messenger& messenger, QStringList* dropped) {
    // Answering No to every missing file would ask about the same rows forever.
    size_t passedOver = 0;
    while (!rows.empty() && passedOver < rows.size()) {
        if (index < 0 || index >= static_cast<int>(rows.size())) {
            index = 0;
        }
        MemoryRow& row = rows[static_cast<size_t>(index)];
        if (RefreshMemoryRow(row)) {
            return index;
        }
        // An unattended run keeps the registrations.
        const int answer = messenger.AskErrorQuestion(MissingFileQuestion(row.Path()),
                                                      Messenger::Abort);
        if (answer == Messenger::Yes) {
            DeleteAllCutLists(dir, CutFileBase(row.Path()));
            if (dropped) {
                dropped->append(row.Path());
            }
            rows.erase(rows.begin() + index);
            passedOver = 0;
        } else if (answer == Messenger::No) {
            ++index;
            ++passedOver;
        } else {
            return -1;
        }
    }
    return -1;
}

} // namespace veskar

#include "core/browser/FileRowSort.h"

#include <algorithm>
#include <numeric>

#include <QCollator>

namespace veskar {

namespace {

// Collation keys are made once per row, so a sort of many rows compares bytes, not texts
// through the collator.
std::vector<QCollatorSortKey> SortKeys(const std::vector<FileRow>& rows, FileColumn column) {
    const QCollator collator;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(rows.size());
    for (const FileRow& row : rows) {
        const QString& text = column == FileColumn::Name   ? row.name
                              : column == FileColumn::Type ? row.typeText
                                                           : row.attributeText;
        keys.push_back(collator.sortKey(text));
    }
    return keys;
}

} // namespace

void SortNames(QStringList& names) {
    const QCollator collator;
    std::vector<std::pair<QCollatorSortKey, QString>> keyed;
    keyed.reserve(static_cast<size_t>(names.size()));
    for (const QString& name : names) {
        keyed.emplace_back(collator.sortKey(name), name);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    for (qsizetype i = 0; i < names.size(); ++i) {
        names[i] = keyed[static_cast<size_t>(i)].second;
    }
}

int SortFileRows(std::vector<FileRow>& rows, FileColumn column, bool descending, int keepRow) {
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    // compare(a, b) is negative, zero or positive as row a sorts before, with or after row b
    // ascending; descending turns the sign round.
    const auto sort = [&](auto compare) {
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            const int result = compare(a, b);
            return descending ? result > 0 : result < 0;
        });
    };
    const auto threeWay = [](int64_t a, int64_t b) { return a < b ? -1 : a > b ? 1 : 0; };
    if (column == FileColumn::Size) {
        sort([&](size_t a, size_t b) { return threeWay(rows[a].sizeBytes, rows[b].sizeBytes); });
    } else if (column == FileColumn::Date) {
        sort([&](size_t a, size_t b) { return threeWay(rows[a].modifiedS, rows[b].modifiedS); });
    } else {
        const std::vector<QCollatorSortKey> keys = SortKeys(rows, column);
        sort([&](size_t a, size_t b) { return keys[a].compare(keys[b]); });
    }

    return ReorderRows(rows, order, keepRow);
}

bool SortDirections::Toggle(FileColumn column) {
    bool& flag = m_descending[static_cast<size_t>(column)];
    flag = !flag;
    return flag;
}

void SortDirections::Reset() {
    m_descending.fill(true);
    m_descending[static_cast<size_t>(FileColumn::Name)] = false;
}

} // namespace veskar

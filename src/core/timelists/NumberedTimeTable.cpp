#include "core/timelists/NumberedTimeTable.h"

#include <algorithm>
#include <numeric>

#include "core/wav/RangePeak.h"

namespace veskar {

namespace {

const QString kCountSuffix = QStringLiteral("ｺ");

const QString& CellOf(const TableRow& row, NumberedTimeTable::Column column) {
    using Column = NumberedTimeTable::Column;
    switch (column) {
    case Column::Number:
        return row.number;
    case Column::Start:
        return row.start;
    case Column::End:
        return row.end;
    case Column::Length:
        return row.length;
    case Column::Peak:
        return row.peak;
    case Column::Name:
        break;
    }
    return row.name;
}

// Numbers are compared right-aligned, so "900" comes before "12000". The padded texts are
// compared by code point: a locale's collation may skip the padding spaces and undo the point
// of padding.
int CompareCells(const QString& a, const QString& b, NumberedTimeTable::Column column) {
    using Column = NumberedTimeTable::Column;
    if (column == Column::Number || column == Column::Peak) {
        const qsizetype width = std::max(a.size(), b.size());
        return QString::compare(a.rightJustified(width, u' '), b.rightJustified(width, u' '));
    }
    return QString::localeAwareCompare(a, b);
}

} // namespace

void NumberedTimeTable::Append(const TableRow& row) {
    m_rows.push_back(row);
    m_selected.push_back(0);
}

void NumberedTimeTable::SetSelection(const std::vector<int>& selected, int focused) {
    std::fill(m_selected.begin(), m_selected.end(), 0);
    for (const int index : selected) {
        if (index >= 0 && index < Count()) {
            m_selected[static_cast<size_t>(index)] = 1;
        }
    }
    m_focused = focused >= 0 && focused < Count() ? focused : -1;
}

std::vector<int> NumberedTimeTable::SelectedIndexes() const {
    std::vector<int> indexes;
    for (int i = 0; i < Count(); ++i) {
        if (IsSelected(i)) {
            indexes.push_back(i);
        }
    }
    return indexes;
}

void NumberedTimeTable::SelectOnly(int index) {
    SetSelection(index >= 0 ? std::vector<int>{index} : std::vector<int>{}, index);
}

int NumberedTimeTable::PlayRow() const {
    if (m_rows.empty()) {
        return -1;
    }
    const auto it = std::find(m_selected.begin(), m_selected.end(), 1);
    return it == m_selected.end() ? 0 : static_cast<int>(it - m_selected.begin());
}

// A number is free when its text begins no caption: with "12" in the table, 1 is taken too.
int NumberedTimeTable::NextNumber(int from) const {
    for (int n = from;; ++n) {
        const QString text = QString::number(n);
        const bool taken = std::any_of(m_rows.begin(), m_rows.end(), [&](const TableRow& row) {
            return row.number.startsWith(text);
        });
        if (!taken) {
            return n;
        }
    }
}

int NumberedTimeTable::AddRows(const QStringList& registered, const QStringList& tags,
                               const std::vector<int>& selected, const TimeFormat& format,
                               EventPump* pump, const std::function<bool()>& interrupted) {
    int added = 0;
    int n = 1;
    for (const int i : selected) {
        if (i < 0 || i >= registered.size()) {
            continue;
        }
        if (interrupted && interrupted()) {
            break;
        }
        const QString& start = registered.at(i);
        // Without a known file length (no cut file, or its length could not be had) the last
        // line's row runs to the end of the file, whatever that is: its end and length stay
        // empty rather than claim the segment ends at 0.
        const TimeMs fileLengthMs = format.FileLengthMs();
        QString end = i + 1 < registered.size() ? registered.at(i + 1)
                      : fileLengthMs > 0        ? format.FormatTime(fileLengthMs)
                                                : QString();
        // A list shared with a longer recording of the same name may hold lines past this
        // file's end: such a row has no segment here, so its end and length stay unknown
        // rather than show a negative length.
        if (!end.isEmpty() && ParseTime(end).value_or(0) < ParseTime(start).value_or(0)) {
            end.clear();
        }
        const bool present = std::any_of(m_rows.begin(), m_rows.end(), [&](const TableRow& row) {
            return row.start == start && row.end == end;
        });
        if (present) {
            continue;
        }
        n = NextNumber(n);
        const TimeMs lengthMs = ParseTime(end).value_or(0) - ParseTime(start).value_or(0);
        Append({QString::number(n),
                start,
                end,
                end.isEmpty() ? QString() : format.FormatTime(lengthMs),
                {},
                {},
                i < tags.size() ? tags.at(i) : QString()});
        ++added;
        SelectOnly(Count() - 1);
        if (pump) {
            pump->ProcessEvents();
        }
    }
    return added;
}

void NumberedTimeTable::MoveSelected(bool up) {
    const std::vector<int> taken = SelectedIndexes();
    if (taken.empty()) {
        return;
    }
    std::vector<TableRow> moving;
    for (auto it = taken.rbegin(); it != taken.rend(); ++it) {
        moving.insert(moving.begin(), m_rows.at(static_cast<size_t>(*it)));
        m_rows.erase(m_rows.begin() + *it);
    }
    const int left = static_cast<int>(m_rows.size());
    const int target = std::clamp(taken.front() + (up ? -1 : 1), 0, left);
    m_rows.insert(m_rows.begin() + target, moving.begin(), moving.end());
    std::vector<int> now(moving.size());
    std::iota(now.begin(), now.end(), target);
    m_selected.assign(m_rows.size(), 0);
    SetSelection(now, now.back());
}

int NumberedTimeTable::DeleteSelected() {
    const std::vector<int> doomed = SelectedIndexes();
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
        m_rows.erase(m_rows.begin() + *it);
    }
    m_selected.assign(m_rows.size(), 0);
    m_focused = -1;
    return static_cast<int>(doomed.size());
}

void NumberedTimeTable::Renumber(Messenger& messenger) {
    const int answer = messenger.AskTimedQuestion(
        QStringLiteral("現在の項目の並び順に、番号を１から付け直します☆\n"
                       "番号を付け替えてもよろしいですか?"),
        Messenger::Yes);
    if (answer != Messenger::Yes) {
        messenger.ShowTimedMessage(QStringLiteral("中止しました☆"), Messenger::Ok);
        return;
    }
    for (size_t i = 0; i < m_rows.size(); ++i) {
        m_rows[i].number = QString::number(i + 1);
    }
    messenger.ShowTimedMessage(QStringLiteral("番号の付け替えを\n完了しました☆"), Messenger::Ok);
}

void NumberedTimeTable::MeasurePeaks(const QString& cutFile, Messenger& messenger,
                                     EventPump* pump) {
    for (TableRow& row : m_rows) {
        if (!row.peak.isEmpty()) {
            continue;
        }
        const std::optional<TimeMs> start = ParseTime(row.start);
        const std::optional<TimeMs> end = ParseTime(row.end);
        if (start && end && *end > *start) {
            int64_t peak = 0;
            const QString error = MeasureRangePeak(cutFile, *start, *end, pump, peak);
            if (error.isEmpty()) {
                row.peak = QString::number(peak);
            } else {
                // The cause (no file, an unreadable one) is the same for every row.
                messenger.ShowError(QStringLiteral("エラー発生☆\n") + error, Messenger::Ok);
                return;
            }
        }
        if (pump) {
            pump->ProcessEvents();
        }
    }
}

void NumberedTimeTable::Permute(const std::vector<int>& order) {
    std::vector<TableRow> rows;
    std::vector<char> selected;
    int focused = -1;
    for (const int from : order) {
        if (from == m_focused) {
            focused = static_cast<int>(rows.size());
        }
        rows.push_back(std::move(m_rows[static_cast<size_t>(from)]));
        selected.push_back(m_selected[static_cast<size_t>(from)]);
    }
    m_rows = std::move(rows);
    m_selected = std::move(selected);
    m_focused = focused;
}

void NumberedTimeTable::SortByColumn(Column column) {
    bool& descending = m_descending[static_cast<size_t>(column)];
    std::vector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = CompareCells(CellOf(m_rows[static_cast<size_t>(a)], column),
                                   CellOf(m_rows[static_cast<size_t>(b)], column), column);
        return descending ? c > 0 : c < 0;
    });
    Permute(order);
    descending = !descending;
}

QString NumberedTimeTable::CountText() const {
    return QString::number(Count()) + kCountSuffix;
}

QString BusyCountText() {
    return QStringLiteral("---") + kCountSuffix;
}

QString RowsDeletedMessage(int k) {
    return QString::number(k) + QStringLiteral("個、登録のみ削除しました☆\n削除完了☆");
}

} // namespace veskar

#include "core/play/ShuffleBag.h"

#include <cstdlib>
#include <optional>

#include <QRandomGenerator>

namespace veskar {

namespace {

std::optional<int64_t> Number(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<int64_t>(value) : std::nullopt;
}

} // namespace

RandomIndex DefaultRandomIndex() {
    return [](int64_t n) {
        return static_cast<int64_t>(QRandomGenerator::global()->bounded(static_cast<qint64>(n)));
    };
}

int64_t ShuffleBag::Copies(int row) const {
    const auto it = m_copies.find(row);
    return it == m_copies.end() ? 0 : it->second;
}

void ShuffleBag::Clear() {
    m_copies.clear();
    m_total = 0;
}

void ShuffleBag::Add(int row, int64_t copies) {
    if (copies > 0) {
        m_copies[row] += copies;
        m_total += copies;
    }
}

void ShuffleBag::TakeOut(int row, PlayFileList& list) {
    const auto it = m_copies.find(row);
    if (it != m_copies.end()) {
        --m_total;
        if (--it->second == 0) {
            m_copies.erase(it);
        }
    }
    if (row >= list.Count()) {
        Clear();
        return;
    }
    const std::optional<int64_t> weight = Number(list.Weight(row));
    if (weight && *weight > 0) {
        list.SetWeight(row, *weight == 1 ? QString() : QString::number(-*weight));
    }
}

void ShuffleBag::Refill(PlayFileList& list) {
    const int count = list.Count();
    // Rows not played in this round.
    for (int row = 0; row < count; ++row) {
        const QString text = list.Weight(row);
        const std::optional<int64_t> weight = Number(text);
        if (weight) {
            Add(row, *weight);
        } else if (!text.isEmpty()) {
            Add(row, 1);
        }
    }
    if (!IsEmpty()) {
        return;
    }
    // Every row has been played: a new round with all of them, their marks taken off.
    for (int row = 0; row < count; ++row) {
        const std::optional<int64_t> weight = Number(list.Weight(row));
        const int64_t copies = weight && *weight != 0 ? std::llabs(*weight) : 1;
        Add(row, copies);
        list.SetWeight(row, QString::number(copies));
    }
}

int ShuffleBag::Pick(const RandomIndex& random) const {
    int64_t n = random(m_total);
    for (const auto& [row, copies] : m_copies) {
        if (n < copies) {
            return row;
        }
        n -= copies;
    }
    return m_copies.rbegin()->first;
}

int ShuffleBag::PickNext(PlayFileList& list, const RandomIndex& random) {
    if (!IsEmpty()) {
        const int row = Pick(random);
        if (row >= list.Count()) {
            Clear();
        }
        return row;
    }
    Refill(list);
    if (IsEmpty()) {
        return 0;
    }
    const int row = Pick(random);
    if (row >= list.Count()) {
        Clear();
        return 0;
    }
    return row;
}

} // namespace veskar

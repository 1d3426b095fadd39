#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "core/play/PlayFileList.h"

namespace veskar {

/// Gives a number 0 .. n-1 (n >= 1), uniformly. Tests pass a scripted one.
using RandomIndex = std::function<int64_t(int64_t n)>;
/// The process-wide random generator.
RandomIndex DefaultRandomIndex();

/// The shuffle bag of the file screen: a multiset of row indexes of the playing list. Each row's
/// weight text says how often it goes in: a positive number k gives k copies; after a play the
/// text turns to -k (or to an empty text for 1), marking the row played in this round. When the
/// bag runs empty it is refilled from the rows not yet played, and once every row has been
/// played, from all rows again, which starts a new round.
///
/// Copies are counted, not stored one by one, so a huge weight in a list file costs nothing.
class ShuffleBag {
public:
    /// A row was clicked in shuffle mode: one copy of it leaves the bag and the row is marked
    /// played. A row past the list's end empties the bag instead.
    void TakeOut(int row, PlayFileList& list);
    /// The next row to play, refilling the bag first when it is empty. A stale index (not below
    /// the list's count) empties the bag; from a fresh refill it gives 0.
    int PickNext(PlayFileList& list, const RandomIndex& random);

    bool IsEmpty() const { return m_total == 0; }
    int64_t Copies(int row) const;
    int64_t Total() const { return m_total; }
    void Clear();

private:
    void Add(int row, int64_t copies);
    void Refill(PlayFileList& list);
    int Pick(const RandomIndex& random) const;

    std::map<int, int64_t> m_copies;
    int64_t m_total = 0;
};

} // namespace veskar

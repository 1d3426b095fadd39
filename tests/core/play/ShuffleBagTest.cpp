#include <gtest/gtest.h>

#include "core/play/ShuffleBag.h"
#include "support/FakePlayFileList.h"

namespace veskar::test {

namespace {

// Picks the n-th copy in index order, so tests know what comes.
RandomIndex Scripted(std::vector<int64_t> picks) {
    auto queue = std::make_shared<std::vector<int64_t>>(std::move(picks));
    return [queue](int64_t n) {
        int64_t pick = 0;
        if (!queue->empty()) {
            pick = queue->front();
            queue->erase(queue->begin());
        }
        EXPECT_LT(pick, n);
        return pick;
    };
}

} // namespace

TEST(ShuffleBagTest, FreshRefillGivesEveryRowItsWeight) {
    FakePlayFileList list({"a", "b", "c", "d", "e"});
    list.weights = {"", "0", "-3", "x", "2"};
    ShuffleBag bag;
    // "x" is no number but not empty: it counts once; "2" twice. The rest is played.
    EXPECT_EQ(bag.PickNext(list, Scripted({0})), 3);
    EXPECT_EQ(bag.Copies(3), 1);
    EXPECT_EQ(bag.Copies(4), 2);
    EXPECT_EQ(bag.Total(), 3);
    EXPECT_EQ(list.weights, (QStringList{"", "0", "-3", "x", "2"}));
}

TEST(ShuffleBagTest, NewRoundTakesMarksOff) {
    FakePlayFileList list({"a", "b", "c", "d"});
    list.weights = {"", "0", "-3", "-1"};
    ShuffleBag bag;
    // Nothing unplayed: every row goes in with |w| copies (1 for empty and zero).
    EXPECT_EQ(bag.PickNext(list, Scripted({2})), 2);
    EXPECT_EQ(list.weights, (QStringList{"1", "1", "3", "1"}));
    EXPECT_EQ(bag.Total(), 6);
    EXPECT_EQ(bag.Copies(2), 3);
}

TEST(ShuffleBagTest, TakingOutMarksTheRowPlayed) {
    FakePlayFileList list({"a", "b", "c"});
    list.weights = {"3", "1", "z"};
    ShuffleBag bag;
    bag.PickNext(list, Scripted({0}));
    ASSERT_EQ(bag.Total(), 5);

    bag.TakeOut(0, list);
    EXPECT_EQ(bag.Copies(0), 2) << "one copy leaves per play";
    EXPECT_EQ(list.weights[0], "-3");
    bag.TakeOut(1, list);
    EXPECT_EQ(list.weights[1], "");
    bag.TakeOut(2, list);
    EXPECT_EQ(list.weights[2], "z") << "a text that is no number stays";
    EXPECT_EQ(bag.Total(), 2);
    // A row not in the bag (clicked by hand) loses nothing from it.
    bag.TakeOut(1, list);
    EXPECT_EQ(bag.Total(), 2);
}

TEST(ShuffleBagTest, StaleIndexesEmptyTheBag) {
    FakePlayFileList list({"a", "b", "c"});
    list.weights = {"1", "1", "1"};
    ShuffleBag bag;
    EXPECT_EQ(bag.PickNext(list, Scripted({2})), 2);
    // The list shrank under the bag.
    list.paths.removeLast();
    list.weights.removeLast();
    EXPECT_EQ(bag.PickNext(list, Scripted({2})), 2);
    EXPECT_TRUE(bag.IsEmpty());

    bag.PickNext(list, Scripted({0}));
    list.paths.clear();
    list.weights.clear();
    bag.TakeOut(1, list);
    EXPECT_TRUE(bag.IsEmpty()) << "taking out a row past the end empties the bag";
    EXPECT_EQ(bag.PickNext(list, Scripted({})), 0);
}

TEST(ShuffleBagTest, HugeWeightsAreCountedNotStored) {
    FakePlayFileList list({"a", "b"});
    list.weights = {"2000000000", "1"};
    ShuffleBag bag;
    EXPECT_EQ(bag.PickNext(list, Scripted({2000000000})), 1);
    EXPECT_EQ(bag.Total(), 2000000001);
}

} // namespace veskar::test

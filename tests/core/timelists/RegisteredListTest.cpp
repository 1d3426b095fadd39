#include <gtest/gtest.h>

#include "core/timelists/RegisteredList.h"

namespace veskar {
namespace {

using Result = RegisteredList::InsertResult;

class RegisteredListTest : public testing::Test {
protected:
    // Five lines 1000 .. 5000 tagged "", "1", "2", "", "5".
    void Fill() { list.Assign({"1000", "2000", "3000", "4000", "5000"}, {"", "1", "2", "", "5"}); }
    RegisteredList list;
};

TEST_F(RegisteredListTest, InsertsSortedUniqueWithTagsAligned) {
    EXPECT_EQ(list.InsertRegisteredTime("3000", "3", true), Result::Inserted);
    EXPECT_EQ(list.InsertRegisteredTime("1000", "", true), Result::Inserted);
    EXPECT_EQ(list.InsertRegisteredTime("5000", "6", true), Result::Inserted);
    EXPECT_EQ(list.InsertRegisteredTime("2000", "1", true), Result::Inserted);
    EXPECT_EQ(list.Texts(), (QStringList{"1000", "2000", "3000", "5000"}));
    EXPECT_EQ(list.Tags(), (QStringList{"", "1", "3", "6"}));
    EXPECT_EQ(list.Lines().Current(), 1);
    EXPECT_EQ(list.Lines().SelectedIndexes(), std::vector<int>{1});
}

TEST_F(RegisteredListTest, PresentLineTakesTheNewTagOnlyWhileStartTimesAreEnabled) {
    Fill();
    EXPECT_EQ(list.InsertRegisteredTime("2000", "", true), Result::Present);
    EXPECT_EQ(list.Tag(1), "");
    EXPECT_EQ(list.InsertRegisteredTime("2000", "4", true), Result::Present);
    EXPECT_EQ(list.Tag(1), "4");
    EXPECT_EQ(list.InsertRegisteredTime("2000", "", false), Result::Present);
    EXPECT_EQ(list.Tag(1), "4");
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Lines().Current(), 1);
    EXPECT_EQ(list.Lines().SelectedCount(), 1);
}

TEST_F(RegisteredListTest, FullListTurnsRedAndStaysUnchanged) {
    QStringList texts;
    for (int i = 0; i < RegisteredList::kMaxLines; ++i) {
        texts.append(QString::number(i * 2).rightJustified(6, '0'));
    }
    list.Assign(texts, {});
    list.SelectOnly(7);
    ASSERT_EQ(list.Count(), 32700);
    EXPECT_FALSE(list.Overflowed());

    EXPECT_EQ(list.InsertRegisteredTime("000001", "2", true), Result::Full);
    EXPECT_TRUE(list.Overflowed());
    EXPECT_EQ(list.Texts(), texts);
    EXPECT_EQ(list.Lines().Current(), 7);

    list.SelectOnly(0);
    list.DeleteSelected();
    EXPECT_TRUE(list.Overflowed()) << "stays red until the list is replaced";
    EXPECT_EQ(list.InsertRegisteredTime("000001", "2", true), Result::Inserted);
    list.Clear();
    EXPECT_FALSE(list.Overflowed());
}

// Which line is current after a deletion: the one after the lowest deleted line, none when
// that was the last, the first when nothing was deleted; the selection follows the current line.
TEST_F(RegisteredListTest, DeletionRules) {
    struct Case {
        std::vector<int> selected;
        int deleted;
        QStringList texts;
        QStringList tags;
        int current;
    };
    const Case cases[] = {
        {{4}, 1, {"1000", "2000", "3000", "4000"}, {"", "1", "2", ""}, -1},
        {{1, 2}, 2, {"1000", "4000", "5000"}, {"", "", "5"}, 1},
        {{0, 2, 4}, 3, {"2000", "4000"}, {"1", ""}, 0},
        {{}, 0, {"1000", "2000", "3000", "4000", "5000"}, {"", "1", "2", "", "5"}, 0},
        {{0, 1, 2, 3, 4}, 5, {}, {}, -1},
    };
    for (const Case& c : cases) {
        Fill();
        list.ClearSelection();
        for (const int line : c.selected) {
            list.SetSelected(line, true);
        }
        EXPECT_EQ(list.DeleteSelected(), c.deleted);
        EXPECT_EQ(list.Texts(), c.texts);
        EXPECT_EQ(list.Tags(), c.tags);
        EXPECT_EQ(list.Lines().Current(), c.current) << c.deleted;
        EXPECT_EQ(list.Lines().SelectedIndexes(),
                  c.current < 0 ? std::vector<int>{} : std::vector<int>{c.current});
    }
}

TEST_F(RegisteredListTest, AssignPadsOrCutsTheTags) {
    list.Assign({"1", "2", "3"}, {"4"});
    EXPECT_EQ(list.Tags(), (QStringList{"4", "", ""}));
    list.Assign({"1"}, {"4", "5"});
    EXPECT_EQ(list.Tags(), (QStringList{"4"}));
}

} // namespace
} // namespace veskar

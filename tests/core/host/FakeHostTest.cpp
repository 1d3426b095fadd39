#include <gtest/gtest.h>

#include "support/FakeHost.h"

namespace veskar::test {

// The fake progress box is what every long-run test relies on to stop a run; make sure it
// behaves like the real one's slots.
TEST(FakeProgressBoxTest, SlotsAndStopAfterUpdates) {
    FakeProgressBox box;
    int handles[ProgressBox::kSlots];
    for (int& handle : handles) {
        handle = box.Open("m", "t");
        EXPECT_GE(handle, 0);
    }
    EXPECT_EQ(box.Open("eleventh", "t"), -1);
    EXPECT_EQ(box.GetState(10), ProgressBox::BadHandle);
    EXPECT_EQ(box.SetPercent(-1, 5), ProgressBox::BadHandle);

    box.stopAfterUpdates = 2;
    EXPECT_EQ(box.SetPercent(handles[0], 10), ProgressBox::Running);
    EXPECT_EQ(box.SetPercent(handles[0], 20), ProgressBox::Stopped);
    EXPECT_EQ(box.SetPercent(handles[0], 30), ProgressBox::Stopped);
    EXPECT_EQ(box.percents, (std::vector<int>{10, 20}));

    int first = handles[0];
    box.Close(handles[0]);
    EXPECT_EQ(handles[0], -1);
    EXPECT_EQ(box.GetState(first), ProgressBox::Free);
}

TEST(FakeMessengerTest, AnswersFromQueueThenDefault) {
    FakeMessenger messenger;
    messenger.answers = {Messenger::Abort};
    EXPECT_EQ(messenger.ShowError("e", Messenger::Ok), Messenger::Abort);
    EXPECT_EQ(messenger.AskTimedQuestion("q", Messenger::No), Messenger::No);
    EXPECT_EQ(messenger.ShowMessage("p"), Messenger::Ok);
    EXPECT_EQ(messenger.Texts(), (QStringList{"e", "q", "p"}));
}

} // namespace veskar::test

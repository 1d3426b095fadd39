#include <gtest/gtest.h>

#include "core/text/ShiftJisText.h"

namespace veskar::test {

namespace {

struct TruncateCase {
    const char* text;
    int maxBytes;
    const char* expected;
};

class TruncateTextTest : public testing::TestWithParam<TruncateCase> {};

TEST_P(TruncateTextTest, NeverSplitsATwoByteCharacter) {
    const TruncateCase& c = GetParam();
    EXPECT_EQ(TruncateText(QString::fromUtf8(c.text), c.maxBytes), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Widths, TruncateTextTest,
    testing::Values(TruncateCase{"abc", 4, "abc"},
                    TruncateCase{"あいう", 4, "あい"}, // two whole characters
                    TruncateCase{"aあいう", 4, "aあ"}, // 3 bytes: い would need 5
                    TruncateCase{"あいう", 3, "あ"},   // never one and a half
                    TruncateCase{"éa", 2, "é"},        // not in the one-byte set
                    TruncateCase{"a😀b", 2, "a"},       // a surrogate pair stays whole
                    TruncateCase{"a😀b", 3, "a😀"}, TruncateCase{"abc", 0, ""},
                    TruncateCase{"abc", -1, ""}, TruncateCase{"", 4, ""}));

TEST(ShiftJisTextTest, LengthCountsBytes) {
    EXPECT_EQ(ShiftJisLength(QString::fromUtf8("aあｱ😀")), 1 + 2 + 1 + 2);
    EXPECT_EQ(ShiftJisWidth(U'~'), 1);
    EXPECT_EQ(ShiftJisWidth(U'\uFF61'), 1);
    EXPECT_EQ(ShiftJisWidth(U'\uFF9F'), 1);
    EXPECT_EQ(ShiftJisWidth(U'\uFFA0'), 2);
    EXPECT_EQ(ShiftJisWidth(U'\u00A0'), 2);
}

} // namespace

} // namespace veskar::test

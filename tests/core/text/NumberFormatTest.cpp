#include <gtest/gtest.h>

#include "core/text/NumberFormat.h"
#include "support/QtPrint.h"

namespace veskar::test {

namespace {

TEST(NumberFormatTest, GroupsThousandsByLocale) {
    const QLocale c = QLocale::c();
    EXPECT_EQ(GroupedNumber(0, c), "0");
    EXPECT_EQ(GroupedNumber(999, c), "999");
    EXPECT_EQ(GroupedNumber(1000, c), "1,000");
    EXPECT_EQ(GroupedNumber(-1234567, c), "-1,234,567");
    EXPECT_EQ(GroupedNumber(int64_t{1} << 40, c), "1,099,511,627,776");
    // The locale given decides the separator.
    EXPECT_EQ(GroupedNumber(1234567, QLocale(QLocale::German, QLocale::Germany)), "1.234.567");
}

TEST(NumberFormatTest, FieldIsRightAlignedAndNeverCut) {
    const QLocale c = QLocale::c();
    EXPECT_EQ(GroupedNumberField(573560, 12, c), "     573,560");
    EXPECT_EQ(GroupedNumberField(12, 7, c), "     12");
    EXPECT_EQ(GroupedNumberField(123456789012, 7, c), "123,456,789,012");
}

TEST(NumberFormatTest, DateTextUsesEnglishDayNamesWhateverTheLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    EXPECT_EQ(MakeDateText(QDateTime(QDate(2024, 3, 10), QTime(9, 5, 7))), "24/03/10 Sun 09:05:07");
    QLocale::setDefault(saved);
}

} // namespace

} // namespace veskar::test

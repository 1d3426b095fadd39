#include <gtest/gtest.h>

#include <cstdlib>

#include "core/browser/FileRow.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

TEST(FileRowTest, ColumnTexts) {
    const QByteArray savedTz = qgetenv("TZ");
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    const FileRow row = MakeFileRow("Take.WAV", 100000, 1710079509, false);
    EXPECT_EQ(row.sizeText, " 100,000");
    EXPECT_EQ(row.typeText, "wav");
    EXPECT_EQ(row.dateText, "24/03/10 14:05:09 Sun");
    EXPECT_EQ(row.attributeText, "    ");
    EXPECT_FALSE(row.IsHidden());

    const FileRow hidden = MakeFileRow(".Notes", 1024, 946684799, true);
    EXPECT_EQ(hidden.sizeText, "   1,024");
    EXPECT_EQ(hidden.typeText, "notes");
    EXPECT_EQ(hidden.dateText, "99/12/31 23:59:59 Fri");
    EXPECT_EQ(hidden.attributeText, "R H ");
    EXPECT_TRUE(hidden.IsHidden());
    EXPECT_EQ(MakeFileRow("README", 0, 978404645, false).typeText, "");
    savedTz.isNull() ? ::unsetenv("TZ") : ::setenv("TZ", savedTz.constData(), 1);
    ::tzset();
}

} // namespace
} // namespace veskar

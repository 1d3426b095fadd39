#include <gtest/gtest.h>

#include "core/wav/LevelColor.h"

namespace veskar::test {

namespace {

TEST(LevelColorTest, ClassesOfBothFamilies) {
    struct Row {
        int64_t level;
        SampleFamily family;
        std::optional<uint32_t> color;
    };
    const auto b16 = SampleFamily::Bits16;
    const auto b8 = SampleFamily::Bits8;
    const Row rows[] = {
        {-1, b16, std::nullopt}, {0, b16, 0x000000},     {250, b16, 0x000000},
        {251, b16, 0x8F0000},    {499, b16, 0x8F0000},   {500, b16, 0x9F0000},
        {1999, b16, 0xEF0000},   {2000, b16, 0xFF0000},  {27999, b16, 0xFF0000},
        {28000, b16, 0x0000BF},  {30000, b16, 0x0000BF}, {30001, b16, 0x0000DF},
        {32000, b16, 0x0000DF},  {32001, b16, 0x0000FF}, {32768, b16, 0x0000FF},
        {-1, b8, std::nullopt},  {0, b8, 0x000000},      {1, b8, 0x000000},
        {2, b8, 0x7F0000},       {3, b8, 0x8F0000},      {24, b8, 0xFF0000},
        {25, b8, 0xFF0000},      {99, b8, 0xFF0000},     {100, b8, 0x0000BF},
        {110, b8, 0x0000BF},     {111, b8, 0x0000DF},    {120, b8, 0x0000DF},
        {121, b8, 0x0000FF},     {128, b8, 0x0000FF},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LevelColor(row.level, row.family), row.color)
            << row.level << (row.family == b8 ? " (8-bit)" : "");
    }
    EXPECT_EQ(BgrToRgb(0x0000BF), 0xBF0000u);
    EXPECT_EQ(BgrToRgb(0x8F0000), 0x00008Fu);
}

} // namespace

} // namespace veskar::test

#include <gtest/gtest.h>

#include "core/timelists/NumberedTimeTable.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/TestHome.h"
#include "support/WavBuilder.h"

namespace veskar {
namespace {

using test::FakeMessenger;

// Rows "No. start-end" as one text each, e.g. "2 01000-03000"; or one cell of each row.
QStringList Summary(const NumberedTimeTable& table, QString TableRow::*cell = nullptr) {
    QStringList rows;
    for (const TableRow& row : table.Rows()) {
        rows.append(cell ? row.*cell : row.number + ' ' + row.start + '-' + row.end);
    }
    return rows;
}

TimeFormat PlainFormat() {
    TimeFormat format;
    format.SetMinutesMode(false);
    format.SetFileLength(10000); // texts of five digits
    return format;
}

TEST(NumberedTimeTableTest, AddsSegmentsOnceWithFreeNumbers) {
    struct Case {
        const char* what;
        QStringList captions; // rows there before, all 00000-00001
        QStringList registered;
        std::vector<int> selected;
        QStringList expectedNew;
    };
    const QStringList tens = {"10", "11", "12", "13", "14", "15", "16", "17", "18", "19"};
    const Case cases[] = {
        {"last line ends at the file end",
         {},
         {"01000", "03000"},
         {0, 1},
         {"1 01000-03000", "2 03000-10000"}},
        {"10..19 block 1 but not 2", tens, {"01000"}, {0}, {"2 01000-10000"}},
        {"the numbers go on from the one found",
         {"2"},
         {"01000", "02000", "03000"},
         {0, 1, 2},
         {"1 01000-02000", "3 02000-03000", "4 03000-10000"}},
    };
    for (const Case& c : cases) {
        NumberedTimeTable table;
        for (const QString& caption : c.captions) {
            table.Append({caption, "00000", "00001", "00001", {}, {}, {}});
        }
        table.AddRows(c.registered, {}, c.selected, PlainFormat(), nullptr, {});
        EXPECT_EQ(Summary(table).mid(c.captions.size()), c.expectedNew) << c.what;
        EXPECT_EQ(table.SelectedIndexes(), std::vector<int>{table.Count() - 1}) << c.what;
    }
}

TEST(NumberedTimeTableTest, AddingAgainAddsOnlyChangedSegments) {
    NumberedTimeTable table;
    const TimeFormat format = PlainFormat();
    table.AddRows({"01000", "05000"}, {"2", ""}, {0, 1}, format, nullptr, {});
    EXPECT_EQ(table.AddRows({"01000", "05000"}, {}, {0, 1}, format, nullptr, {}), 0);
    EXPECT_EQ(table.AddRows({"01000", "03000", "05000"}, {}, {0, 1, 2}, format, nullptr, {}), 2);
    EXPECT_EQ(Summary(table),
              (QStringList{"1 01000-05000", "2 05000-10000", "3 01000-03000", "4 03000-05000"}));
    EXPECT_EQ(table.Row(0).tag, "2");
    EXPECT_EQ(table.Row(0).length, "04000");

    TimeFormat noFile = format; // no cut file: the end of the last row is not known
    noFile.SetFileLength(0);
    NumberedTimeTable last;
    last.AddRows({"01000"}, {}, {0}, noFile, nullptr, {});
    last.AddRows({"12000"}, {}, {0}, format, nullptr, {}); // a line past the file's end
    EXPECT_EQ(Summary(last) + Summary(last, &TableRow::length),
              QStringList({"1 01000-", "2 12000-", "", ""}));
}

TEST(NumberedTimeTableTest, MovesSelectedRowsTogetherWithinTheEnds) {
    struct Case {
        std::vector<int> selected;
        bool up;
        QString expectedOrder;
        std::vector<int> expectedSelection;
    };
    const Case cases[] = {
        {{2, 3}, true, "13425", {1, 2}},
        {{4}, false, "12345", {4}},
        {{0}, true, "12345", {0}},
        {{0, 2}, false, "21345", {1, 2}},
    };
    for (const Case& c : cases) {
        NumberedTimeTable table;
        for (int i = 1; i <= 5; ++i) {
            table.Append({QString::number(i), {}, {}, {}, {}, {}, {}});
        }
        table.SetSelection(c.selected, c.selected.front());
        table.MoveSelected(c.up);
        EXPECT_EQ(Summary(table, &TableRow::number).join(""), c.expectedOrder);
        EXPECT_EQ(table.SelectedIndexes(), c.expectedSelection) << c.expectedOrder.toStdString();
        EXPECT_EQ(table.Focused(), c.expectedSelection.back()) << c.expectedOrder.toStdString();
    }
}

TEST(NumberedTimeTableTest, SortsNumbersByValueAndAlternates) {
    NumberedTimeTable table;
    for (const char* peak : {"12000", "900", "", "1000"}) {
        table.Append({QString::number(table.Count() + 8), {}, {}, {}, peak, {}, {}});
    }
    table.SetSelection({1}, 1);
    table.SortByColumn(NumberedTimeTable::Column::Peak);
    EXPECT_EQ(Summary(table, &TableRow::peak), (QStringList{"", "900", "1000", "12000"}));
    EXPECT_EQ(table.Focused(), 1);
    EXPECT_EQ(table.SelectedIndexes(), std::vector<int>{1});
    table.SortByColumn(NumberedTimeTable::Column::Peak);
    EXPECT_EQ(Summary(table, &TableRow::peak), (QStringList{"12000", "1000", "900", ""}));
    EXPECT_EQ(table.Focused(), 2);
    table.SortByColumn(NumberedTimeTable::Column::Number);
    EXPECT_EQ(table.Row(0).number, "8") << "9 before 10; the number column has its own direction";
}

TEST(NumberedTimeTableTest, MeasuresPeaksOfRowsThatHaveNone) {
    const QString path = test::TestHomeDir() + "/peaks.wav";
    ASSERT_TRUE(
        test::WavBuilder(1000, 1, 16).Constant(1000, 300).Constant(1000, -2000).Write(path));
    NumberedTimeTable table;
    for (const auto& [start, end, peak] : {std::tuple{"0000", "1000", ""},
                                           {"0500", "2000", "7"},
                                           {"1500", "1500", ""},
                                           {"1000", "2000", ""}}) {
        table.Append({"1", start, end, {}, peak, {}, {}});
    }
    FakeMessenger messenger;
    table.MeasurePeaks(path, messenger, nullptr);
    // Measured once; no range, no peak.
    EXPECT_EQ(Summary(table, &TableRow::peak), (QStringList{"300", "7", "", "2000"}));
    EXPECT_TRUE(messenger.calls.empty());

    table.Append({"5", "0000", "0100", {}, {}, {}, {}});
    table.Append({"6", "0100", "0200", {}, {}, {}, {}});
    table.MeasurePeaks(path + ".missing", messenger, nullptr);
    ASSERT_EQ(messenger.calls.size(), 1u) << "one message for the run, none for measured rows";
    EXPECT_TRUE(messenger.calls[0].text.startsWith("エラー発生☆\n"));
    EXPECT_EQ(table.Row(4).peak, "");
}

} // namespace
} // namespace veskar

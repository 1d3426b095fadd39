#include <gtest/gtest.h>

#include "core/browser/FileRowSort.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

QStringList Names(const std::vector<FileRow>& rows) {
    QStringList names;
    for (const FileRow& row : rows) {
        names << row.name;
    }
    return names;
}

TEST(FileRowSortTest, SortingByColumnsAndDirections) {
    std::vector<FileRow> rows{MakeFileRow("big.wav", 100000, 978404645, false),  // 2001
                              MakeFileRow("mid.aif", 5000, 1710079509, false),   // 2024
                              MakeFileRow("small.wav", 1024, 946684799, false)}; // 1999
    SortDirections directions;
    struct Click {
        FileColumn column;
        QStringList names;
    };
    const Click clicks[] = {
        {FileColumn::Size, {"small.wav", "mid.aif", "big.wav"}},
        {FileColumn::Size, {"big.wav", "mid.aif", "small.wav"}},
        {FileColumn::Name, {"small.wav", "mid.aif", "big.wav"}},
        {FileColumn::Date, {"small.wav", "big.wav", "mid.aif"}},
        {FileColumn::Type, {"mid.aif", "small.wav", "big.wav"}},
    };
    int selected = 0;
    for (const Click& click : clicks) {
        const QString selectedName = rows[static_cast<size_t>(selected)].name;
        selected = SortFileRows(rows, click.column, directions.Toggle(click.column), selected);
        EXPECT_EQ(Names(rows), click.names) << static_cast<int>(click.column);
        EXPECT_EQ(rows[static_cast<size_t>(selected)].name, selectedName);
    }
    directions.Reset();
    EXPECT_TRUE(directions.Toggle(FileColumn::Name)) << "the first click on the names descends";
    EXPECT_FALSE(directions.Toggle(FileColumn::Attributes));
}

} // namespace
} // namespace veskar

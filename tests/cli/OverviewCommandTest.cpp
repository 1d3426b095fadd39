#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "core/timelists/StartColors.h"
#include "support/QtPrint.h"
#include "support/RunCli.h"
#include "support/WavFiles.h"

namespace veskar::test {
namespace {

// 10 s at 1,000 Hz mono: silence, then a full-scale square from 5 s. One column is 100 ms.
TEST(OverviewCommandTest, MarksInTheirColoursAtTheirColumns) {
    WavFiles files;
    const QString rec =
        files.Write("rec.wav", WavBuilder(1000, 1, 16).Silence(5000).Square(5000, 1, 32767));
    const QString png = files.Path("o.png");
    const CliResult result = RunSplit({"overview", rec, "--png", png, "--width", "100", "--height",
                                       "41", "--marks", "3050:2", "20000"});
    ASSERT_EQ(result.exitCode, 0) << result.Err().toStdString();
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(100, 41));
    const auto rgb = [&image](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
    // Marks of unselected lines are blended into the background: same hue, lighter.
    EXPECT_EQ(QColor::fromRgb(rgb(30, 0)).hue(),
              QColor::fromRgb(StartColorStyleOf(2)->background).hue());
    EXPECT_EQ(rgb(29, 0), 0xFFFFFFu);
    // Silence is a black line through the middle; the square fills its columns top to bottom
    // in the colour of the loudest level.
    EXPECT_EQ(rgb(20, 20), 0x000000u);
    EXPECT_EQ(rgb(20, 19), 0xFFFFFFu);
    EXPECT_EQ(rgb(60, 0), 0xFF0000u);

    // A file that cannot be read leaves no picture behind.
    const CliResult missing = RunSplit({"overview", files.Path("none.wav"), "--png", png + "2"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(QFile::exists(png + "2"));
    EXPECT_EQ(RunSplit({"overview", rec, "--png", rec}).exitCode, 2);
    EXPECT_EQ(QFile(rec).size(), 44 + 20000);
}

} // namespace
} // namespace veskar::test

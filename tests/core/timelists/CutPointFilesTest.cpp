#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/timelists/CutPointFiles.h"
#include "core/timelists/RegisteredList.h"
#include "core/timelists/StartColors.h"
#include "core/timelists/TimeText.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

constexpr TimeMs kLength = 600000; // 10 min
const QStringList kNames = DefaultColorTagNames();

using Writer = QByteArray (*)(const std::vector<CutPoint>&);
QByteArray Cue(const std::vector<CutPoint>& points) {
    return WriteCueSheet(points, "rec.wav");
}

class CutPointFilesTest : public testing::TestWithParam<Writer> {
protected:
    CutPointFilesTest() {
        format.SetFileLength(kLength);
        format.SetMinutesMode(false);
    }
    // Silence starts without colour between songs of several colours; 1234 and 61001 ms fall
    // between two cue frames.
    void Fill(RegisteredList& list) {
        const std::pair<TimeMs, QString> lines[] = {{0, "1"},    {1234, ""},   {2000, "2"},
                                                    {61001, ""}, {62000, "1"}, {599999, "6"}};
        for (const auto& [ms, tag] : lines) {
            list.InsertRegisteredTime(format.FormatTime(ms), tag, true);
        }
    }
    QString RoundTrip(CutCommand command, RegisteredList& into) {
        RegisteredList from;
        Fill(from);
        const auto bytes = GetParam()(ChosenCutPoints(from, command, true, kLength, kNames));
        const CutPointRead read = ReadCutPoints(bytes);
        EXPECT_EQ(read.error, "");
        return ImportCutPoints(read.points, kLength, format, kNames, true, into);
    }
    TimeFormat format;
};

TEST_P(CutPointFilesTest, AllLinesComeBackWithTheirColours) {
    RegisteredList expected, imported;
    Fill(expected);
    EXPECT_EQ(RoundTrip(CutCommand::WAV_CUT_ALL, imported), "");
    EXPECT_EQ(imported.Texts(), expected.Texts());
    EXPECT_EQ(imported.Tags(), expected.Tags());
}

// Only the coloured pieces travel; their ends come back as lines without colour, so a cut of
// the coloured lines writes the same pieces.
TEST_P(CutPointFilesTest, ColouredPiecesKeepTheirEnds) {
    RegisteredList source, imported;
    Fill(source);
    EXPECT_EQ(RoundTrip(CutCommand::WAV_CUT_ST, imported), "");
    const auto pieces = [&](const RegisteredList& list) {
        std::vector<std::tuple<TimeMs, TimeMs, QString>> result;
        for (const CutPoint& p :
             ChosenCutPoints(list, CutCommand::WAV_CUT_ST, true, kLength, kNames)) {
            result.emplace_back(p.startMs, p.endMs, p.label);
        }
        return result;
    };
    EXPECT_EQ(pieces(imported), pieces(source));
    EXPECT_EQ(imported.Lines().SelectedCount(), 4);
}

TEST_P(CutPointFilesTest, AFileOfALongerRecordingIsRefusedWhole) {
    RegisteredList source, imported;
    Fill(source);
    imported.InsertRegisteredTime("000500", "3", true);
    format.SetFileLength(kLength - 1000);
    const auto points = ChosenCutPoints(source, CutCommand::WAV_CUT_ALL, true, kLength, kNames);
    const CutPointRead read = ReadCutPoints(GetParam()(points));
    EXPECT_EQ(ImportCutPoints(read.points, kLength - 1000, format, kNames, true, imported),
              "この録音（599000）より長い録音のファイルです（599999）・・・");
    EXPECT_EQ(imported.Texts(), QStringList{"000500"});
}

// An end that falls on a line already there leaves its colour alone.
TEST_P(CutPointFilesTest, LinesAlreadyThereKeepTheirColour) {
    RegisteredList imported;
    imported.InsertRegisteredTime(format.FormatTime(1234), "3", true);
    EXPECT_EQ(RoundTrip(CutCommand::WAV_CUT_ST, imported), "");
    EXPECT_EQ(imported.Tag(1), "3");
}

INSTANTIATE_TEST_SUITE_P(Formats, CutPointFilesTest, testing::Values(&WriteLabelTrack, &Cue));

// Lines already in the list take no room; a file that needs more than is left changes nothing.
TEST(CutPointFilesImportTest, AFullListTakesNothing) {
    TimeFormat format;
    format.SetFileLength(kLength);
    QStringList texts;
    for (int i = 0; i < RegisteredList::kMaxLines - 1; ++i) {
        texts << format.FormatTime(i * 10);
    }
    RegisteredList list;
    list.Assign(texts, {});
    const std::vector<CutPoint> fits = {{0, -1, "1"}, {10, -1, "2"}, {5, -1, "3"}};
    EXPECT_EQ(ImportCutPoints(fits, kLength, format, kNames, true, list), "");
    EXPECT_EQ(list.Count(), RegisteredList::kMaxLines);
    const std::vector<CutPoint> tooMany = {{7, -1, ""}, {8, -1, ""}};
    EXPECT_EQ(ImportCutPoints(tooMany, kLength, format, kNames, true, list),
              "登録数が範囲を超えました。");
    EXPECT_EQ(list.Count(), RegisteredList::kMaxLines);
    EXPECT_FALSE(list.Overflowed());
}

TEST(CutPointFilesLayoutTest, BytesOfBothFormats) {
    const std::vector<CutPoint> points = {
        {0, 1234, "Blue"}, {1234, 62000, "0"}, {62000, 80000, "Side B"}};
    EXPECT_EQ(WriteLabelTrack(points), QByteArray("0.000000\t1.234000\tBlue\n"
                                                  "1.234000\t62.000000\t0\n"
                                                  "62.000000\t80.000000\tSide B\n"));
    // 1234 ms is frame 92 (1226.7 ms), so its exact time follows; the last end is the length.
    EXPECT_EQ(WriteCueSheet(points, "take \"1\".wav"), QByteArray("FILE \"take '1'.wav\" WAVE\n"
                                                                  "  TRACK 01 AUDIO\n"
                                                                  "    TITLE \"Blue\"\n"
                                                                  "    INDEX 01 00:00:00\n"
                                                                  "  TRACK 02 AUDIO\n"
                                                                  "    TITLE \"0\"\n"
                                                                  "    REM START_MS 1234\n"
                                                                  "    INDEX 01 00:01:17\n"
                                                                  "  TRACK 03 AUDIO\n"
                                                                  "    TITLE \"Side B\"\n"
                                                                  "    REM END_MS 80000\n"
                                                                  "    INDEX 01 01:02:00\n"));
}

TEST(CutPointFilesReadTest, NinetyNineTracksAndMore) {
    for (const int count : {99, 120}) {
        std::vector<CutPoint> points;
        for (int i = 0; i < count; ++i) {
            points.push_back({i * 4000, -1, QString::number(i % 7)});
        }
        const QByteArray cue = WriteCueSheet(points, "a.wav");
        EXPECT_TRUE(cue.contains(count == 99 ? "TRACK 99 AUDIO\n" : "TRACK 120 AUDIO\n"));
        const CutPointRead read = ReadCutPoints(cue);
        ASSERT_EQ(read.points.size(), static_cast<size_t>(count));
        EXPECT_EQ(read.points.back().startMs, (count - 1) * 4000);
        EXPECT_EQ(read.points.back().label, QString::number((count - 1) % 7));
    }
}

TEST(CutPointFilesReadTest, OutsideFiles) {
    const struct {
        QByteArray bytes;
        std::vector<std::tuple<TimeMs, TimeMs, QString>> points;
        QString error;
    } cases[] = {
        // A BOM, CR LF, an empty line, a tab in a label, a frequency line, a decimal comma, a
        // point label (end = start) and one without end.
        {"\xEF\xBB\xBF"
         "1.5\t2.0004\tA\tB\r\n\r\n\\\t100\t200\r\n3,25\t3,25\t\xE8\xB5\xA4\r\n7\n",
         {{1500, 2000, "A\tB"}, {3250, -1, "赤"}, {7000, -1, ""}},
         ""},
        // Quotes left open, a pregap, track numbers out of order, an exact time that no longer
        // lies in its edited frame.
        {"REM GENRE x\nTITLE \"Album\"\nFILE \"a.wav\" WAVE\n TRACK 7 AUDIO\n  TITLE \"open\n"
         "  INDEX 00 00:00:00\n  INDEX 01 00:01:74\n track 2 audio\n  TITLE plain words\n"
         "  REM START_MS 1234\n  INDEX 01 10:00:00\n",
         {{1987, -1, "open"}, {600000, -1, "plain words"}},
         ""},
        // An end at the start is no end.
        {"TRACK 01 AUDIO\n REM END_MS 1000\n INDEX 01 00:01:00\n", {{1000, -1, ""}}, ""},
        {"1.0\t2.0\tok\n-1\t2\tno\n", {}, "2行目が読めません・・・"},
        {"1.0\tx\n", {}, "1行目が読めません・・・"},
        {"TRACK 01 AUDIO\n INDEX 01 00:60:00\n", {}, "2行目が読めません・・・"},
        {"FILE \"a.wav\" WAVE\nTRACK 01 AUDIO\n TITLE \"no index\"\n",
         {},
         "2行目が読めません・・・"},
        {QByteArray("\x00\xFF\x01garbage", 11), {}, "カットポイントがありません・・・"},
        {"\r\n\r\n", {}, "カットポイントがありません・・・"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const CutPointRead read = ReadCutPoints(c.bytes);
        EXPECT_EQ(read.error, c.error);
        std::vector<std::tuple<TimeMs, TimeMs, QString>> points;
        for (const CutPoint& p : read.points) {
            points.emplace_back(p.startMs, p.endMs, p.label);
        }
        EXPECT_EQ(points, c.points);
    }
}

// A label names a start colour by its number or its classification name; anything else, and a
// number past the last colour, imports uncoloured.
TEST(CutPointFilesReadTest, LabelsNameAColourByNumberOrName) {
    const QStringList names{"", "Blue", "Red", "", "", "", "Pink"};
    const std::pair<QString, int> cases[] = {
        {"6", 6}, {" red ", 2}, {"7", 0}, {"0", 0}, {"Side A", 0}};
    for (const auto& [label, code] : cases) {
        EXPECT_EQ(LabelColorCode(label, names), code) << label.toStdString();
    }
}

} // namespace
} // namespace veskar

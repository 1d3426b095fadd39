#include <vector>

#include <gtest/gtest.h>

#include "core/wav/WavHeader.h"
#include "core/wav/WorkArea.h"
#include "support/QtPrint.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

QString Msg(const char* body, const char* code) {
    return QString::fromUtf8(body) + QStringLiteral("・・・") + QString::fromLatin1(code);
}

class WavHeaderTest : public ::testing::Test {
protected:
    void TearDown() override { SetWorkAreaLimit(-1); }

    QString Validate(const QString& path, WavRoutine routine = WavRoutine::FileReader) {
        OpenWavFile wav;
        const QString result = ValidateWavHeader(path, routine, wav);
        last = wav.info;
        lastBlockSize = wav.blockSize;
        return result;
    }

    WavFiles files;
    WavInfo last;
    int64_t lastBlockSize = 0;
};

// A file that passes every check of every routine.
WavBuilder Good() {
    return std::move(WavBuilder(44100, 2, 16).Silence(10));
}

// A file without samples that is still longer than the smallest header.
WavBuilder Empty() {
    return std::move(WavBuilder().Chunk("pad ", "ab"));
}

// Each row breaks one check (and only that one, so a later check cannot answer first); the rows
// follow the order in which the checks are made.
TEST_F(WavHeaderTest, EachCheckOfTheFileReaderInItsOrder) {
    struct Row {
        const char* name;
        QByteArray bytes;
        QString expected; // {path} is replaced by the file's path
    };
    const QString withPath = QStringLiteral("\n{path}");
    const std::vector<Row> rows = {
        {"45 bytes", Good().Build().left(45),
         Msg("WAVファイルのサイズが小さすぎます", "GW") + withPath},
        {"RIFF tag", Good().RiffTags("RIFX", "WAVE").Build(),
         Msg("ファイル形式が「RIFF」ではありません", "GW")},
        {"WAVE tag", Good().RiffTags("RIFF", "AVI ").Build(),
         Msg("WAVEファイルではありません", "GW")},
        {"fmt after 4096 bytes", WavBuilder().List(5000).PlaceFmt().Silence(10).Build(),
         Msg("WAVフォーマットが見つかりませんでした", "GW")},
        {"fmt header across the end of the bytes read",
         WavBuilder().List(4072).PlaceFmt().Silence(10).Build(),
         Msg("WAVフォーマットが見つかりませんでした", "GW")},
        {"fmt of 14 bytes", Good().FmtSize(14).Build(),
         Msg("フォーマットデータが不足しています", "GW")},
        {"fmt block across the end of the header buffer",
         WavBuilder().List(4060).PlaceFmt().Silence(10).Build(),
         Msg("フォーマットデータが途中で切れています", "GW")},
        {"fmt block across the end of a short file",
         WavBuilder().NoData().List(30).PlaceFmt().Build().left(12 + 38 + 8 + 2),
         Msg("フォーマットデータが途中で切れています", "GW")},
        {"46 bytes without data", WavBuilder().NoData().Chunk("junk", "ab").Build(),
         Msg("データエリアが見つかりませんでした", "GW") + withPath},
        {"data length 0", Empty().Build(), Msg("データがありません", "GW")},
        {"extensible block across the end of the header buffer",
         WavBuilder(48000, 2, 24).List(4040).PlaceFmt().Extensible(24, 3).Silence(10).Build(),
         Msg("フォーマットデータが途中で切れています", "GW")},
        {"float samples", Good().FormatTag(3).Build(), Msg("圧縮データは対象外です", "GW")},
        {"extensible float", WavBuilder(48000, 2, 32).Extensible(32, 3, 3).Silence(10).Build(),
         Msg("圧縮データは対象外です", "GW")},
        {"extensible without its extension",
         WavBuilder(48000, 2, 24).FormatTag(0xFFFE).FmtSize(40).Silence(10).Build(),
         Msg("圧縮データは対象外です", "GW")},
        {"rate 0", Good().SampleRate(0).Build(), Msg("１秒当たりのバイト数が異状です", "GW")},
        {"block align 0", Good().BlockAlign(0).Build(),
         Msg("１秒当たりのバイト数が異状です", "GW")},
        {"rate whose byte rate wraps negative",
         WavBuilder(0x80000000u, 1, 8).RawData("abc").Build(),
         Msg("１秒当たりのバイト数が異状です", "GW")},
        {"rate 24, block align 1", WavBuilder(24, 1, 8).Silence(24).Build(),
         Msg("40ms当たりのバイト数が異状です", "GW")},
        {"0 bits", Good().Bits(0).BlockAlign(4).RawData("abcd").Build(),
         Msg("サンプルが異状です", "GW")},
        {"65 bits in a frame of 1 byte",
         WavBuilder(44100, 2, 65).BlockAlign(1).RawData(QByteArray(4096, 'x')).Build(),
         Msg("サンプルが異状です", "GW")},
        {"no channels", Good().Channels(0).BlockAlign(4).Build(), Msg("サンプルが異状です", "GW")},
        {"16-bit stereo in frames of 3 bytes", Good().BlockAlign(3).Build(),
         Msg("サンプルが異状です", "GW")},
        {"size never written, less than a frame after it",
         WavBuilder().RawData("xyz").DataSize(0xFFFFFFFF).Build(), Msg("データがありません", "GW")},
        // Two faults at once: the earlier check answers.
        {"no data and float", Empty().FormatTag(3).Build(), Msg("データがありません", "GW")},
        {"rate 0 and 0 bits", Good().SampleRate(0).Bits(0).BlockAlign(4).Build(),
         Msg("１秒当たりのバイト数が異状です", "GW")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = files.WriteBytes(QStringLiteral("check.wav"), row.bytes);
        ASSERT_FALSE(path.isEmpty());
        QString expected = row.expected;
        expected.replace(QStringLiteral("{path}"), path);
        EXPECT_EQ(Validate(path), expected);
    }
}

TEST_F(WavHeaderTest, WorkAreaOpenAndFileSizeChecks) {
    const QString good = files.Write("good.wav", Good());
    SetWorkAreaLimit(kSmallWorkArea - 1);
    EXPECT_EQ(Validate(good), Msg("作業エリアの取得に失敗しました", "GW"));
    EXPECT_EQ(Validate(good, WavRoutine::SilenceDetection),
              Msg("作業エリアの取得に失敗しました", "GWM"));
    SetWorkAreaLimit(-1);

    EXPECT_EQ(Validate(files.Path("missing.wav")),
              Msg("WAVファイルの読み出しに失敗しましたOP", "GW"));
    EXPECT_EQ(Validate(files.Folder()), Msg("WAVファイルの読み出しに失敗しましたOP", "GW"));

    // A device has no size to seek to; only the file reader asks for one.
    EXPECT_EQ(Validate("/dev/zero"), Msg("ファイルサイズ取得に失敗しました", "GW"));
    EXPECT_EQ(Validate("/dev/zero", WavRoutine::IntervalPeaks),
              Msg("ファイル形式が「RIFF」ではありません", "GPT"));
    EXPECT_EQ(Validate("/dev/zero", WavRoutine::ChopCut),
              Msg("ファイル形式が「RIFF」ではありません", "BG"));
}

TEST_F(WavHeaderTest, RoutinesDifferAsTheirChecksSay) {
    struct Row {
        const char* name;
        WavBuilder builder;
        WavRoutine routine;
        QString expected;
    };
    const WavBuilder rate24 = std::move(WavBuilder(24, 1, 8).Silence(48));
    const WavBuilder floatData = std::move(Good().FormatTag(3));
    const WavBuilder empty = std::move(Empty().FormatTag(3));
    // 192 kHz 24-bit stereo: 1,152,000 bytes per second, more than the work area holds.
    const WavBuilder hiRes = std::move(WavBuilder(192000, 2, 24).Silence(10));
    const WavBuilder wide = std::move(WavBuilder(44100, 2, 65).BlockAlign(1).RawData("abcd"));
    const std::vector<Row> rows = {
        {"rate 24", rate24, WavRoutine::FileReader, Msg("40ms当たりのバイト数が異状です", "GW")},
        {"rate 24", rate24, WavRoutine::RangePeak, ""},
        {"rate 24", rate24, WavRoutine::ChopCut, Msg("40ms当たりのバイト数が異状です", "BG")},
        {"rate 24", rate24, WavRoutine::DirectCut, ""},
        {"float", floatData, WavRoutine::IntervalPeaks, Msg("圧縮データは対象外です", "GPT")},
        {"float", floatData, WavRoutine::ListLevels, Msg("圧縮データは対象外です", "GWPD")},
        {"float", floatData, WavRoutine::RangePeak, Msg("圧縮データは対象外です", "GWP")},
        {"float", floatData, WavRoutine::ChopCut, Msg("圧縮データは変換できません", "BG")},
        {"float", floatData, WavRoutine::DirectCut, Msg("圧縮データは変換できません", "MW")},
        {"float", floatData, WavRoutine::Restore, Msg("圧縮データは変換できません", "MW")},
        {"empty float", empty, WavRoutine::DirectCut, Msg("データがありません", "MW")},
        {"empty float", empty, WavRoutine::Restore, Msg("圧縮データは変換できません", "MW")},
        {"empty", Empty(), WavRoutine::Restore, ""},
        {"hi-res", hiRes, WavRoutine::FileReader, ""},
        {"hi-res", hiRes, WavRoutine::ChopCut, ""},
        {"hi-res", hiRes, WavRoutine::SilenceDetection, ""},
        {"65 bits", wide, WavRoutine::IntervalPeaks, Msg("サンプルが異状です", "GPT")},
        {"65 bits", wide, WavRoutine::SilenceDetection, Msg("サンプルが異状です", "GWM")},
        {"65 bits", wide, WavRoutine::ListLevels, Msg("サンプルが異状です", "GWPD")},
        {"hi-res", hiRes, WavRoutine::DirectCut, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + SiteCode(row.routine).toStdString() +
                     (row.routine == WavRoutine::Restore ? " restore" : ""));
        const QString path = files.Write("variant.wav", row.builder);
        EXPECT_EQ(Validate(path, row.routine), row.expected);
    }
}

TEST_F(WavHeaderTest, BlockSizeFollowsReadUnitAndWorkArea) {
    const QString cd = files.Write("cd.wav", Good());
    EXPECT_EQ(Validate(cd, WavRoutine::IntervalPeaks), "");
    EXPECT_EQ(lastBlockSize, 529200); // three seconds
    EXPECT_EQ(Validate(cd), "");
    EXPECT_EQ(lastBlockSize, 92 * 7056); // whole 40 ms steps
    EXPECT_EQ(Validate(cd, WavRoutine::DirectCut), "");
    EXPECT_EQ(lastBlockSize, 0);

    SetWorkAreaLimit(kLargeWorkArea - 1);
    EXPECT_EQ(Validate(cd), "");
    EXPECT_EQ(lastBlockSize, 4 * 7056);
    // One second of CD audio does not fit the small work area: it is read in several blocks.
    EXPECT_EQ(Validate(cd, WavRoutine::SilenceDetection), "");
    EXPECT_EQ(lastBlockSize, 32700);
    // Nor does one frame of this file.
    const QString wide =
        files.Write("wide.wav", WavBuilder(8000, 2, 16).BlockAlign(40000).Silence(1));
    EXPECT_EQ(Validate(wide), Msg("総読み込みバイト数が異状です", "GW"));
    const QString phone = files.Write("phone.wav", WavBuilder(8000, 2, 16).Silence(10));
    EXPECT_EQ(Validate(phone, WavRoutine::SilenceDetection), "");
    EXPECT_EQ(lastBlockSize, 32000);
}

TEST_F(WavHeaderTest, FormatFieldsAfterValidation) {
    // The byte-rate field is never read: bytesPerSecond is rate × block align.
    WavBuilder odd(44100, 2, 12);
    odd.BlockAlign(6).RawData(QByteArray(12, '\0'));
    EXPECT_EQ(Validate(files.Write("odd.wav", odd), WavRoutine::RangePeak), "");
    EXPECT_EQ(last.blockAlign, 6);
    EXPECT_EQ(last.bitsPerSample, 12);
    EXPECT_EQ(last.bytesPerSample, 2);
    EXPECT_EQ(last.bytesPerSecond, 264600);
    EXPECT_DOUBLE_EQ(last.samplesPerMs, 44.1);
    EXPECT_EQ(last.fileSize, 0); // only the file reader learns it

    const QString path = files.Write("cd.wav", Good());
    EXPECT_EQ(Validate(path), "");
    EXPECT_EQ(last.fileSize, 44 + 40);
}

} // namespace

} // namespace veskar::test

#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "core/wav/SilenceDetector.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

// A list as "ms" for a silence start and "ms*mark" for a song start.
QString Text(const SilenceList& list) {
    QStringList entries;
    for (int i = 0; i < list.Size(); ++i) {
        entries << QString::number(list.timesMs[i]) +
                       (list.marks[i].isEmpty() ? QString() : "*" + list.marks[i]);
    }
    return entries.join(' ');
}

constexpr int kLoud = 10000;

// Appends a stretch of frames whose every channel holds value.
struct Piece {
    int64_t frames;
    int32_t value;
};

WavBuilder Pieces(uint32_t rate, uint16_t channels, uint16_t bits, std::vector<Piece> pieces) {
    WavBuilder builder(rate, channels, bits);
    for (const Piece& piece : pieces) {
        builder.Constant(piece.frames, piece.value);
    }
    return builder;
}

class SilenceDetectorTest : public ::testing::Test {
protected:
    // Runs the detection with every channel's level at 0 (finding nothing) except those set.
    SilenceResult Detect(const WavBuilder& builder, SilenceSettings settings) {
        SilenceResult result;
        const QString path = files.Write("s.wav", builder);
        const int handle = host.progress.Open("m", "t");
        message = DetectSilences(path, settings, "1",
                                 ReadProgress{&host.progress, handle, &host.pump}, result);
        return result;
    }

    static SilenceSettings Only(int duration, int level) {
        SilenceSettings settings;
        settings.recognition = "500";
        for (int k = 0; k < kSilenceChannels; ++k) {
            settings.durations[k] = QString::number(duration);
            settings.levels[k] = "0";
        }
        settings.levels[0] = QString::number(level);
        return settings;
    }

    WavFiles files;
    FakeHost host;
    QString message;
};

TEST_F(SilenceDetectorTest, AQuietRunMustBeLongerThanTheDuration) {
    // 100 ms at 44,100 Hz is 4,410 frames.
    for (int64_t quiet : {4410, 4411}) {
        const SilenceResult result =
            Detect(Pieces(44100, 1, 16, {{44100, kLoud}, {quiet, 0}, {44100, kLoud}}),
                   DefaultSilenceSettings(SampleFamily::Bits16));
        ASSERT_EQ(message, "");
        SCOPED_TRACE(quiet);
        const QString expected = quiet == 4410 ? "0*1" : "0*1 1000 1100*1";
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(Text(result.lists[k]), expected) << k;
        }
        // The 500 ms channels find no silence; the whole file is one song.
        for (int k = 3; k < 6; ++k) {
            EXPECT_EQ(Text(result.lists[k]), "0*1") << k;
        }
    }
}

// 1,000 Hz: one frame per millisecond; a silence of 100 ms below 100, recognition 500 ms.
TEST_F(SilenceDetectorTest, SilencesAndSongStarts) {
    struct Row {
        const char* name;
        std::vector<Piece> pieces;
        const char* expected;
    };
    const std::vector<Row> rows = {
        {"quiet from the first frame", {{1000, 0}, {2000, kLoud}}, "0 1000*1"},
        {"merged across a gap of the recognition time",
         {{1000, kLoud}, {200, 0}, {500, kLoud}, {200, 0}, {1000, kLoud}},
         "0*1 1000 1900*1"},
        {"apart across a longer gap",
         {{1000, kLoud}, {200, 0}, {501, kLoud}, {200, 0}, {1000, kLoud}},
         "0*1 1000 1200*1 1701 1901*1"},
        {"ends in a silence", {{1000, kLoud}, {1000, 0}}, "0*1 1000"},
        {"ends in a song", {{1000, kLoud}, {200, 0}, {600, kLoud}}, "0*1 1000 1200*1"},
        {"ends in a short song", {{1000, kLoud}, {200, 0}, {500, kLoud}}, "0*1 1000"},
        {"ends in a short quiet run",
         {{1000, kLoud}, {200, 0}, {600, kLoud}, {50, 0}},
         "0*1 1000 1200*1"},
        {"ends in sound, all of it shorter than the recognition",
         {{400, kLoud}, {10, 0}, {90, kLoud}},
         ""},
        // No song start at 0 before a silence that begins within the recognition time.
        {"ends in a silence, sound before it short", {{400, kLoud}, {300, 0}}, "400"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Text(Detect(Pieces(1000, 1, 16, row.pieces), Only(100, 100)).lists[0]),
                  row.expected);
    }
}

TEST_F(SilenceDetectorTest, AFileTheReaderRefusesIsTold) {
    Detect(WavBuilder().FormatTag(3).Silence(10), Only(100, 5));
    EXPECT_EQ(message, "圧縮データは対象外です・・・GWM");
}

// The list limits, on the detector itself: a quiet frame between two loud ones is a silence
// when the duration is 0, and with a recognition time of -1 nothing merges. Every silence adds
// two entries after the first song start at 0.
TEST_F(SilenceDetectorTest, ListLimits) {
    std::array<SilenceChannel, kSilenceChannels> channels{};
    channels[0] = {1, 0};
    for (int silences : {14999, 15000, 20000}) {
        SCOPED_TRACE(silences);
        SilenceDetector detector(channels, -1, 1.0, "1");
        std::vector<uint16_t> magnitudes(2 * silences);
        for (int i = 0; i < silences; ++i) {
            magnitudes[2 * i + 1] = 5;
        }
        detector.AddMagnitudes(magnitudes.data(), 2 * silences, 0);
        detector.Finish(2 * silences);
        const SilenceList& list = detector.Result().lists[0];
        const int expected = silences == 14999 ? 29999 : silences == 15000 ? 30001 : 32701;
        EXPECT_EQ(list.Size(), expected);
        EXPECT_EQ(list.full, silences != 14999);
        EXPECT_EQ(list.timesMs.back(), expected - 2); // the end of the last silence taken
        EXPECT_EQ(list.marks.back(), "1");
    }
}

TEST_F(SilenceDetectorTest, AddSongStartsAtZero) {
    SilenceResult result;
    result.lists[0].Append(0, "");
    result.lists[0].Append(1000, "1");
    result.lists[1].Append(2000, "");
    result.lists[1].Append(3000, "1");
    AddSongStartsAtZero(result, "3");
    EXPECT_EQ(Text(result.lists[0]), "0 1000*1");
    EXPECT_EQ(Text(result.lists[1]), "0*3 2000 3000*1");
    EXPECT_TRUE(result.lists[2].Empty());
}

// The fast path against the plain definition, on noise with quiet stretches of every length
// and settings that exercise shared levels, durations around one mask word, levels outside the
// magnitude range and odd chunk sizes.
TEST_F(SilenceDetectorTest, FastPathMatchesFrameByFrame) {
    std::mt19937 random(1234);
    const std::vector<std::array<SilenceChannel, kSilenceChannels>> settings = {
        {{{100, 4410}, {500, 4410}, {1500, 4410}, {100, 22050}, {500, 22050}, {1500, 22050}}},
        {{{300, 0}, {300, 1}, {300, 61}, {300, 62}, {300, 63}, {300, 64}}},
        {{{0, 10}, {-7, 10}, {32768, 100}, {32769, 100}, {40000, 5}, {1, 3}}},
        {{{2000, 100}, {2000, 30}, {50, 200}, {50, 70}, {2000, 1000}, {50, 63}}},
    };
    for (size_t s = 0; s < settings.size(); ++s) {
        for (int64_t recognition : {-1, 0, 40, 500}) {
            SCOPED_TRACE(testing::Message() << "settings " << s << " recognition " << recognition);
            std::vector<uint16_t> magnitudes;
            while (magnitudes.size() < 300000) {
                const bool quiet = random() % 2 == 0;
                const int length = static_cast<int>(random() % (random() % 4 == 0 ? 3000 : 130));
                for (int i = 0; i < length; ++i) {
                    magnitudes.push_back(static_cast<uint16_t>(
                        quiet ? random() % 120
                              : (random() % 50 == 0 ? random() % 3000 : random() % 32769)));
                }
            }
            const auto total = static_cast<int64_t>(magnitudes.size());
            SilenceDetector reference(settings[s], recognition, 44.1, "2");
            for (int64_t f = 0; f < total; ++f) {
                reference.AddFrame(magnitudes[f], f);
            }
            reference.Finish(total);
            SilenceDetector fast(settings[s], recognition, 44.1, "2");
            for (int64_t done = 0; done < total;) {
                const int64_t n = std::min<int64_t>(1 + random() % 5000, total - done);
                fast.AddMagnitudes(magnitudes.data() + done, n, done);
                done += n;
            }
            fast.Finish(total);
            for (int k = 0; k < kSilenceChannels; ++k) {
                EXPECT_EQ(Text(fast.Result().lists[k]), Text(reference.Result().lists[k])) << k;
                EXPECT_EQ(fast.Result().lists[k].full, reference.Result().lists[k].full);
            }
            EXPECT_EQ(fast.Result().peak, reference.Result().peak);
            EXPECT_EQ(fast.Result().peakFrame, reference.Result().peakFrame);
        }
    }
}

TEST_F(SilenceDetectorTest, SettingsInFrames) {
    SilenceSettings bits16 = DefaultSilenceSettings(SampleFamily::Bits16);
    // A minute at 44.1 kHz is 2,646,000 frames, beyond what a 32-bit product holds.
    SilenceSettings settings = bits16;
    settings.durations[5] = "60000";
    settings.durations[4] = "-20";
    const auto channels = ChannelsOf(settings, 44100);
    EXPECT_EQ(channels[0].minFrames, 4410);
    EXPECT_EQ(channels[0].level, 100);
    EXPECT_EQ(channels[5].minFrames, 2646000);
    EXPECT_EQ(channels[4].minFrames, 0);
    SilenceSettings odd = bits16;
    odd.durations[0] = "x";
    EXPECT_EQ(ChannelsOf(odd, 44101)[0].minFrames, 22050);
    // 100 ms at 11,025 Hz is 1,102.5 frames: to the even 1,102.
    EXPECT_EQ(ChannelsOf(bits16, 11025)[0].minFrames, 1102);
}

} // namespace

} // namespace veskar::test

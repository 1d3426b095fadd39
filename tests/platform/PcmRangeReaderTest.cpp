#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>

#include "platform/PcmConvert.h"
#include "platform/PcmRangeReader.h"
#include "support/TestHome.h"
#include "core/wav/WavReader.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

std::optional<PcmLayout> LayoutOf(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadPcmLayout(buffer);
}

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) {
        out.append(static_cast<char>(v));
    }
    return out;
}

// The 16 standard bytes of a PCM "fmt " chunk: 8,000 Hz, mono, 16-bit.
QByteArray PcmFmt8k() {
    return Bytes({1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0});
}

} // namespace

// The analysis reader and the wave device find the chunks with the same walk; where their
// verdicts differ, it is one of the walk's rules that differ on purpose.
TEST(PcmLayoutTest, BothReadersJudgeFilesAlike) {
    struct Case {
        const char* name;
        QByteArray bytes;
        bool reader;
        bool device;
    };
    QByteArray manyChunks = WavBuilder(8000, 1, 16).Silence(10).Build();
    for (int i = 0; i < 3000; ++i) {
        manyChunks.insert(36, QByteArray("junk\0\0\0\0", 8));
    }
    QByteArray padded = WavBuilder(8000, 1, 8).Chunk("odd ", "abc").PlaceFmt().Silence(10).Build();
    padded.insert(12 + 8 + 3, '\0');
    const auto pcm8k = [] { return WavBuilder(8000, 1, 16); };
    // clang-format off
    const Case cases[] = {
        {"fmt twice, the first PCM", pcm8k().Chunk("fmt ", Bytes({3, 0}) + PcmFmt8k().mid(2)).Silence(10).Build(),
         true, true},
        {"fmt twice, the first float", pcm8k().FormatTag(3).PlaceFmt().Chunk("fmt ", PcmFmt8k()).Silence(10).Build(),
         false, false},
        {"3,000 empty chunks before data", manyChunks, true, true},
        {"small data before fmt", pcm8k().PlaceData().PlaceFmt().Silence(10).Build(), true, true},
        {"odd chunk, no pad", pcm8k().Chunk("odd ", "abc").Silence(10).Build(), true, true},
        {"chunk running past the end",
         WavBuilder().NoData().Build() + "LIST" + Bytes({0, 0, 0, 1}) + QByteArray(64, 'x'), false, false},
        {"fmt under 16 bytes", pcm8k().FmtSize(14).Silence(10).Build(), false, false},
        {"odd chunk, padded", padded, true, true},
        {"sox, 24-bit", WavBuilder(48000, 2, 24).SoxStyle().Silence(10).Build(), true, true},
        {"extensible float", WavBuilder(48000, 2, 32).Extensible(32, 3, 3).Silence(10).Build(), false, false},
        {"RF64", pcm8k().Rf64().Silence(10).Build(), true, true},
        {"65 bits in a frame of 1 byte", pcm8k().Bits(65).BlockAlign(1).RawData("abcdefgh").Build(), false, false},
        // Rules that differ on purpose: the device finds "fmt " anywhere; the reader wants the
        // format in its 4,096-byte header and refuses empty data.
        {"fmt after 4,096 bytes", pcm8k().List(5000).PlaceFmt().Silence(10).Build(), false, true},
        {"empty data", pcm8k().Build().append(QByteArray(2, 0)), false, true},
        // What neither can play.
        {"not RIFF", WavBuilder().RiffTags("RIFX", "WAVE").Silence(10).Build(), false, false},
        {"not WAVE", WavBuilder().RiffTags("RIFF", "AVI ").Silence(10).Build(), false, false},
        {"ADPCM", WavBuilder(44100, 2, 4).FormatTag(0x11).Silence(10).Build(), false, false},
        {"no fmt", WavBuilder().Chunk("data", QByteArray(40, 0)).Build().replace("fmt ", "fmx "), false, false},
        {"no channels", WavBuilder(44100, 0, 16).BlockAlign(4).Silence(10).Build(), false, false},
        {"rate 0", WavBuilder(0, 2, 16).Silence(10).Build(), false, false},
        {"block align too small", WavBuilder(44100, 2, 16).BlockAlign(3).Silence(10).Build(), false, false},
        {"40-bit samples", WavBuilder(44100, 1, 40).Silence(10).Build(), false, false},
        {"too short", QByteArray("RIFF\0\0\0\0WAV", 11), false, false},
    };
    // clang-format on
    WavFiles files;
    for (const Case& c : cases) {
        WavInfo info;
        const bool reader = ReadWavInfo(files.WriteBytes("case.wav", c.bytes), info).isEmpty();
        const std::optional<PcmLayout> layout = LayoutOf(c.bytes);
        EXPECT_EQ(reader, c.reader) << c.name;
        EXPECT_EQ(layout.has_value(), c.device) << c.name;
        if (reader && layout) {
            EXPECT_EQ(layout->dataOffset, info.dataOffset) << c.name;
            EXPECT_EQ(uint32_t(layout->sampleRate), info.sampleRate) << c.name;
            EXPECT_EQ(layout->blockAlign, info.blockAlign) << c.name;
        }
    }
}

// The frames the device plays: what is really there, whatever the data chunk declares.
TEST(PcmLayoutTest, FramesPresent) {
    struct Case {
        const char* name;
        QByteArray bytes;
        int64_t dataOffset;
        int64_t frames;
    };
    const Case cases[] = {
        // A recording cut short plays the whole frames it has.
        {"declared too long",
         WavBuilder(8000, 2, 16).Silence(10).RawData("xy").DataSize(1000).Build(), 44, 10},
        {"streaming size", WavBuilder(8000, 1, 16).Silence(7).DataSize(0xFFFFFFFF).Build(), 44, 7},
        {"RF64", WavBuilder(8000, 1, 16).Rf64().Silence(7).Build(), 80, 7},
        {"empty data", WavBuilder(8000, 1, 16).Build(), 44, 0},
    };
    for (const Case& c : cases) {
        const auto layout = LayoutOf(c.bytes);
        ASSERT_TRUE(layout) << c.name;
        EXPECT_EQ(layout->dataOffset, c.dataOffset) << c.name;
        EXPECT_EQ(layout->frames, c.frames) << c.name;
    }
}

TEST(PcmRangeReaderTest, ReadsWholeFramesOfARange) {
    const QString path = QDir(TestHomeDir()).filePath("frames.wav");
    ASSERT_TRUE(WavBuilder(8000, 2, 16)
                    .Frames(100, [](int64_t f, int c) { return int32_t(f * 10 + c); })
                    .RawData("z") // half a frame at the end is not a frame
                    .Write(path));
    PcmRangeReader reader;
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(reader.Layout().frames, 100);

    QByteArray out;
    EXPECT_EQ(reader.ReadFrames(98, 10, out), 2);
    EXPECT_EQ(out, Bytes({980 & 0xFF, 980 >> 8, 981 & 0xFF, 981 >> 8, 990 & 0xFF, 990 >> 8,
                          991 & 0xFF, 991 >> 8}));
    EXPECT_EQ(reader.ReadFrames(100, 10, out), 0);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(reader.ReadFrames(-1, 10, out), 0);
    EXPECT_FALSE(reader.Open(QDir(TestHomeDir()).filePath("missing.wav")));
}

// Every supported width, checked on the extreme values and one in between, so that a wrong
// shift or a sign slip shows.
TEST(PcmConvertTest, SampleWidths) {
    struct Case {
        const char* name;
        int bits;
        SinkSample sink;
        QByteArray in;
        QByteArray out;
    };
    const Case cases[] = {
        {"8 -> u8", 8, SinkSample::UInt8, Bytes({0x00, 0x80, 0xFF}), Bytes({0x00, 0x80, 0xFF})},
        {"8 -> s16", 8, SinkSample::Int16, Bytes({0x00, 0x81}), Bytes({0, 0x80, 0, 0x01})},
        {"16 -> s16", 16, SinkSample::Int16, Bytes({0x34, 0x12, 0x00, 0x80}),
         Bytes({0x34, 0x12, 0x00, 0x80})},
        {"16 -> u8", 16, SinkSample::UInt8, Bytes({0xFF, 0x7F, 0x00, 0x80}), Bytes({0xFF, 0x00})},
        {"24 -> s32", 24, SinkSample::Int32, Bytes({0x56, 0x34, 0x12, 0x00, 0x00, 0x80}),
         Bytes({0, 0x56, 0x34, 0x12, 0, 0, 0, 0x80})},
        {"24 -> s16", 24, SinkSample::Int16, Bytes({0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF}),
         Bytes({0x34, 0x12, 0xFF, 0xFF})},
        {"32 -> s32", 32, SinkSample::Int32, Bytes({1, 2, 3, 4}), Bytes({1, 2, 3, 4})},
    };
    for (const Case& c : cases) {
        PcmLayout file;
        file.channels = 1;
        file.bitsPerSample = c.bits;
        file.bytesPerSample = (c.bits + 7) / 8;
        file.blockAlign = file.bytesPerSample;
        const int64_t frames = c.in.size() / file.blockAlign;
        EXPECT_EQ(ConvertFrames(c.in.constData(), frames, file, {c.sink, 1}), c.out) << c.name;
    }
}

TEST(PcmConvertTest, ChannelsAndPaddedFrames) {
    // Six 16-bit channels in a frame padded to 14 bytes; the sink takes the first two.
    PcmLayout six{0, 2, 48000, 6, 16, 2, 14};
    QByteArray in;
    for (int f = 0; f < 2; ++f) {
        for (int c = 0; c < 6; ++c) {
            in.append(Bytes({f * 16 + c, 0}));
        }
        in.append(Bytes({0x55, 0x55}));
    }
    EXPECT_EQ(ConvertFrames(in.constData(), 2, six, {SinkSample::Int16, 2}),
              Bytes({0, 0, 1, 0, 16, 0, 17, 0}));

    // One channel to two repeats it.
    PcmLayout mono{0, 2, 8000, 1, 8, 1, 1};
    EXPECT_EQ(ConvertFrames(Bytes({0x10, 0xF0}).constData(), 2, mono, {SinkSample::UInt8, 2}),
              Bytes({0x10, 0x10, 0xF0, 0xF0}));
}

TEST(PcmConvertTest, SilenceAndNativeLayouts) {
    EXPECT_EQ(SilenceFrames(2, {SinkSample::UInt8, 2}), QByteArray(4, char(0x80)));
    EXPECT_EQ(SilenceFrames(3, {SinkSample::Int32, 1}), QByteArray(12, '\0'));
    const auto native = [](int bits, int channels) {
        PcmLayout file;
        file.bitsPerSample = bits;
        file.bytesPerSample = (bits + 7) / 8;
        file.channels = channels;
        return NativeSinkLayout(file);
    };
    EXPECT_EQ(native(8, 1), (SinkLayout{SinkSample::UInt8, 1}));
    EXPECT_EQ(native(12, 2), (SinkLayout{SinkSample::Int16, 2}));
    EXPECT_EQ(native(24, 2), (SinkLayout{SinkSample::Int32, 2}));
}

} // namespace veskar::test

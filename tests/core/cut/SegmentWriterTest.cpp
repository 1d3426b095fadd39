#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <future>

#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QtEndian>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/cut/SegmentSaver.h"
#include "core/cut/SegmentWriter.h"
#include "core/wav/WavReader.h"
#include "support/EventLoop.h"
#include "support/WavBuilder.h"

namespace veskar::test {

namespace {

struct Format {
    uint32_t rate;
    uint16_t channels;
    uint16_t bits;
};

// Every sample differs from its neighbours in time and channel, so a segment shifted by one
// frame, a swapped channel or a lost byte shows at once.
int32_t Pattern(int64_t frame, int channel, uint16_t bits) {
    const int64_t v = frame * 7919 + channel * 104729 + 17;
    if (bits == 8) {
        return static_cast<int32_t>(v % 256) - 128;
    }
    if (bits == 24) {
        return static_cast<int32_t>(v % 16777216) - 8388608;
    }
    return static_cast<int32_t>(v % 65536) - 32768;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SegmentWriterTest : public testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Writes a source of `frames` pattern frames; fills m_info and m_samples.
    void MakeSource(const Format& format, int64_t frames, const QString& name = "src.wav") {
        WavBuilder builder(format.rate, format.channels, format.bits);
        builder.Frames(frames, [&](int64_t f, int c) { return Pattern(f, c, format.bits); });
        m_source = Path(name);
        ASSERT_TRUE(builder.Write(m_source));
        ASSERT_EQ(ReadWavInfo(m_source, m_info), "");
        m_samples = builder.Samples();
    }

    SegmentRequest Request(TimeMs start, TimeMs end, const QString& out = "out.wav") const {
        SegmentRequest request;
        request.sourcePath = m_source;
        request.source = m_info;
        request.startMs = start;
        request.endMs = end;
        request.outputPath = Path(out);
        return request;
    }

    // The sample bytes of the source frames [first, last).
    QByteArray Frames(int64_t first, int64_t last) const {
        return m_samples.mid(first * m_info.blockAlign, (last - first) * m_info.blockAlign);
    }

    QStringList Entries() const {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir m_dir;
    QString m_source;
    WavInfo m_info;
    QByteArray m_samples;
};

struct RoundTrip {
    Format format;
    TimeMs start;
    TimeMs end;
    bool kernelCopy;
};

class SegmentRoundTripTest : public SegmentWriterTest,
                             public testing::WithParamInterface<RoundTrip> {};

TEST_P(SegmentRoundTripTest, SamplesAreExactlyTheSourceFramesOfTheRange) {
    const RoundTrip& p = GetParam();
    const int64_t sourceFrames = p.format.rate * 3 + 17; // 3 s and a few frames
    MakeSource(p.format, sourceFrames);
    SegmentRequest request = Request(p.start, p.end);
    request.kernelCopy = p.kernelCopy;

    const SegmentSaveResult result = WriteSegment(request);
    ASSERT_EQ(result.outcome, CutStep::Written) << result.cause.toStdString();

    const int64_t first = p.start * int64_t{p.format.rate} / 1000;
    const int64_t last =
        p.end < 0 ? sourceFrames : std::min(sourceFrames, p.end * int64_t{p.format.rate} / 1000);
    const QByteArray expected = Frames(first, last);
    EXPECT_EQ(result.frames, last - first);
    EXPECT_EQ(result.sampleBytes, expected.size());

    // The canonical 46-byte header (a fmt block of 18 bytes), the samples, and a pad byte
    // after an odd count that the RIFF size includes.
    QByteArray file = WavBuilder(p.format.rate, p.format.channels, p.format.bits)
                          .FmtSize(18)
                          .RawData(expected)
                          .Build();
    if (expected.size() % 2) {
        file.append('\0');
        qToLittleEndian<uint32_t>(file.size() - 8, file.data() + 4);
    }
    EXPECT_TRUE(ReadAll(request.outputPath) == file) << "the file differs from the expected bytes";
    EXPECT_EQ(Entries(), (QStringList{"out.wav", "src.wav"})) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SegmentRoundTripTest,
    testing::Values(
        RoundTrip{{44100, 2, 16}, 0, 1000, true}, RoundTrip{{44100, 2, 16}, 1234, 2345, false},
        RoundTrip{{44100, 2, 16}, 2000, -1, true}, RoundTrip{{22050, 1, 8}, 333, -1, false},
        RoundTrip{{48000, 2, 24}, 999, 2001, true}, RoundTrip{{8000, 6, 16}, 1500, 2999, true},
        RoundTrip{{22050, 1, 8}, 1, 1002, true},      // odd byte count: pad byte
        RoundTrip{{8000, 1, 16}, 1500, 5000, true})); // an end beyond the data: to the end

TEST_F(SegmentWriterTest, MsToFrameTruncates) {
    EXPECT_EQ(MsToFrame(1, 44100), 44);
    EXPECT_EQ(MsToFrame(999, 44100), 44055);
    EXPECT_EQ(MsToFrame(2147483647, 192000), 412316860224); // no 32-bit overflow
    EXPECT_EQ(FramesToMs(44099, 44100), 999);
    EXPECT_EQ(FramesToMs(44100, 44100), 1000);
}

TEST_F(SegmentWriterTest, ChunksAroundTheDataAndAShortFileAreRespected) {
    // A LIST chunk before the data and a declared data size larger than what the file holds
    // (a recording that stopped early): the samples start after the LIST chunk, and "to the
    // end" means the frames that are really there.
    const Format format{8000, 2, 16};
    WavBuilder builder(format.rate, format.channels, format.bits);
    // An odd chunk has no pad byte: the reader steps over exactly 8 + 3 bytes.
    builder.List(5000).Chunk("cue ", "odd").PlaceData().DataSize(999999);
    builder.Frames(4001, [&](int64_t f, int c) { return Pattern(f, c, 16); });
    builder.RawData("xy"); // half a frame at the end is not a frame
    m_source = Path("src.wav");
    ASSERT_TRUE(builder.Write(m_source));
    ASSERT_EQ(ReadWavInfo(m_source, m_info), "");
    ASSERT_EQ(m_info.dataOffset, 44 + 8 + 5000 + 8 + 3);
    ASSERT_EQ(m_info.dataLength, 999999);
    m_samples = builder.Samples();

    const SegmentSaveResult result = WriteSegment(Request(250, -1));
    ASSERT_EQ(result.outcome, CutStep::Written) << result.cause.toStdString();
    EXPECT_EQ(result.frames, 4001 - 2000);
    EXPECT_EQ(ReadAll(Path("out.wav")).mid(kSegmentHeaderBytes), Frames(2000, 4001));
}

// Nothing to cut, nowhere to write, or the source itself in any spelling: the save fails and
// leaves nothing behind.
TEST_F(SegmentWriterTest, SavesThatFailLeaveNothing) {
    MakeSource({8000, 1, 16}, 8000);
    const QByteArray before = ReadAll(m_source);
    ASSERT_TRUE(QFile::link(m_source, Path("link.wav")));
    ASSERT_EQ(::link(QFile::encodeName(m_source).constData(),
                     QFile::encodeName(Path("hard.wav")).constData()),
              0);
    QDir(m_dir.path()).mkpath("sub");
    // A folder in place of the final name: the rename fails, the temporary file goes.
    QDir(m_dir.path()).mkpath("taken.wav");
    const struct {
        TimeMs start;
        TimeMs end;
        const char* out;
    } cases[] = {{1000, -1, "out.wav"}, {1200, 1500, "out.wav"},     {500, 500, "out.wav"},
                 {600, 400, "out.wav"}, {0, 0, "out.wav"},           {0, -1, "missing/out.wav"},
                 {0, -1, "taken.wav"},  {0, 500, "src.wav"},         {0, 500, "link.wav"},
                 {0, 500, "hard.wav"},  {0, 500, "./sub/../src.wav"}};
    for (const auto& c : cases) {
        EXPECT_EQ(WriteSegment(Request(c.start, c.end, c.out)).outcome, CutStep::Failed)
            << c.out << " " << c.start << ".." << c.end;
    }
    EXPECT_EQ(Entries(), (QStringList{"hard.wav", "link.wav", "src.wav", "sub", "taken.wav"}));
    EXPECT_EQ(ReadAll(m_source), before);
    EXPECT_TRUE(QFileInfo(Path("link.wav")).isSymLink());
}

TEST_F(SegmentWriterTest, AnExistingFileIsNeverReplaced) {
    MakeSource({44100, 2, 16}, 44100);
    QFile old(Path("out.wav"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier file");
    old.close();

    SegmentRequest request = Request(0, -1);
    const SegmentSaveResult taken = WriteSegment(request);
    EXPECT_EQ(taken.outcome, CutStep::Failed);
    EXPECT_EQ(taken.cause, "File exists");

    // A free name comes from the caller; one that is taken as well is passed over.
    QStringList offered{Path("src.wav"), Path("other.wav")};
    request.nextFreePath = [&] { return offered.takeFirst(); };
    const SegmentSaveResult written = WriteSegment(request);
    ASSERT_EQ(written.outcome, CutStep::Written);
    EXPECT_EQ(written.outputPath, Path("other.wav"));
    EXPECT_EQ(ReadAll(Path("other.wav")).mid(kSegmentHeaderBytes), m_samples);
    EXPECT_EQ(ReadAll(Path("out.wav")), "earlier file");
    EXPECT_EQ(Entries(), (QStringList{"other.wav", "out.wav", "src.wav"}));
}

// A file-size limit makes every write past it fail the way a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

TEST_F(SegmentWriterTest, AWriteFailureMidwayLosesNothing) {
    MakeSource({44100, 2, 16}, 44100 * 3);
    QFile old(Path("out.wav"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier file");
    old.close();
    for (bool kernelCopy : {true, false}) {
        SegmentRequest request = Request(0, -1);
        request.kernelCopy = kernelCopy;
        SegmentSaveResult result;
        {
            FileSizeLimit limit(100000);
            result = WriteSegment(request);
        }
        EXPECT_EQ(result.outcome, CutStep::Failed) << kernelCopy;
        EXPECT_EQ(result.cause, "File too large");
        EXPECT_EQ(ReadAll(Path("out.wav")), "earlier file");
        EXPECT_EQ(Entries(), (QStringList{"out.wav", "src.wav"}));
    }
}

class SegmentSaverTest : public SegmentWriterTest {
protected:
    void WaitFor(const bool& done) {
        ASSERT_TRUE(RunEventsUntil([&] { return done; }));
    }
};

TEST_F(SegmentSaverTest, AbortedAsynchronousSaveLeavesNoFile) {
    MakeSource({44100, 2, 16}, 44100 * 8);
    SegmentSaver saver;
    SegmentRequest request = Request(0, -1);
    request.kernelCopy = false;
    // The worker waits at its first block until the abort has been requested.
    std::promise<void> abortSent;
    std::shared_future<void> gate = abortSent.get_future().share();
    bool done = false;
    SegmentSaveResult result;
    ASSERT_TRUE(saver.Start(
        request,
        [&](const SegmentSaveResult& r) {
            result = r;
            done = true;
        },
        [gate] {
            gate.wait();
            return true;
        }));
    saver.RequestAbort();
    abortSent.set_value();
    WaitFor(done);
    EXPECT_EQ(result.outcome, CutStep::Aborted);
    EXPECT_EQ(Entries(), QStringList{"src.wav"});

    // The abort was for that save only: the next one runs to its end.
    done = false;
    ASSERT_TRUE(saver.Start(request, [&](const SegmentSaveResult& r) {
        result = r;
        done = true;
    }));
    WaitFor(done);
    EXPECT_EQ(result.outcome, CutStep::Written);
}

TEST_F(SegmentSaverTest, DestroyingTheSaverWaitsForItsThreadAndDropsTheResult) {
    MakeSource({44100, 2, 16}, 44100 * 8);
    bool called = false;
    {
        SegmentSaver saver;
        ASSERT_TRUE(saver.Start(Request(0, -1), [&](const SegmentSaveResult&) { called = true; }));
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
    EXPECT_TRUE(Entries().filter(QRegularExpression("^\\.pirvan-")).isEmpty());
}

} // namespace

} // namespace veskar::test

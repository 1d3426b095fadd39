// make_fuzz_seeds DIR: writes the seed corpora of the fuzz targets into DIR/wav (WAV files of
// every layout the tests' builder makes, also the broken ones), DIR/time (time texts),
// DIR/settings (settings stores and list files), DIR/lists (memory-list rows of each layout,
// cut-list times and tags) and DIR/cut (label tracks and cue sheets). The inputs of findings
// that were fixed are kept here as recipes, so every run tries them again.
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

#include <QDir>
#include <QFile>

#include "support/WavBuilder.h"

using veskar::test::WavBuilder;

namespace {

// A tone, a silence and a tone: songs and silences for the analysis runs.
WavBuilder Songs(uint32_t rate, uint16_t channels, uint16_t bits, int32_t peak) {
    WavBuilder b(rate, channels, bits);
    const int64_t tenth = rate / 10;
    b.Square(3 * tenth, 7, peak).Silence(2 * tenth).Square(3 * tenth, 3, peak / 3);
    return b;
}

std::vector<std::pair<const char*, WavBuilder>> WavSeeds() {
    std::vector<std::pair<const char*, WavBuilder>> seeds;
    auto add = [&](const char* name, WavBuilder b) { seeds.emplace_back(name, std::move(b)); };
    add("songs-8k-mono16", Songs(8000, 1, 16, 30000));
    add("songs-8k-stereo16", Songs(8000, 2, 16, 20000));
    add("songs-4k-mono8", Songs(4000, 1, 8, 120));
    add("sine-48k-stereo24", WavBuilder(48000, 2, 24).Sine(1000, 440, 8000000));
    add("six-channels", WavBuilder(8000, 6, 16).Sine(400, 1000, 20000));
    add("list-and-odd-chunk",
        WavBuilder(8000, 1, 16).List(300).Chunk("cue ", "odd").PlaceData().Sine(800, 50, 9000));
    add("fmt-extension", WavBuilder(8000, 2, 16).FmtExtra(QByteArray(24, '\1')).Silence(50));
    add("fmt-short", WavBuilder(8000, 1, 16).FmtSize(14).Silence(10));
    add("data-size-beyond-file", WavBuilder(8000, 1, 16).DataSize(999999).Silence(300));
    add("data-odd-tail", WavBuilder(8000, 2, 16).Silence(20).RawData("xyz"));
    add("no-data", WavBuilder(8000, 1, 16).NoData());
    add("float", WavBuilder(8000, 1, 32).FormatTag(3).Silence(20));
    add("rate-24", WavBuilder(24, 1, 8).BlockAlign(1).Constant(100, 5));
    add("fmt-after-4096", WavBuilder(8000, 1, 16).List(5000).PlaceFmt().Silence(10));
    add("not-riff", WavBuilder(8000, 1, 16).RiffTags("RIFX", "WAVE").Silence(10));
    add("bits-12", WavBuilder(8000, 1, 12).Sine(100, 300, 1000));
    add("bits-32", WavBuilder(8000, 2, 32).BlockAlign(8).Silence(100));
    add("block-align-below-samples", WavBuilder(8000, 2, 16).BlockAlign(2).Silence(100));
    add("block-align-above-samples", WavBuilder(8000, 1, 16).BlockAlign(5).Silence(100));
    add("extensible-20-of-24", WavBuilder(8000, 2, 24).Extensible(20, 3).Sine(300, 200, 500000));
    add("extensible-float", WavBuilder(8000, 1, 32).Extensible(32, 4, 3).Silence(20));
    add("sox-style", WavBuilder(8000, 3, 24).SoxStyle().Sine(200, 100, 3000000));
    add("ffmpeg-style", WavBuilder(8000, 2, 32).FfmpegStyle().Sine(200, 100, 90000000));
    add("rf64", Songs(8000, 1, 16, 25000).Rf64());
    add("rf64-size-beyond-file", WavBuilder(8000, 2, 16).Rf64(uint64_t{1} << 40).Silence(100));
    add("data-size-unwritten", Songs(8000, 2, 16, 18000).DataSize(0xFFFFFFFF));
    add("bits-65", WavBuilder(8000, 2, 16).Bits(65).BlockAlign(1).Silence(4000));
    return seeds;
}

const char* const kTimeSeeds[] = {
    "0",           "71000",    "1.11000", "1:11",         "1:11.5",     "0:01:11",
    "0:01:11.125", "59.59999", "1.60000", "35791.23647",  "2147483647", " 42 ",
    "3:25:2",      "-1",       "1.11",    "99:59:59.999",
};

// Settings stores and list files: a store as the program saves it, older and damaged values,
// and list lines in both text encodings with every line end.
const char* const kSettingsSeeds[] = {
    ("[General]\r\nVersion=26\r\nFP=@Point(10 20)\r\nSAVE_DIR=/home/u/out\r\nFUN=1\r\n"
     "TBM=15\r\nVMM0=8\r\nST_DFF=0\r\nI_ST=5\r\nI_EN=3\r\n"),
    "[General]\nFP=x\nTWR=99\nPTS=-1\nM_Fn=\xe6\x97\xa5\xe6\x9c\xac\nCPath=\"a,b\"\n",
    "[KOTAN ZORU32]\nV=1\n[General]\nEML0=3000\nEML1=\nEML80=12\n",
    "*.WAV\r\nALL (*.*)\r\n*.MP3\r\n",
    "\xef\xbb\xbf/home/u/\xe9\x8c\xb2\xe9\x9f\xb3\n/tmp\r/x\r\n\r\n",
    "\x83\x65\x83\x58\x83\x67\r\n\x82\xa0\r\n",
    // A first line that itself starts with a byte-order mark lost it on every save.
    "\xef\xbb\xbf\xef\xbb\xbf\xef\xbb\xbfx\r\n",
};

const char* const kListSeeds[] = {
    "a.wav\t/m/a.wav\t1,024\twav\t26/12/06 10:00:00 Sun\t    \t\t\t\r\n",
    "a.wav\t/m/a.wav\t1,024\twav\t26/12/06 10:00:00 Sun\t    \r\nb\t/m/b\\tc\\n\t\t\t\t\r\n",
    "A.WAV\t/m/A.WAV\t1\t26/12/06 10:00:00 Sun\tR   \r\n",
    "00010\r\n00500\r\n71000\r\n",
    "@\r\n\r\n3\r\n",
    "500\r\n100\r\n100\r\n100\r\n500\r\n500\r\n500\r\n100\r\n500\r\n",
};

// Label tracks and cue sheets as audio editors and this program write them, and damaged ones.
const char* const kCutPointSeeds[] = {
    "0.000000\t3.000000\t1\n4.000000\t8.000000\tBlue\n8.800000\t11.300000\t0\n",
    "\xEF\xBB\xBF"
    "1.5\t2.0\tA\tB\r\n\r\n\\\t100\t200\r\n3,25\t3,25\tred\r\n7\n",
    "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    TITLE \"1\"\n    REM END_MS 3000\n"
    "    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    TITLE \"Red\"\n    REM START_MS 1234\n"
    "    INDEX 00 00:01:00\n    INDEX 01 00:01:17\n",
    "REM GENRE x\nTITLE \"Album\"\n TRACK 120 AUDIO\n  TITLE \"open\n  INDEX 01 600:00:74\n",
};

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds DIR\n");
        return 2;
    }
    const QDir dir(QFile::decodeName(argv[1]));
    if (!dir.mkpath("wav") || !dir.mkpath("time") || !dir.mkpath("settings") ||
        !dir.mkpath("lists") || !dir.mkpath("cut")) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot make the folders in %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (const auto& [name, builder] : WavSeeds()) {
        const QByteArray bytes = builder.Build();
        ok = WriteFile(dir.filePath(QString("wav/%1.wav").arg(name)), bytes) && ok;
        // The same cut short: every header check on the way has a seed that stops there.
        for (qsizetype cut : {qsizetype{45}, qsizetype{46}, qsizetype{60}}) {
            ok = WriteFile(dir.filePath(QString("wav/%1-cut%2.wav").arg(name).arg(cut)),
                           bytes.left(cut)) &&
                 ok;
        }
    }
    int n = 0;
    for (const char* text : kTimeSeeds) {
        ok = WriteFile(dir.filePath(QString("time/%1.txt").arg(n++)), text) && ok;
    }
    for (const char* text : kSettingsSeeds) {
        ok = WriteFile(dir.filePath(QString("settings/%1.txt").arg(n++)), text) && ok;
    }
    for (const char* text : kListSeeds) {
        ok = WriteFile(dir.filePath(QString("lists/%1.txt").arg(n++)), text) && ok;
    }
    for (const char* text : kCutPointSeeds) {
        ok = WriteFile(dir.filePath(QString("cut/%1.txt").arg(n++)), text) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot write the seeds into %s\n", argv[1]);
    }
    return ok ? 0 : 1;
}

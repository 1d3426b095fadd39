// Cuts a WAV file into N equal segments with the segment writer and prints the seconds taken.
// Usage: bench_cut_segments SOURCE.wav OUTDIR [SEGMENTS=10] [--buffered]
// bench/cut_vs_cp.sh runs it against cp on a generated one-hour file.
#include <cstdio>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include "core/cut/SegmentWriter.h"

namespace {

uint32_t U32(const QByteArray& b, qsizetype at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<uint8_t>(b.at(at + i));
    }
    return v;
}

// The plain chunk walk of a PCM file, enough for generated sources.
bool ReadFormat(const QString& path, veskar::WavInfo& info) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    info.fileSize = file.size();
    qint64 pos = 12;
    bool haveFormat = false;
    while (file.seek(pos)) {
        const QByteArray head = file.read(8);
        if (head.size() < 8) {
            return false;
        }
        const uint32_t size = U32(head, 4);
        if (head.startsWith("fmt ")) {
            const QByteArray fmt = file.read(16);
            if (fmt.size() < 16) {
                return false;
            }
            info.channels = static_cast<uint16_t>(U32(fmt, 0) >> 16);
            info.sampleRate = U32(fmt, 4);
            info.blockAlign = static_cast<uint16_t>(U32(fmt, 12) & 0xFFFF);
            info.bitsPerSample = static_cast<uint16_t>(U32(fmt, 12) >> 16);
            haveFormat = true;
        } else if (head.startsWith("data")) {
            info.dataOffset = pos + 8;
            info.dataLength = size;
            return haveFormat;
        }
        pos += 8 + size;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr,
                     "usage: bench_cut_segments SOURCE.wav OUTDIR [SEGMENTS] [--buffered]\n");
        return 2;
    }
    const QString source = args.at(1);
    const QString outDir = args.at(2);
    const int segments = args.size() > 3 && args.at(3) != "--buffered" ? args.at(3).toInt() : 10;
    const bool buffered = args.contains("--buffered");

    QElapsedTimer timer;
    timer.start();
    veskar::WavInfo info;
    if (!ReadFormat(source, info) || segments < 1) {
        std::fprintf(stderr, "not a PCM WAV file: %s\n", qPrintable(source));
        return 1;
    }
    const int64_t frames = veskar::AvailableFrames(info, info.fileSize);
    const int64_t lengthMs = veskar::FramesToMs(frames, info.sampleRate);
    int64_t bytes = 0;
    for (int i = 0; i < segments; ++i) {
        veskar::SegmentRequest request;
        request.sourcePath = source;
        request.source = info;
        request.startMs = static_cast<veskar::TimeMs>(lengthMs * i / segments);
        request.endMs =
            i + 1 < segments ? static_cast<veskar::TimeMs>(lengthMs * (i + 1) / segments) : -1;
        request.outputPath = outDir + QString("/seg%1.wav").arg(i, 2, 10, QChar('0'));
        request.kernelCopy = !buffered;
        const veskar::SegmentSaveResult result = veskar::WriteSegment(request);
        if (result.outcome != veskar::SaveOutcome::Written) {
            std::fprintf(stderr, "segment %d failed: %s\n", i, qPrintable(result.detail));
            return 1;
        }
        bytes += result.sampleBytes;
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("%.3f\n", seconds);
    std::fprintf(stderr, "%d segments, %lld sample bytes (%s) in %.3f s\n", segments,
                 static_cast<long long>(bytes), buffered ? "buffered" : "copy_file_range", seconds);
    return 0;
}

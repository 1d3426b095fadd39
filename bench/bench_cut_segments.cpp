// Cuts a WAV file into N equal segments with the segment writer and prints the seconds taken.
// Usage: bench_cut_segments SOURCE.wav OUTDIR [SEGMENTS=10] [--buffered]
// bench/chop_vs_cp.sh --methods runs it against cp on a generated one-hour file.
#include <cstdio>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "core/cut/SegmentWriter.h"
#include "core/wav/WavReader.h"

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
    const QString error = veskar::ReadWavInfo(source, info);
    if (!error.isEmpty() || segments < 1) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
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
        if (result.outcome != veskar::CutStep::Written) {
            std::fprintf(stderr, "segment %d failed: %s\n", i, qPrintable(result.cause));
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

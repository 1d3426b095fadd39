// The header walk, the validation of every routine and the file reader over any bytes: nothing
// is read outside the buffers, an accepted file's fields hold together, the walk finds the same
// chunks whatever the size of its buffer, and a piece cut from an accepted file reads back.
#include <array>
#include <vector>

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>

#include "FuzzSupport.h"
#include "core/cut/SegmentWriter.h"
#include "core/wav/RiffChunks.h"
#include "core/wav/WavHeader.h"
#include "core/wav/WavReader.h"
#include "core/wav/WorkArea.h"

namespace veskar::fuzz {
namespace {

bool SameChunk(const std::optional<RiffChunk>& a, const std::optional<RiffChunk>& b) {
    return a.has_value() == b.has_value() &&
           (!a || (a->headerPos == b->headerPos && a->size == b->size));
}

void WalkWithEveryBuffer(const QByteArray& bytes) {
    const ChunkWalkRules rules[] = {{kHeaderBufferSize, false}, {-1, true}};
    for (const ChunkWalkRules& rule : rules) {
        std::optional<WavChunks> first;
        for (size_t bufferSize : {size_t{9}, size_t{61}, size_t{4096}}) {
            QByteArray copy = bytes;
            QBuffer device(&copy);
            device.open(QIODevice::ReadOnly);
            std::vector<uint8_t> buffer(bufferSize);
            const WavChunks chunks = WalkRiffChunks(device, buffer, rule);
            for (const auto& chunk : {chunks.fmt, chunks.data}) {
                FUZZ_CHECK(!chunk || chunk->BodyPos() <= bytes.size());
            }
            if (!first) {
                first = chunks;
            }
            FUZZ_CHECK(SameChunk(first->fmt, chunks.fmt) && SameChunk(first->data, chunks.data));
        }
    }
}

void CheckAccepted(const QString& path, const WavInfo& info, size_t size) {
    static const QRegularExpression kLength(QStringLiteral("^[0-9]+\\.[0-9]{5}$"));
    FUZZ_CHECK(info.fileSize == static_cast<int64_t>(size));
    FUZZ_CHECK(info.blockAlign > 0 && info.sampleRate > 0 && info.bitsPerSample > 0);
    FUZZ_CHECK(info.bytesPerSample == (info.bitsPerSample + 7) / 8);
    FUZZ_CHECK(info.dataOffset >= kFirstChunkPos + kChunkHeaderBytes);
    FUZZ_CHECK(info.dataOffset <= info.fileSize);
    FUZZ_CHECK(info.formatCode.size() == 5);
    FUZZ_CHECK(kLength.match(info.lengthText).hasMatch());

    // Whatever the reader accepts, a piece of it is a file the reader accepts again.
    SegmentRequest request;
    request.sourcePath = path;
    request.source = info;
    request.outputPath = OutputFilePath();
    QFile::remove(request.outputPath);
    const SegmentSaveResult piece = WriteSegment(request);
    if (piece.outcome == CutStep::Written) {
        WavInfo back;
        FUZZ_CHECK(ReadWavInfo(request.outputPath, back).isEmpty());
        FUZZ_CHECK(back.formatCode == info.formatCode && back.dataLength == piece.sampleBytes);
    }
    QFile::remove(request.outputPath);
}

} // namespace
} // namespace veskar::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veskar;
    // The small work area keeps every run's buffers cheap; the analysis target runs both.
    SetWorkAreaLimit(kSmallWorkArea);
    const QString path = fuzz::WriteInputFile(data, size);
    fuzz::WalkWithEveryBuffer(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (int routine = 0; routine <= static_cast<int>(WavRoutine::Restore); ++routine) {
        OpenWavFile wav;
        const QString result = ValidateWavHeader(path, static_cast<WavRoutine>(routine), wav);
        FUZZ_CHECK(result.isEmpty() || result.contains(QStringLiteral("・・・")));
        FUZZ_CHECK(!result.isEmpty() || wav.info.blockAlign > 0);
    }
    WavInfo info;
    if (ReadWavInfo(path, info).isEmpty()) {
        fuzz::CheckAccepted(path, info, size);
    }
    return 0;
}

#include "core/wav/WavHeader.h"

#include <cstring>

#include "core/wav/WorkArea.h"

namespace veskar {

namespace {

constexpr int kMinHeaderBytes = 46;
constexpr int kFmtStandardBytes = 16;

uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool TagIs(const uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

QString WithPath(const QString& message, const QString& path) {
    return message + QLatin1Char('\n') + path;
}

} // namespace

QString FormatCutOffBody() {
    return QStringLiteral("フォーマットデータが途中で切れています");
}

QString ValidateWavHeader(const QString& path, WavRoutine routine, OpenWavFile& wav) {
    const RoutineTraits& traits = TraitsOf(routine);
    auto fail = [routine](const char* body) {
        return SiteMessage(QString::fromUtf8(body), routine);
    };

    const WorkAreaProbe probe = ProbeWorkArea();
    if (!probe.failed) {
        wav.header.reset(new (std::nothrow) uint8_t[kHeaderBufferSize]);
        wav.work = AllocateWorkArea(probe.size);
    }
    if (probe.failed || !wav.header || !wav.work) {
        return fail("作業エリアの取得に失敗しました");
    }
    wav.workAreaSize = probe.size;

    wav.file.setFileName(path);
    if (!wav.file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return fail("WAVファイルの読み出しに失敗しましたOP");
    }

    int64_t fileSize = 0;
    if (traits.checksFileSize) {
        fileSize = wav.file.size();
        if (wav.file.isSequential() || !wav.file.seek(fileSize) || !wav.file.seek(0)) {
            return fail("ファイルサイズ取得に失敗しました");
        }
    }

    const int64_t headerBytes =
        wav.file.read(reinterpret_cast<char*>(wav.header.get()), kHeaderBufferSize);
    if (headerBytes < kMinHeaderBytes) {
        return WithPath(fail("WAVファイルのサイズが小さすぎます"), path);
    }
    const uint8_t* header = wav.header.get();
    if (!TagIs(header, "RIFF")) {
        return fail("ファイル形式が「RIFF」ではありません");
    }
    if (!TagIs(header + 8, "WAVE")) {
        return fail("WAVEファイルではありません");
    }

    // The format block is looked for in the header buffer only; chunk sizes are taken as they
    // stand (no pad byte after an odd size).
    int64_t fmtPos = -1;
    uint32_t fmtSize = 0;
    for (int64_t p = 12; p < kHeaderBufferSize && p + 8 <= headerBytes;) {
        const uint32_t size = U32(header + p + 4);
        if (TagIs(header + p, "fmt ")) {
            fmtSize = size;
            fmtPos = p + 8;
            break;
        }
        p += 8 + static_cast<int64_t>(size);
    }
    if (fmtPos < 0) {
        return fail("WAVフォーマットが見つかりませんでした");
    }
    if (fmtSize < kFmtStandardBytes) {
        return fail("フォーマットデータが不足しています");
    }
    if (fmtPos + kFmtStandardBytes > headerBytes) {
        return SiteMessage(FormatCutOffBody(), routine);
    }

    // The data chunk is walked in the file itself, so it is found after large LIST chunks too.
    int64_t chunkPos = 12;
    uint32_t dataSize = 0;
    for (;;) {
        uint8_t chunk[8];
        if (!wav.file.seek(chunkPos) ||
            wav.file.read(reinterpret_cast<char*>(chunk), sizeof chunk) != sizeof chunk) {
            return WithPath(fail("データエリアが見つかりませんでした"), path);
        }
        dataSize = U32(chunk + 4);
        if (TagIs(chunk, "data")) {
            break;
        }
        chunkPos += 8 + static_cast<int64_t>(dataSize);
    }
    if (traits.checksDataLength && dataSize == 0) {
        return fail("データがありません");
    }

    const uint8_t* fmt = header + fmtPos;
    if (U16(fmt) != 1) {
        return SiteMessage(QString::fromUtf8(traits.compressedBody), routine);
    }
    const uint16_t channels = U16(fmt + 2);
    const uint32_t sampleRate = U32(fmt + 4);
    const uint16_t blockAlign = U16(fmt + 12);
    // Formed as a signed 32-bit product: an absurd rate wraps and is refused below.
    const auto bytesPerSecond =
        static_cast<int32_t>(static_cast<uint32_t>(uint64_t{sampleRate} * blockAlign));
    if (bytesPerSecond <= 0) {
        return fail("１秒当たりのバイト数が異状です");
    }
    const int32_t bytes40ms = bytesPerSecond / 25;
    if (traits.checks40ms && bytes40ms <= 0) {
        return fail("40ms当たりのバイト数が異状です");
    }
    int64_t blockSize = 0;
    if (traits.readUnit != ReadUnit::None) {
        const int64_t unit = traits.readUnit == ReadUnit::Bytes40ms ? bytes40ms : bytesPerSecond;
        blockSize = unit > 0 ? (wav.workAreaSize / unit) * unit : 0;
        if (blockSize <= 0) {
            return fail("総読み込みバイト数が異状です");
        }
    }
    const uint16_t bitsPerSample = U16(fmt + 14);
    if (bitsPerSample == 0) {
        return fail("サンプルが異状です");
    }

    WavInfo& info = wav.info;
    info.fileSize = fileSize;
    info.dataOffset = chunkPos + 8;
    info.dataSizeFieldOffset = chunkPos + 4;
    info.dataLength = dataSize;
    info.formatTag = 1;
    info.channels = channels;
    info.sampleRate = sampleRate;
    info.blockAlign = blockAlign;
    info.bitsPerSample = bitsPerSample;
    info.bytesPerSample = bitsPerSample / 8 + (bitsPerSample % 8 != 0 ? 1 : 0);
    info.bytesPerSecond = bytesPerSecond;
    info.samplesPerMs = sampleRate / 1000.0;
    wav.blockSize = blockSize;
    return {};
}

} // namespace veskar

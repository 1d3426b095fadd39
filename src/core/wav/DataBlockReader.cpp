#include "core/wav/DataBlockReader.h"

#include <algorithm>
#include <cstring>

#include "core/wav/Rounding.h"
#include "core/wav/WorkArea.h"

namespace veskar {

namespace {

bool ReadExactly(QFile& file, uint8_t* buffer, int64_t bytes) {
    const int64_t got = file.read(reinterpret_cast<char*>(buffer), bytes);
    if (got > 0) {
        std::memset(buffer + got, 0, kWorkAreaSlack);
    }
    return got == bytes;
}

} // namespace

QString ReadDataBlocks(OpenWavFile& wav, const ReadProgress& progress, WavRoutine routine,
                       const BlockVisitor& visit) {
    return ReadDataRange(wav, 0, wav.info.dataLength, progress, routine, visit);
}

QString ReadDataRange(OpenWavFile& wav, int64_t startByte, int64_t length,
                      const ReadProgress& progress, WavRoutine routine, const BlockVisitor& visit) {
    const int64_t frameBytes = wav.info.blockAlign;
    // Blocks hold whole frames, so no frame is split between two reads.
    const int64_t blockSize = frameBytes > 0 ? wav.blockSize / frameBytes * frameBytes : 0;
    if (frameBytes <= 0 || blockSize <= 0 || blockSize > wav.workAreaSize || !wav.work) {
        return SiteMessage(QStringLiteral("総読み込みバイト数が異状です"), routine);
    }
    length = std::max<int64_t>(length, 0);
    const int64_t fullBlocks = length / blockSize;
    const int64_t rest = length - fullBlocks * blockSize;

    if (startByte < 0 || !wav.file.seek(wav.info.dataOffset + startByte)) {
        return SiteMessage(QStringLiteral("オフセットが範囲を超えています"), routine);
    }
    uint8_t* buffer = wav.work.get();
    const QString readFailed = QStringLiteral("WAVファイルの読み出しに失敗しました");
    auto setPercent = [&progress](int percent) {
        return progress.box ? progress.box->SetPercent(progress.handle, percent)
                            : static_cast<int>(ProgressBox::BadHandle);
    };
    auto pump = [&progress] {
        if (progress.pump) {
            progress.pump->ProcessEvents();
        }
    };

    int64_t firstFrame = 0;
    for (int64_t i = 1; i <= fullBlocks; ++i) {
        if (!ReadExactly(wav.file, buffer, blockSize)) {
            return SiteMessage(readFailed, routine);
        }
        const int64_t frames = blockSize / frameBytes;
        visit(buffer, frames, firstFrame);
        firstFrame += frames;
        pump();
        const int percent =
            static_cast<int>(RoundHalfEven(100.0 * static_cast<double>(i) / (fullBlocks + 1)));
        if (setPercent(percent) >= 0) {
            return SiteMessage(QStringLiteral("中断ボタンが押されました"), routine);
        }
    }
    setPercent(100);
    pump();

    if (rest > 0) {
        if (!ReadExactly(wav.file, buffer, rest)) {
            return SiteMessage(readFailed, SiteCode(routine) + QStringLiteral("_A"));
        }
        const int64_t frames = rest / frameBytes;
        if (frames > 0) {
            visit(buffer, frames, firstFrame);
        }
    }
    return {};
}

} // namespace veskar

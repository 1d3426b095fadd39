#include "core/chop/ChopWriters.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include "core/cut/OutputFile.h"
#include "core/cut/SegmentWriter.h"
#include "core/wav/RiffChunks.h"
#include "core/wav/WavHeader.h"
#include "core/wav/WorkArea.h"

namespace veskar {

RawFormat RawFormatOfItems(int rateItem, int bitsItem, int channelsItem) {
    RawFormat format;
    if (rateItem >= 0 && rateItem < static_cast<int>(std::size(kRawRates))) {
        format.sampleRate = kRawRates[rateItem];
    }
    if (bitsItem >= 0 && bitsItem < static_cast<int>(std::size(kRawBits))) {
        format.bitsPerSample = kRawBits[bitsItem];
    }
    if (channelsItem >= 0 && channelsItem < static_cast<int>(std::size(kRawChannels))) {
        format.channels = kRawChannels[channelsItem];
    }
    return format;
}

QString ChopStoppedMessage() {
    return SiteMessage(QStringLiteral("中断ボタンが押されました"), QStringLiteral("BG"));
}

namespace {

constexpr uint32_t kMax32 = 0xFFFFFFFF;
// The copy steps in which progress is counted: a twenty-fifth of a second of sound.
constexpr int kStepsPerSecond = 25;
// Blocks are handed to the kernel several at a time: fewer calls, and the progress box still
// moves a few times a second.
constexpr int64_t kCopyStepBytes = 8 * 1024 * 1024;

// A size field of 32 bits; a piece over 4 GiB gets the value that readers take as "to the end
// of the file" instead of a wrapped size.
uint32_t SizeField(int64_t size) {
    return size < 0 || size > int64_t{kMax32} ? kMax32 : static_cast<uint32_t>(size);
}

bool WriteU32(int fd, int64_t offset, uint32_t value) {
    uint8_t bytes[4];
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
    return WriteAll(fd, bytes, 4, offset);
}

// The file being written: under a temporary name in the output's folder until Finish gives it
// the final name; removed on every other way out.
class PieceOutput {
public:
    explicit PieceOutput(const QString& outputPath) : m_final(QFileInfo(outputPath)) {}
    ~PieceOutput() {
        if (!m_tempName.isEmpty()) {
            m_fd.Close();
            ::unlink(m_tempName.constData());
        }
    }
    PieceOutput(const PieceOutput&) = delete;
    PieceOutput& operator=(const PieceOutput&) = delete;

    bool Create() {
        QString tempPath;
        const int fd = CreateTemporary(m_final.absolutePath(), tempPath);
        if (fd < 0) {
            return false;
        }
        m_fd.Reset(fd);
        m_tempName = QFile::encodeName(tempPath);
        return true;
    }
    int fd() const { return m_fd.get(); }

    /// Closes and gives the final name, never replacing a file that took it meanwhile.
    bool Finish() {
        if (!m_fd.Close() ||
            LinkWithoutReplacing(m_tempName, QFile::encodeName(m_final.absoluteFilePath())) != 0) {
            return false;
        }
        m_tempName.clear();
        return true;
    }

private:
    QFileInfo m_final;
    Fd m_fd;
    QByteArray m_tempName;
};

// The texts of one writer, by its site code.
struct WriterTexts {
    QString site;
    QString Msg(const char* body, const char* suffix = "") const {
        return SiteMessage(QString::fromUtf8(body), site + QString::fromLatin1(suffix));
    }
};

// Copies the sample bytes of a piece in blocks of blockSize (the last one shorter) and reports
// a failure in the writer's words: a block failing with the site code, the short rest after the
// full blocks with site code + "_A".
QString CopyPieceSamples(int in, int64_t inOffset, int out, int64_t outOffset, int64_t length,
                         int64_t blockSize, const WriterTexts& texts,
                         const ChopProgress& progress) {
    const int64_t fullBlocks = blockSize > 0 ? length / blockSize : 0;
    const CopyResult copied = CopyFileRange(
        in, inOffset, out, outOffset, length, CopyMethod::Best,
        [&](int64_t done) {
            if (!progress) {
                return true;
            }
            const int64_t blocks = blockSize > 0 ? done / blockSize : 0;
            const int percent =
                fullBlocks > 0 ? static_cast<int>(
                                     std::lround(static_cast<double>(std::min(blocks, fullBlocks)) *
                                                 100.0 / static_cast<double>(fullBlocks)))
                               : 100;
            return progress(percent);
        },
        blockSize > 0 ? std::max<int64_t>(1, kCopyStepBytes / blockSize) * blockSize : 0);
    const bool inRest = copied.copied >= fullBlocks * blockSize;
    switch (copied.failure) {
    case CopyFailure::None:
        return {};
    case CopyFailure::Stopped:
        return ChopStoppedMessage();
    case CopyFailure::Read:
    case CopyFailure::SourceEnded:
        return texts.Msg("WAVファイルの読み出しに失敗しました", inRest ? "_A" : "");
    case CopyFailure::Write:
        break;
    }
    return texts.Msg("WAVファイルの書き込みに失敗しました", inRest ? "_A" : "");
}

int64_t FileSizeOf(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? st.st_size : -1;
}

} // namespace

QString WritePiece(const QString& sourcePath, const QString& outputPath, int64_t position,
                   int64_t length, const ChopProgress& progress) {
    const WriterTexts texts{QStringLiteral("BG")};
    OpenWavFile wav;
    const QString invalid = ValidateWavHeader(sourcePath, WavRoutine::ChopCut, wav);
    if (!invalid.isEmpty()) {
        return invalid;
    }
    const int in = wav.file.handle();
    const int64_t dataOffset = wav.info.dataOffset;
    const int64_t sourceSize = FileSizeOf(in);
    if (position < dataOffset || position > sourceSize || length < 0) {
        return texts.Msg("オフセットが範囲を超えています");
    }
    PieceOutput output(outputPath);
    if (!output.Create()) {
        return texts.Msg("新規ファイルの作成にッ失敗しました") + "\n" + outputPath;
    }
    // Every chunk before the samples stays as the source has it.
    const CopyResult header = CopyFileRange(in, 0, output.fd(), 0, dataOffset, CopyMethod::Buffer);
    if (header.failure == CopyFailure::Write) {
        return texts.Msg("WAVファイルの書き出しに失敗しました");
    }
    if (header.failure != CopyFailure::None) {
        return texts.Msg("WAVファイルの読み出しに失敗しました");
    }
    const QString copyError = CopyPieceSamples(in, position, output.fd(), dataOffset, length,
                                               wav.blockSize, texts, progress);
    if (!copyError.isEmpty()) {
        return copyError;
    }
    if (progress && !progress(100)) {
        return ChopStoppedMessage();
    }
    if (!WriteU32(output.fd(), dataOffset - 4, SizeField(length)) ||
        !WriteU32(output.fd(), 4, SizeField(dataOffset - 8 + length))) {
        return texts.Msg("WAVファイルの書き込みに失敗しました");
    }
    if (!output.Finish()) {
        return texts.Msg("WAVファイルの書き込みに失敗しました");
    }
    return {};
}

namespace {

// The range of sample bytes [first, last) an intro cut takes from a source of dataLength bytes:
// when the end lies past the data, a range that fits is moved back to end with the data.
std::pair<int64_t, int64_t> IntroRange(int64_t startMs, int64_t endMs, const WavInfo& info) {
    if (startMs < 0 || endMs < 0) {
        return {0, info.dataLength};
    }
    const int64_t startByte = MsToFrame(startMs, info.sampleRate) * info.blockAlign;
    const int64_t endByte = MsToFrame(endMs, info.sampleRate) * info.blockAlign;
    const int64_t length = info.dataLength;
    if (endByte <= length) {
        return {startByte, endByte};
    }
    if (endByte - startByte <= length) {
        return {length - (endByte - startByte), length};
    }
    return {0, length};
}

// The header bytes of a range file from a WAV source: everything up to the end of the `fmt `
// chunk, then a `data` chunk header. An RF64 source, whose sizes stand in a "ds64" chunk that
// would then be wrong, gets the plain header of a segment instead.
QByteArray RangeHeader(OpenWavFile& wav, int64_t sampleBytes) {
    const ChunkWalkRules rules{.fmtSearchEnd = kHeaderBufferSize, .padOddChunks = true};
    const std::span<uint8_t> buffer(wav.work.get(), static_cast<size_t>(wav.workAreaSize));
    const WavChunks chunks = WalkRiffChunks(wav.file, buffer, rules);
    if (!chunks.fmt || std::memcmp(wav.header.get(), "RIFF", 4) != 0) {
        return SegmentHeader(wav.info, sampleBytes);
    }
    const int64_t end = chunks.fmt->BodyPos() + chunks.fmt->size;
    QByteArray header(static_cast<qsizetype>(end), '\0');
    if (::pread(wav.file.handle(), header.data(), static_cast<size_t>(end), 0) != end) {
        return {};
    }
    header.append("data");
    header.append(4, '\0');
    return header;
}

} // namespace

QString WriteRange(const QString& sourcePath, const QString& outputPath, int64_t startMs,
                   int64_t endMs, const RawFormat& raw, const ChopProgress& progress) {
    const WriterTexts texts{QStringLiteral("RV")};
    if (ProbeWorkArea().failed) {
        return texts.Msg("作業エリアの取得に失敗しました") + QStringLiteral(" TW");
    }
    Fd source(::open(QFile::encodeName(sourcePath).constData(), O_RDONLY | O_CLOEXEC));
    if (!source.valid()) {
        return texts.Msg("WAVファイルの読み出しに失敗しましたOP");
    }
    OpenWavFile wav;
    const bool isWav = ValidateWavHeader(sourcePath, WavRoutine::ChopCut, wav).isEmpty();
    int64_t first = 0;
    int64_t sampleBytes = 0;
    int64_t blockSize = 0;
    QByteArray header;
    if (isWav) {
        if (startMs >= 0 && endMs >= 0 && startMs >= endMs) {
            return texts.Msg("カット終了タイムが、開始タイムより大きくないと駄目です");
        }
        const auto [from, to] = IntroRange(startMs, endMs, wav.info);
        first = wav.info.dataOffset + from;
        sampleBytes = to - from;
        blockSize = wav.blockSize;
        header = RangeHeader(wav, sampleBytes);
        if (header.isEmpty()) {
            return texts.Msg("WAVファイルの読み出しに失敗しました");
        }
    } else {
        WavInfo info;
        info.channels = raw.channels;
        info.sampleRate = raw.sampleRate;
        info.bitsPerSample = raw.bitsPerSample;
        info.blockAlign =
            static_cast<uint16_t>(std::lround(raw.bitsPerSample / 8.0) * raw.channels);
        const int64_t size = FileSizeOf(source.get());
        if (info.blockAlign == 0 || size < 0) {
            return texts.Msg("オフセットが範囲を超えています");
        }
        sampleBytes = size / info.blockAlign * info.blockAlign;
        const int64_t unit = int64_t{info.sampleRate} * info.blockAlign / kStepsPerSecond;
        blockSize = unit > 0 ? kLargeWorkArea / unit * unit : info.blockAlign;
        header = SegmentHeader(info, sampleBytes);
    }
    const int in = isWav ? wav.file.handle() : source.get();

    PieceOutput output(outputPath);
    if (!output.Create()) {
        return texts.Msg("新規ファイルの作成にッ失敗しました") + "\n" + outputPath;
    }
    if (!WriteAll(output.fd(), header.constData(), header.size(), 0)) {
        return texts.Msg("WAVファイルの書き出しに失敗しました");
    }
    const int64_t headerBytes = header.size();
    const QString copyError = CopyPieceSamples(in, first, output.fd(), headerBytes, sampleBytes,
                                               blockSize, texts, progress);
    if (!copyError.isEmpty()) {
        return copyError;
    }
    if (progress && !progress(100)) {
        return ChopStoppedMessage();
    }
    // A chunk of odd size is followed by a pad byte.
    const char pad = 0;
    const bool padded = sampleBytes % 2 != 0;
    const int64_t fileSize = headerBytes + sampleBytes + (padded ? 1 : 0);
    const bool rf64 = std::memcmp(header.constData(), "RF64", 4) == 0;
    if ((padded && !WriteAll(output.fd(), &pad, 1, headerBytes + sampleBytes)) ||
        (!rf64 && (!WriteU32(output.fd(), headerBytes - 4, SizeField(sampleBytes)) ||
                   !WriteU32(output.fd(), 4, SizeField(fileSize - 8)))) ||
        !output.Finish()) {
        return texts.Msg("WAVファイルの書き込みに失敗しました");
    }
    return {};
}

} // namespace veskar

#include "core/wav/WavHeader.h"

#include <cstring>
#include <span>

#include "core/wav/RiffChunks.h"
#include "core/wav/WorkArea.h"

namespace veskar {

namespace {

// The smallest header the reader accepts: RIFF/WAVE, a 16-byte "fmt " chunk and a 2-byte start
// of data, as the oldest writers of the format left them.
constexpr int kMinHeaderBytes = 46;
// channels, rate, bytes per second, block align and bits: the part of "fmt " every PCM file has.
constexpr int kFmtStandardBytes = 16;
constexpr uint16_t kFormatPcm = 1;
// The 40 ms read unit is a twenty-fifth of a second.
constexpr int32_t kReadUnitsPerSecond = 25;

QString WithPath(const QString& message, const QString& path) {
    return message + QLatin1Char('\n') + path;
}

class HeaderCheck {
public:
    HeaderCheck(const QString& path, WavRoutine routine, OpenWavFile& wav)
        : m_path(path), m_routine(routine), m_traits(TraitsOf(routine)), m_wav(wav) {}

    QString Run() {
        QString error = ReserveBuffers();
        if (error.isEmpty()) {
            error = OpenFile();
        }
        if (error.isEmpty()) {
            error = ReadRiffHeader();
        }
        if (error.isEmpty()) {
            error = FindChunks();
        }
        if (error.isEmpty()) {
            error = ReadFormat();
        }
        return error;
    }

private:
    QString Fail(const char* body) const { return SiteMessage(QString::fromUtf8(body), m_routine); }

    QString ReserveBuffers() {
        const WorkAreaProbe probe = ProbeWorkArea();
        if (!probe.failed) {
            m_wav.header.reset(new (std::nothrow) uint8_t[kHeaderBufferSize]);
            m_wav.work = AllocateWorkArea(probe.size);
        }
        if (probe.failed || !m_wav.header || !m_wav.work) {
            return Fail("作業エリアの取得に失敗しました");
        }
        m_wav.workAreaSize = probe.size;
        return {};
    }

    QString OpenFile() {
        m_wav.file.setFileName(m_path);
        if (!m_wav.file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            return Fail("WAVファイルの読み出しに失敗しましたOP");
        }
        if (m_traits.checksFileSize) {
            m_fileSize = m_wav.file.size();
            if (m_wav.file.isSequential() || !m_wav.file.seek(m_fileSize) || !m_wav.file.seek(0)) {
                return Fail("ファイルサイズ取得に失敗しました");
            }
        }
        return {};
    }

    QString ReadRiffHeader() {
        m_headerBytes =
            m_wav.file.read(reinterpret_cast<char*>(m_wav.header.get()), kHeaderBufferSize);
        if (m_headerBytes < kMinHeaderBytes) {
            return WithPath(Fail("WAVファイルのサイズが小さすぎます"), m_path);
        }
        if (!IsRiffTag(m_wav.header.get())) {
            return Fail("ファイル形式が「RIFF」ではありません");
        }
        if (std::memcmp(m_wav.header.get() + 8, "WAVE", 4) != 0) {
            return Fail("WAVEファイルではありません");
        }
        return {};
    }

    // The format comes from the header read at once, the data chunk from anywhere in the file
    // (after large LIST chunks too). A chunk of odd size is stepped over by its size, or by one
    // byte more where the writer put the pad byte the standard asks for.
    QString FindChunks() {
        const ChunkWalkRules rules{.fmtSearchEnd = m_headerBytes, .padOddChunks = true};
        const std::span<uint8_t> buffer(m_wav.work.get(), static_cast<size_t>(m_wav.workAreaSize));
        const WavChunks chunks = WalkRiffChunks(m_wav.file, buffer, rules);
        if (!chunks.fmt) {
            return Fail("WAVフォーマットが見つかりませんでした");
        }
        if (chunks.fmt->size < kFmtStandardBytes) {
            return Fail("フォーマットデータが不足しています");
        }
        const uint8_t* fmt = m_wav.header.get() + chunks.fmt->BodyPos();
        if (chunks.fmt->BodyPos() + kFmtStandardBytes > m_headerBytes ||
            chunks.fmt->BodyPos() + FormatBlockBytes(fmt, chunks.fmt->size) > m_headerBytes) {
            return SiteMessage(FormatCutOffBody(), m_routine);
        }
        if (!chunks.data) {
            return WithPath(Fail("データエリアが見つかりませんでした"), m_path);
        }
        if (m_traits.checksDataLength && chunks.data->size == 0) {
            return Fail("データがありません");
        }
        m_format = ReadFormatBlock(fmt, chunks.fmt->size);
        m_data = *chunks.data;
        return {};
    }

    QString ReadFormat() {
        if (m_format.formatTag != kFormatPcm) {
            return SiteMessage(QString::fromUtf8(m_traits.compressedBody), m_routine);
        }
        const uint32_t sampleRate = m_format.sampleRate;
        const uint16_t blockAlign = m_format.blockAlign;
        // Formed as a signed 32-bit product: an absurd rate wraps and is refused below.
        const auto bytesPerSecond =
            static_cast<int32_t>(static_cast<uint32_t>(uint64_t{sampleRate} * blockAlign));
        if (bytesPerSecond <= 0) {
            return Fail("１秒当たりのバイト数が異状です");
        }
        const int32_t bytes40ms = bytesPerSecond / kReadUnitsPerSecond;
        if (m_traits.checks40ms && bytes40ms <= 0) {
            return Fail("40ms当たりのバイト数が異状です");
        }
        int64_t blockSize = 0;
        if (m_traits.readUnit != ReadUnit::None) {
            const int64_t unit =
                m_traits.readUnit == ReadUnit::Bytes40ms ? bytes40ms : bytesPerSecond;
            blockSize = (m_wav.workAreaSize / unit) * unit;
            if (blockSize <= 0) {
                // A unit larger than the work area (a second of 192 kHz 24-bit stereo is more
                // than a megabyte) is read in several blocks of whole frames; every result
                // counts frames, not blocks.
                blockSize = m_wav.workAreaSize / blockAlign * blockAlign;
            }
            if (blockSize <= 0) {
                return Fail("総読み込みバイト数が異状です");
            }
        }
        // Every routine reads a frame's samples at their offsets within it: a sample wider
        // than the engine reads, or samples that do not fit the frame, would be read from
        // bytes of the next frame or past the data.
        if (!m_format.SamplesFitFrame()) {
            return Fail("サンプルが異状です");
        }
        int64_t dataLength = m_data.size;
        if (m_data.sizeToFileEnd) {
            dataLength -= dataLength % blockAlign;
            if (m_traits.checksDataLength && dataLength == 0) {
                return Fail("データがありません");
            }
        }

        WavInfo& info = m_wav.info;
        info.fileSize = m_fileSize;
        info.dataOffset = m_data.BodyPos();
        info.dataSizeFieldOffset = m_data.SizeFieldPos();
        info.dataLength = dataLength;
        info.dataToFileEnd = m_data.sizeToFileEnd;
        info.formatTag = kFormatPcm;
        info.channels = m_format.channels;
        info.sampleRate = sampleRate;
        info.blockAlign = blockAlign;
        info.bitsPerSample = m_format.bitsPerSample;
        info.validBits = m_format.validBits;
        info.bytesPerSample = m_format.BytesPerSample();
        info.bytesPerSecond = bytesPerSecond;
        info.samplesPerMs = sampleRate / 1000.0;
        m_wav.blockSize = blockSize;
        return {};
    }

    const QString& m_path;
    const WavRoutine m_routine;
    const RoutineTraits& m_traits;
    OpenWavFile& m_wav;
    int64_t m_fileSize = 0;
    int64_t m_headerBytes = 0;
    FormatBlock m_format;
    RiffChunk m_data;
};

} // namespace

QString FormatCutOffBody() {
    return QStringLiteral("フォーマットデータが途中で切れています");
}

QString ValidateWavHeader(const QString& path, WavRoutine routine, OpenWavFile& wav) {
    return HeaderCheck(path, routine, wav).Run();
}

} // namespace veskar

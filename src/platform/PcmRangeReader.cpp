#include "platform/PcmRangeReader.h"

#include <algorithm>
#include <vector>

#include "core/wav/RiffChunks.h"

namespace veskar {

namespace {

// Blocks of the chunk walk: the chunks ahead of the samples of almost every file fit in one.
constexpr size_t kWalkBufferBytes = 64 * 1024;
constexpr int kFmtStandardBytes = 16;
constexpr int64_t kExtensibleFmtBytes = 40;
constexpr uint16_t kFormatPcm = 1;
// Far above any rate a sound card plays; a larger value is a damaged header.
constexpr uint32_t kMaxSampleRate = 1'000'000;

} // namespace

std::optional<PcmLayout> ReadPcmLayout(QIODevice& file) {
    if (!file.seek(0)) {
        return std::nullopt;
    }
    const QByteArray riff = file.read(kFirstChunkPos);
    if (riff.size() != kFirstChunkPos ||
        !IsRiffTag(reinterpret_cast<const uint8_t*>(riff.constData())) ||
        riff.mid(8, 4) != "WAVE") {
        return std::nullopt;
    }
    std::vector<uint8_t> buffer(kWalkBufferBytes);
    const WavChunks chunks =
        WalkRiffChunks(file, buffer, {.fmtSearchEnd = -1, .padOddChunks = true});
    if (!chunks.fmt || !chunks.data || chunks.fmt->size < kFmtStandardBytes ||
        !file.seek(chunks.fmt->BodyPos())) {
        return std::nullopt;
    }
    const int64_t fmtBytes = std::min<int64_t>(chunks.fmt->size, kExtensibleFmtBytes);
    const uint8_t* fmt = buffer.data();
    if (file.read(reinterpret_cast<char*>(buffer.data()), fmtBytes) != fmtBytes ||
        FormatBlockBytes(fmt, chunks.fmt->size) > fmtBytes) {
        return std::nullopt;
    }
    const FormatBlock format = ReadFormatBlock(fmt, chunks.fmt->size);
    if (format.formatTag != kFormatPcm) {
        return std::nullopt;
    }
    const uint32_t rate = format.sampleRate;
    if (rate == 0 || rate > kMaxSampleRate || !format.SamplesFitFrame()) {
        return std::nullopt;
    }
    PcmLayout layout;
    layout.channels = format.channels;
    layout.blockAlign = format.blockAlign;
    layout.bitsPerSample = format.bitsPerSample;
    layout.bytesPerSample = format.BytesPerSample();
    layout.sampleRate = static_cast<int>(rate);
    layout.dataOffset = chunks.data->BodyPos();
    // A recording cut short, or a size field left at its maximum by a streaming writer, plays
    // the whole frames that are really there (the walk takes the latter to the file's end).
    const int64_t available = std::max<int64_t>(0, file.size() - layout.dataOffset);
    layout.frames = std::min(chunks.data->size, available) / layout.blockAlign;
    return layout;
}

bool PcmRangeReader::Open(const QString& path) {
    Close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const std::optional<PcmLayout> layout = ReadPcmLayout(m_file);
    if (!layout) {
        m_file.close();
        return false;
    }
    m_layout = *layout;
    return true;
}

void PcmRangeReader::Close() {
    m_file.close();
    m_layout = {};
}

int64_t PcmRangeReader::ReadFrames(int64_t first, int64_t frameCount, QByteArray& out) {
    out.clear();
    const int64_t count = std::min(frameCount, m_layout.frames - first);
    if (!m_file.isOpen() || first < 0 || count <= 0 ||
        !m_file.seek(m_layout.dataOffset + first * m_layout.blockAlign)) {
        return 0;
    }
    out = m_file.read(count * m_layout.blockAlign);
    const int64_t frames = out.size() / m_layout.blockAlign;
    out.truncate(static_cast<qsizetype>(frames * m_layout.blockAlign));
    return frames;
}

} // namespace veskar

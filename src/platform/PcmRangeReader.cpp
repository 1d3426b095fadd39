#include "platform/PcmRangeReader.h"

#include <algorithm>

namespace veskar {

namespace {

uint32_t U32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

uint16_t U16(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint16_t(b[0] | b[1] << 8);
}

bool LooksLikeChunkId(const QByteArray& id) {
    return id.size() == 4 &&
           std::all_of(id.begin(), id.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

struct ChunkHeader {
    QByteArray id;
    uint32_t size = 0;
};

std::optional<ChunkHeader> ReadChunkHeader(QIODevice& file, int64_t at) {
    if (!file.seek(at)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.read(8);
    if (bytes.size() != 8) {
        return std::nullopt;
    }
    return ChunkHeader{bytes.left(4), U32(bytes.constData() + 4)};
}

} // namespace

std::optional<PcmLayout> ReadPcmLayout(QIODevice& file) {
    if (!file.seek(0)) {
        return std::nullopt;
    }
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE") {
        return std::nullopt;
    }
    const int64_t fileSize = file.size();
    QByteArray fmt;
    std::optional<int64_t> dataOffset;
    int64_t dataSize = 0;
    int64_t at = 12;
    bool lastOdd = false;
    while (fmt.isEmpty() || !dataOffset) {
        std::optional<ChunkHeader> chunk = ReadChunkHeader(file, at);
        // The rest of this system steps over a chunk by exactly 8 + size bytes; files from
        // elsewhere pad odd chunks to an even size. Take the padded position when the exact
        // one holds no chunk id.
        if (lastOdd && (!chunk || !LooksLikeChunkId(chunk->id))) {
            std::optional<ChunkHeader> padded = ReadChunkHeader(file, at + 1);
            if (padded && LooksLikeChunkId(padded->id)) {
                chunk = padded;
                ++at;
            }
        }
        if (!chunk) {
            return std::nullopt;
        }
        if (chunk->id == "fmt ") {
            fmt = file.read(std::min<uint32_t>(chunk->size, 16));
            if (fmt.size() < 16) {
                return std::nullopt;
            }
        } else if (chunk->id == "data" && !dataOffset) {
            dataOffset = at + 8;
            dataSize = chunk->size;
        }
        at += 8 + int64_t(chunk->size);
        lastOdd = chunk->size % 2 == 1;
    }
    if (U16(fmt.constData()) != 1) {
        return std::nullopt;
    }
    PcmLayout layout;
    layout.channels = U16(fmt.constData() + 2);
    const uint32_t rate = U32(fmt.constData() + 4);
    layout.blockAlign = U16(fmt.constData() + 12);
    layout.bitsPerSample = U16(fmt.constData() + 14);
    layout.bytesPerSample = (layout.bitsPerSample + 7) / 8;
    if (layout.channels == 0 || rate == 0 || rate > 1'000'000 || layout.bytesPerSample == 0 ||
        layout.bytesPerSample > 4 || layout.blockAlign < layout.channels * layout.bytesPerSample) {
        return std::nullopt;
    }
    layout.sampleRate = static_cast<int>(rate);
    layout.dataOffset = *dataOffset;
    // A recording cut short, or a size field left at its maximum by a streaming writer, plays
    // the whole frames that are really there.
    const int64_t available = std::max<int64_t>(0, fileSize - layout.dataOffset);
    layout.frames = std::min(dataSize, available) / layout.blockAlign;
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

#include "core/wav/RiffChunks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <QIODevice>

namespace veskar {

namespace {

bool TagIs(const uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

bool LooksLikeChunkId(const uint8_t* p) {
    return std::all_of(p, p + 4, [](uint8_t c) { return c >= 0x20 && c <= 0x7E; });
}

// The first read of a walk: the chunks before the samples of a usual file fit in it.
constexpr int64_t kFirstReadBytes = 4096;

// "ds64" begins with the 64-bit RIFF size and the 64-bit data size.
constexpr int64_t kDs64DataSizePos = 8;
constexpr int64_t kDs64MinBytes = 16;

constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr int64_t kFmtStandardBytes = 16;
constexpr int64_t kExtensibleBytes = 40;
constexpr uint16_t kExtensionMinBytes = 22;
// A sub-format GUID of the standard family is the format tag followed by these 12 bytes
// (xxxxxxxx-0000-0010-8000-00aa00389b71).
constexpr uint8_t kSubFormatTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                        0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// A window on the file: one read serves every chunk header that lies in it, and a header
// outside it starts the next read there. Reads double in size up to the buffer's, so a usual
// file costs one small read and a file of many small chunks few large ones.
class BlockCursor {
public:
    BlockCursor(QIODevice& file, std::span<uint8_t> buffer)
        : m_file(file), m_buffer(buffer),
          m_readBytes(std::min(kFirstReadBytes, static_cast<int64_t>(buffer.size()))) {}

    /// The count bytes at pos, or nullptr when the file does not hold them all.
    const uint8_t* At(int64_t pos, int64_t count) {
        if (pos < m_start || pos + count > m_start + m_valid) {
            m_start = pos;
            m_valid = 0;
            if (!m_file.seek(pos)) {
                return nullptr;
            }
            m_valid = std::max<int64_t>(
                0, m_file.read(reinterpret_cast<char*>(m_buffer.data()), m_readBytes));
            m_readBytes = std::min(m_readBytes * 2, static_cast<int64_t>(m_buffer.size()));
            if (count > m_valid) {
                return nullptr;
            }
        }
        return m_buffer.data() + (pos - m_start);
    }

private:
    QIODevice& m_file;
    std::span<uint8_t> m_buffer;
    int64_t m_start = 0;
    int64_t m_valid = 0;
    int64_t m_readBytes;
};

} // namespace

bool IsRiffTag(const uint8_t* p) {
    return TagIs(p, "RIFF") || TagIs(p, "RF64");
}

int64_t FormatBlockBytes(const uint8_t* fmt, int64_t declaredSize) {
    return LeU16(fmt) == kFormatExtensible && declaredSize >= kExtensibleBytes ? kExtensibleBytes
                                                                               : kFmtStandardBytes;
}

FormatBlock ReadFormatBlock(const uint8_t* fmt, int64_t declaredSize) {
    FormatBlock format;
    format.formatTag = LeU16(fmt);
    format.channels = LeU16(fmt + 2);
    format.sampleRate = LeU32(fmt + 4);
    format.blockAlign = LeU16(fmt + 12);
    format.bitsPerSample = LeU16(fmt + 14);
    if (FormatBlockBytes(fmt, declaredSize) < kExtensibleBytes ||
        LeU16(fmt + 16) < kExtensionMinBytes) {
        return format;
    }
    const uint8_t* subFormat = fmt + 24;
    const uint32_t subTag = LeU32(subFormat);
    if (subTag > 0xFFFF || std::memcmp(subFormat + 4, kSubFormatTail, 12) != 0) {
        return format; // a vendor's own format: stays extensible, which no reader takes
    }
    format.formatTag = static_cast<uint16_t>(subTag);
    const uint16_t validBits = LeU16(fmt + 18);
    if (validBits > 0 && validBits < format.bitsPerSample) {
        format.validBits = validBits;
    }
    return format;
}

WavChunks WalkRiffChunks(QIODevice& file, std::span<uint8_t> buffer, const ChunkWalkRules& rules) {
    WavChunks found;
    if (buffer.size() <= kChunkHeaderBytes) {
        return found;
    }
    BlockCursor cursor(file, buffer);
    auto fmtReachable = [&rules](int64_t pos) {
        return rules.fmtSearchEnd < 0 || pos + kChunkHeaderBytes <= rules.fmtSearchEnd;
    };
    const uint8_t* form = cursor.At(0, 4);
    const bool rf64 = form && TagIs(form, "RF64");
    std::optional<uint64_t> ds64DataSize;
    int64_t pos = kFirstChunkPos;
    bool afterOddChunk = false;
    while (!found.data || (!found.fmt && fmtReachable(pos))) {
        if (afterOddChunk && rules.padOddChunks) {
            const uint8_t* exact = cursor.At(pos, kChunkHeaderBytes);
            if (!exact || !LooksLikeChunkId(exact)) {
                const uint8_t* padded = cursor.At(pos + 1, kChunkHeaderBytes);
                if (padded && LooksLikeChunkId(padded)) {
                    ++pos;
                }
            }
        }
        const uint8_t* header = cursor.At(pos, kChunkHeaderBytes);
        if (!header) {
            break;
        }
        uint8_t id[4];
        std::memcpy(id, header, sizeof id); // the next read may replace the buffer's bytes
        RiffChunk chunk{pos, LeU32(header + 4)};
        if (rf64 && !ds64DataSize && TagIs(id, "ds64") && chunk.size >= kDs64MinBytes) {
            // Only the 8 bytes of the data size: they fit the smallest buffer the walk takes.
            if (const uint8_t* size = cursor.At(chunk.BodyPos() + kDs64DataSizePos, 8)) {
                ds64DataSize = LeU64(size);
            }
        }
        if (!found.fmt && TagIs(id, "fmt ") && fmtReachable(pos)) {
            found.fmt = chunk;
        } else if (!found.data && TagIs(id, "data")) {
            if (chunk.size == kUnknownChunkSize) {
                if (ds64DataSize && *ds64DataSize <= static_cast<uint64_t>(INT64_MAX)) {
                    chunk.size = static_cast<int64_t>(*ds64DataSize);
                } else {
                    chunk.size = std::max<int64_t>(0, file.size() - chunk.BodyPos());
                    chunk.sizeToFileEnd = true;
                }
            }
            found.data = chunk;
        }
        pos = chunk.BodyPos() + chunk.size;
        afterOddChunk = chunk.size % 2 != 0;
    }
    return found;
}

} // namespace veskar

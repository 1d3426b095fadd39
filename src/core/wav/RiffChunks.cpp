#include "core/wav/RiffChunks.h"

#include <algorithm>
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

WavChunks WalkRiffChunks(QIODevice& file, std::span<uint8_t> buffer, const ChunkWalkRules& rules) {
    WavChunks found;
    if (buffer.size() <= kChunkHeaderBytes) {
        return found;
    }
    BlockCursor cursor(file, buffer);
    auto fmtReachable = [&rules](int64_t pos) {
        return rules.fmtSearchEnd < 0 || pos + kChunkHeaderBytes <= rules.fmtSearchEnd;
    };
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
        const RiffChunk chunk{pos, LeU32(header + 4)};
        if (!found.fmt && TagIs(header, "fmt ") && fmtReachable(pos)) {
            found.fmt = chunk;
        } else if (!found.data && TagIs(header, "data")) {
            found.data = chunk;
        }
        pos = chunk.BodyPos() + chunk.size;
        afterOddChunk = chunk.size % 2 != 0;
    }
    return found;
}

} // namespace veskar

#pragma once

#include <cstdint>
#include <optional>
#include <span>

class QIODevice;

namespace veskar {

inline uint16_t LeU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t LeU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

/// Offset of the first chunk: after "RIFF", the RIFF size and "WAVE", which callers check.
constexpr int64_t kFirstChunkPos = 12;
/// A chunk header: the 4-byte id and the 32-bit little-endian body size.
constexpr int64_t kChunkHeaderBytes = 8;

/// One chunk of a RIFF file. The size is 64-bit so that a size kept elsewhere in the file (as
/// 64-bit variants of the format do) can stand in for the 32-bit field.
struct RiffChunk {
    int64_t headerPos = 0; ///< file offset of the chunk's id
    int64_t size = 0;      ///< body bytes, as the header declares them
    int64_t BodyPos() const { return headerPos + kChunkHeaderBytes; }
    int64_t SizeFieldPos() const { return headerPos + 4; }
};

/// The chunks a WAV reader needs; each is missing when the walk did not meet it.
struct WavChunks {
    std::optional<RiffChunk> fmt;  ///< the first "fmt " chunk within the search limit
    std::optional<RiffChunk> data; ///< the first "data" chunk
};

/// The choices in which the program's readers differ on purpose.
struct ChunkWalkRules {
    /// A "fmt " chunk counts only when its header lies wholly before this offset (the analysis
    /// reader takes the format from the header it reads at once); -1: anywhere in the file.
    int64_t fmtSearchEnd = -1;
    /// This system's writers and its analysis reader step over a chunk by exactly 8 + size
    /// bytes; files from elsewhere pad an odd-sized chunk to an even size. When set, a
    /// position after an odd-sized chunk that holds no chunk id is tried one byte further on.
    bool padOddChunks = false;
};

/// Walks the chunks of a RIFF file from kFirstChunkPos until both the first "fmt " and the
/// first "data" chunk are known, or no further chunk header can be read (the end of the file,
/// a failed seek or read). Reads the file in blocks that grow up to buffer's size (at least 9
/// bytes), so a file with many small chunks costs few reads; the buffer's content is left
/// undefined.
WavChunks WalkRiffChunks(QIODevice& file, std::span<uint8_t> buffer, const ChunkWalkRules& rules);

} // namespace veskar

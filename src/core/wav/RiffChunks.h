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

inline uint64_t LeU64(const uint8_t* p) {
    return static_cast<uint64_t>(LeU32(p)) | (static_cast<uint64_t>(LeU32(p + 4)) << 32);
}

/// The 4 bytes a WAV file begins with: "RIFF", or "RF64" for files whose sizes need 64 bits
/// (the real sizes then stand in a "ds64" chunk and the 32-bit fields hold 0xFFFFFFFF).
bool IsRiffTag(const uint8_t* p);

/// A 32-bit chunk size that says "see elsewhere": the "ds64" size in RF64, or a size a
/// streaming writer never came back to fill in.
constexpr uint32_t kUnknownChunkSize = 0xFFFFFFFF;

/// Offset of the first chunk: after "RIFF", the RIFF size and "WAVE", which callers check.
constexpr int64_t kFirstChunkPos = 12;
/// A chunk header: the 4-byte id and the 32-bit little-endian body size.
constexpr int64_t kChunkHeaderBytes = 8;

/// One chunk of a RIFF file. The size is 64-bit so that a size kept elsewhere in the file (as
/// 64-bit variants of the format do) can stand in for the 32-bit field.
struct RiffChunk {
    int64_t headerPos = 0; ///< file offset of the chunk's id
    int64_t size = 0;      ///< body bytes, as the header (or an RF64 file's "ds64") declares them
    /// The size field held kUnknownChunkSize with no "ds64" size for it: the chunk runs to the
    /// end of the file, and size counts the bytes up to there.
    bool sizeToFileEnd = false;
    int64_t BodyPos() const { return headerPos + kChunkHeaderBytes; }
    int64_t SizeFieldPos() const { return headerPos + 4; }
};

/// The chunks a WAV reader needs; each is missing when the walk did not meet it.
struct WavChunks {
    std::optional<RiffChunk> fmt;  ///< the first "fmt " chunk within the search limit
    std::optional<RiffChunk> data; ///< the first "data" chunk
};

/// What a reader needs of a "fmt " block, with an extensible block (format tag 0xFFFE, at
/// least 40 bytes, an extension of at least 22) resolved to the format its sub-format GUID
/// names, when that is one of the standard tags.
struct FormatBlock {
    uint16_t formatTag = 0; ///< 1 for PCM, whether written plainly or as an extensible sub-format
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0; ///< the container width of a sample
    /// Significant bits when an extensible block says they are fewer than the container's
    /// (20-bit samples in 24-bit containers); 0 otherwise.
    uint16_t validBits = 0;

    /// Bytes of a sample's container: the bits rounded up to whole bytes.
    int BytesPerSample() const { return (bitsPerSample + 7) / 8; }
    /// Samples of 1 to 4 bytes (8 to 32 bits and the odd widths stored in them), at least one
    /// channel, and every channel's sample within the frame: a layout the program's readers
    /// read without reaching into the next frame.
    bool SamplesFitFrame() const {
        return BytesPerSample() >= 1 && BytesPerSample() <= 4 && channels >= 1 &&
               channels * BytesPerSample() <= blockAlign;
    }
};

/// Bytes of a "fmt " block of declaredSize bytes a reader must have to read it: the 16
/// standard ones, or 40 for an extensible block. fmt holds at least the 16 standard bytes.
int64_t FormatBlockBytes(const uint8_t* fmt, int64_t declaredSize);

/// Reads a "fmt " block of declaredSize bytes of which FormatBlockBytes are at fmt.
FormatBlock ReadFormatBlock(const uint8_t* fmt, int64_t declaredSize);

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
/// undefined. In an RF64 file a data size of kUnknownChunkSize is taken from its "ds64" chunk;
/// without one (and in any RIFF file) such a data chunk runs to the end of the file.
WavChunks WalkRiffChunks(QIODevice& file, std::span<uint8_t> buffer, const ChunkWalkRules& rules);

} // namespace veskar

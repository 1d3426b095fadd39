#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

namespace veskar::test {

/// Builds WAV files for tests: any chunk order, odd chunk sizes, LIST chunks, large `fmt `
/// blocks, any format tag, extensible headers, RF64, 8/16/24/32-bit, any channel count, and
/// sample patterns placed at exact frames. Sample values are given in the width's own signed
/// range (8-bit: -128..127, stored with the +128 offset; 16-bit: -32768..32767; 24-bit:
/// -8388608..8388607).
class WavBuilder {
public:
    WavBuilder(uint32_t sampleRate = 44100, uint16_t channels = 2, uint16_t bitsPerSample = 16);

    // --- the `fmt ` block -------------------------------------------------------------------
    WavBuilder& FormatTag(uint16_t tag);
    WavBuilder& BlockAlign(uint16_t blockAlign); ///< overrides channels × bytes per sample
    WavBuilder& SampleRate(uint32_t rate);
    WavBuilder& Channels(uint16_t channels);
    WavBuilder& Bits(uint16_t bits);
    /// Bytes appended after the 16 standard bytes (the chunk size grows with them).
    WavBuilder& FmtExtra(const QByteArray& extra);
    /// Declares this size in the chunk header and writes exactly that many payload bytes
    /// (padding the 16 standard bytes with zeros or cutting them short).
    WavBuilder& FmtSize(uint32_t size);
    /// An extensible block (tag 0xFFFE, 40 bytes, extension of 22): valid bits, speaker mask,
    /// and the sub-format GUID of the standard family with this format tag (1 PCM, 3 float).
    WavBuilder& Extensible(uint16_t validBits, uint32_t channelMask, uint16_t subFormat = 1);
    /// The header sox writes for samples over 16 bits or more than two channels: extensible
    /// with every bit valid and the speaker mask of the channel count, followed by a "fact"
    /// chunk holding the frame count.
    WavBuilder& SoxStyle();
    /// The header ffmpeg writes for them: the same extensible block, then a LIST/INFO chunk
    /// whose ISFT entry names the library ("Lavf59.27.100"), then data.
    WavBuilder& FfmpegStyle();

    // --- chunk order --------------------------------------------------------------------------
    /// Places the `fmt ` chunk here in the order (default: first).
    WavBuilder& PlaceFmt();
    /// Places the `data` chunk here in the order (default: last).
    WavBuilder& PlaceData();
    /// Adds any chunk here in the order; payload bytes are written as given (no pad byte, so an
    /// odd size shifts everything after it by exactly 8 + size).
    WavBuilder& Chunk(const QByteArray& id, const QByteArray& payload);
    /// A LIST chunk whose payload is `size` bytes.
    WavBuilder& List(uint32_t size);
    /// Declares this size for the data chunk instead of the real number of sample bytes.
    WavBuilder& DataSize(uint32_t declared);
    /// Overrides the 4-byte tags of the RIFF header ("RIFF", "WAVE").
    WavBuilder& RiffTags(const QByteArray& riff, const QByteArray& wave);
    /// Leaves out the data chunk entirely.
    WavBuilder& NoData();
    /// An RF64 file: "RF64" with a RIFF size of 0xFFFFFFFF, a "ds64" chunk first with the 64-bit
    /// RIFF size, data size (the samples' size unless declared) and frame count, and a data
    /// size field of 0xFFFFFFFF.
    WavBuilder& Rf64(std::optional<uint64_t> declaredDataSize = std::nullopt);

    // --- samples ------------------------------------------------------------------------------
    /// Appends frames whose channel c at frame f (counting from this call's first frame) has
    /// value(f, c).
    WavBuilder& Frames(int64_t count, const std::function<int32_t(int64_t, int)>& value);
    WavBuilder& Silence(int64_t frames);
    /// Every channel holds this value for the given frames.
    WavBuilder& Constant(int64_t frames, int32_t value);
    /// A sine of the given frequency and peak on every channel.
    WavBuilder& Sine(int64_t frames, double hz, int32_t peak);
    /// A square wave on every channel: +peak and -peak alternating every halfPeriod frames, so
    /// every frame's magnitude is exactly peak (a tone whose level is known to the sample).
    WavBuilder& Square(int64_t frames, int64_t halfPeriod, int32_t peak);
    /// Appends raw bytes to the data (for odd tails shorter than a frame).
    WavBuilder& RawData(const QByteArray& bytes);

    int64_t FrameCount() const;
    const QByteArray& Samples() const { return m_samples; }
    uint16_t FrameBytes() const;

    QByteArray Build() const;
    /// Writes the file; returns false when it cannot be written.
    bool Write(const QString& path) const;

private:
    enum class PieceKind { Fmt, Data, Raw, Fact };
    struct Piece {
        PieceKind kind;
        QByteArray id;
        QByteArray payload;
    };
    void AppendSample(int32_t value);
    QByteArray FmtPayload() const;

    uint16_t m_tag = 1;
    uint16_t m_channels;
    uint32_t m_rate;
    uint16_t m_bits;
    std::optional<uint16_t> m_blockAlign;
    QByteArray m_fmtExtra;
    std::optional<uint32_t> m_fmtSize;
    std::optional<uint32_t> m_dataSize;
    QByteArray m_riff = "RIFF";
    QByteArray m_wave = "WAVE";
    bool m_fmtPlaced = false;
    bool m_dataPlaced = false;
    bool m_noData = false;
    bool m_rf64 = false;
    std::optional<uint64_t> m_ds64DataSize;
    std::vector<Piece> m_pieces;
    QByteArray m_samples;
};

/// The little-endian number at offset, for checking bytes written by the engine.
uint32_t ReadU32(const QByteArray& bytes, int offset);

} // namespace veskar::test

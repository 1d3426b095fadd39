#pragma once

#include <cstdint>
#include <functional>

#include <QString>

namespace veskar {

/// Told the percentage of the piece copied after each block; false stops the writer, which then
/// deletes what it wrote and reports the stop.
using ChopProgress = std::function<bool(int percent)>;

/// The format a headerless (raw PCM) source is taken to have.
struct RawFormat {
    uint32_t sampleRate = 44100;
    uint16_t bitsPerSample = 16;
    uint16_t channels = 2;
};

/// The rates, bit widths and channel counts offered for raw conversion, in the order of their
/// menu items (the settings keep the item's index).
inline constexpr uint32_t kRawRates[] = {8000,  11025, 12000, 16000, 22050,
                                         24000, 32000, 44100, 48000};
inline constexpr uint16_t kRawBits[] = {8, 16};
inline constexpr uint16_t kRawChannels[] = {1, 2};
/// The format of the ticked items; an index out of range takes the default.
RawFormat RawFormatOfItems(int rateItem, int bitsItem, int channelsItem);

/// The message of a stopped writer.
QString ChopStoppedMessage();

/// `WritePiece`: writes outputPath from the source's bytes before its sample data, unchanged,
/// and length sample bytes from the source's file offset position; the RIFF and `data` sizes
/// are then set for the piece. Returns an empty text on success, else the message to show
/// (site code "BG"). The piece is written under a temporary name and gets outputPath only when
/// complete; an existing file is never replaced, and a failed or stopped piece leaves nothing.
QString WritePiece(const QString& sourcePath, const QString& outputPath, int64_t position,
                   int64_t length, const ChopProgress& progress = {});

/// `WriteRange`: writes the source's samples from startMs to endMs (both -1: all of them) into
/// outputPath, after the source's header up to the end of its `fmt ` chunk and a new `data`
/// chunk header. A source without a valid WAV header is taken as raw PCM of the given format:
/// all of its whole frames after a 46-byte header, whatever the times. Result and writing as
/// for WritePiece (site code "RV").
QString WriteRange(const QString& sourcePath, const QString& outputPath, int64_t startMs,
                   int64_t endMs, const RawFormat& raw, const ChopProgress& progress = {});

} // namespace veskar

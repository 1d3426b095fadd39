#pragma once

#include <cstdint>

#include <QByteArray>

#include "platform/PcmRangeReader.h"

namespace veskar {

/// The sample types a sound output takes. File samples are widened or narrowed to one of them.
enum class SinkSample { UInt8, Int16, Int32 };

/// What the output is fed: sample type and channel count.
struct SinkLayout {
    SinkSample sample = SinkSample::Int16;
    int channels = 2;
    bool operator==(const SinkLayout&) const = default;
};

int SinkBytesPerFrame(const SinkLayout& sink);

/// The sink layout that keeps a file's samples unchanged: 8-bit stays unsigned 8-bit, 16-bit
/// stays 16-bit, 24- and 32-bit samples go as 32-bit (24-bit shifted into the high bytes).
SinkLayout NativeSinkLayout(const PcmLayout& file);

/// Converts `frames` frames of file bytes (blockAlign apart) into the sink's samples. Sink
/// channel c takes file channel c; a sink with more channels than the file repeats the file's
/// last channel, one with fewer drops the file's later channels. Narrowing keeps the high bits.
QByteArray ConvertFrames(const char* in, int64_t frames, const PcmLayout& file,
                         const SinkLayout& sink);

/// `frames` frames of silence for the sink (0x80 for unsigned 8-bit, zero otherwise).
QByteArray SilenceFrames(int64_t frames, const SinkLayout& sink);

} // namespace veskar

#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/wav/WavInfo.h"

namespace veskar {

/// How the analysis reads a frame: the first channel's sample, and the second's when there is
/// one; 8-bit samples are unsigned around 128, wider ones are signed little-endian.
struct FrameLayout {
    int blockAlign = 0;
    int bytesPerSample = 0;
    int channels = 0;

    static FrameLayout Of(const WavInfo& info) {
        return {info.blockAlign, info.bytesPerSample, info.channels};
    }
};

/// The 16-bit value of one sample. Samples wider than 16 bits are read by their two most
/// significant bytes, so 24- and 32-bit recordings are measured on the same scale as 16-bit
/// ones (their low bytes alone would read as noise).
inline int SampleValue(const uint8_t* sample, int bytesPerSample) {
    if (bytesPerSample == 1) {
        return static_cast<int>(sample[0]) - 128;
    }
    const uint8_t* top = sample + bytesPerSample - 2;
    return static_cast<int16_t>(static_cast<uint16_t>(top[0] | (top[1] << 8)));
}

/// The magnitude of a frame: the larger absolute value of its first two channels, 0..32,768
/// (0..128 for 8-bit data). This is the plain definition every fast path is tested against.
inline int FrameMagnitude(const uint8_t* frame, const FrameLayout& layout) {
    int p = std::abs(SampleValue(frame, layout.bytesPerSample));
    if (layout.channels >= 2) {
        p = std::max(p,
                     std::abs(SampleValue(frame + layout.bytesPerSample, layout.bytesPerSample)));
    }
    return p;
}

/// Instruction sets the block kernels below may use. The widest one the processor has is
/// chosen at the first call.
enum class SimdLevel { Scalar, Sse2, Avx2 };

SimdLevel ActiveSimdLevel();
/// Keeps the kernels at or below limit (and at what the processor has), so tests can hold every
/// level against the plain definitions; returns the level now active.
SimdLevel LimitSimdLevel(SimdLevel limit);

/// out[i] = FrameMagnitude of frame i, for count frames: vectorised for the common layouts
/// (8- and 16-bit, mono and stereo, packed), frame by frame otherwise.
void BlockMagnitudes(const uint8_t* frames, int64_t count, const FrameLayout& layout,
                     uint16_t* out);

/// The largest of count magnitudes; -1 when count is 0.
int MaxMagnitude(const uint16_t* magnitudes, int64_t count);

/// For words × 64 magnitudes: bit i of out[w] is set when magnitudes[64 w + i] < level.
void QuietMasks(const uint16_t* magnitudes, int64_t words, int32_t level, uint64_t* out);

/// Index of the first magnitude equal to value, or count.
int64_t FindMagnitude(const uint16_t* magnitudes, int64_t count, int value);

/// The overall peak of a run and its frame; the first frame that reaches the maximum wins.
struct PeakTracker {
    int peak = -1;
    int64_t frame = 0;

    void Add(int p, int64_t f) {
        if (p > peak) {
            peak = p;
            frame = f;
        }
    }
    void AddBlock(const uint16_t* magnitudes, int64_t count, int64_t firstFrame) {
        const int top = MaxMagnitude(magnitudes, count);
        if (top > peak) {
            peak = top;
            frame = firstFrame + FindMagnitude(magnitudes, count, top);
        }
    }
};

/// Frames per chunk when a block is turned into magnitudes: small enough to stay in the first
/// level cache while every counter runs over it.
constexpr int64_t kMagnitudeChunk = 4096;

/// Turns count frames into magnitudes chunk by chunk (buffer holds kMagnitudeChunk values) and
/// hands each chunk to fn(magnitudes, n, indexOfFirstFrame).
template <typename ChunkFn>
void ForEachMagnitudeChunk(const uint8_t* frames, int64_t count, int64_t firstFrame,
                           const FrameLayout& layout, uint16_t* buffer, ChunkFn&& fn) {
    for (int64_t done = 0; done < count; done += kMagnitudeChunk) {
        const int64_t n = std::min(kMagnitudeChunk, count - done);
        BlockMagnitudes(frames + done * layout.blockAlign, n, layout, buffer);
        fn(static_cast<const uint16_t*>(buffer), n, firstFrame + done);
    }
}

} // namespace veskar

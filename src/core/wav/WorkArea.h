#pragma once

#include <cstdint>
#include <memory>

namespace veskar {

/// Sizes of the buffers every routine of the WAV family allocates for one run.
constexpr int kLargeWorkArea = 655300;
constexpr int kSmallWorkArea = 32700;
constexpr int kHeaderBufferSize = 4096;

/// Bytes kept zeroed after the bytes of each read: a sample read at a frame's first byte may
/// reach past a frame whose declared block align is smaller than its samples, and must never
/// reach past the buffer.
constexpr int kWorkAreaSlack = 16;

struct WorkAreaProbe {
    int size = 0;        ///< bytes; 0 when failed
    bool failed = false; ///< neither size could be had
};

/// Tries to obtain (and release again) the large work area, then the small one. Shortness of
/// memory shows as a failed allocation, or as a size above the limit set below.
WorkAreaProbe ProbeWorkArea();

/// The largest work area ProbeWorkArea may obtain, so tests can run the small-memory road; a
/// negative value (the default) means no limit beyond what the allocator gives.
void SetWorkAreaLimit(int64_t bytes);
int64_t WorkAreaLimit();

/// Allocates a work area of the given size plus its zeroed slack; nullptr when memory is short.
std::unique_ptr<uint8_t[]> AllocateWorkArea(int size);

} // namespace veskar

#pragma once

// The vectorised kernels behind BlockMagnitudes, MaxMagnitude and QuietMasks, one set per
// instruction set. Only FrameMagnitude.cpp calls them, after choosing the set.
#include <cstdint>

namespace veskar::kernels {

/// The level compared as a signed 16-bit value with the top bit flipped; levels above any
/// magnitude are clamped to 32,769 (every frame quiet), levels of 0 or less to 0 (none).
inline int16_t BiasedLevel(int32_t level) {
    const int32_t clamped = level < 0 ? 0 : (level > 32769 ? 32769 : level);
    return static_cast<int16_t>(static_cast<uint16_t>(clamped) ^ 0x8000);
}

void Stereo16Sse2(const uint8_t* in, int64_t count, uint16_t* out);
void Mono16Sse2(const uint8_t* in, int64_t count, uint16_t* out);
void Stereo8Sse2(const uint8_t* in, int64_t count, uint16_t* out);
void Mono8Sse2(const uint8_t* in, int64_t count, uint16_t* out);
int MaxSse2(const uint16_t* magnitudes, int64_t count);
void QuietMasksSse2(const uint16_t* magnitudes, int64_t words, int32_t level, uint64_t* out);

bool HaveAvx2();
void Stereo16Avx2(const uint8_t* in, int64_t count, uint16_t* out);
void Mono16Avx2(const uint8_t* in, int64_t count, uint16_t* out);
void Stereo8Avx2(const uint8_t* in, int64_t count, uint16_t* out);
void Mono8Avx2(const uint8_t* in, int64_t count, uint16_t* out);
int MaxAvx2(const uint16_t* magnitudes, int64_t count);
void QuietMasksAvx2(const uint16_t* magnitudes, int64_t words, int32_t level, uint64_t* out);

} // namespace veskar::kernels

// AVX2 versions of the magnitude kernels, compiled for that instruction set function by
// function and used only when the processor reports it.
#include "core/wav/FrameMagnitude.h"
#include "core/wav/MagnitudeKernels.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define PIRVAN_AVX2 1
#include <immintrin.h>
#define AVX2_FN __attribute__((target("avx2")))
#endif

namespace veskar::kernels {

#if defined(PIRVAN_AVX2)

namespace {

AVX2_FN inline __m256i Load(const void* p) {
    return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}

AVX2_FN inline void Store(void* p, __m256i v) {
    _mm256_storeu_si256(static_cast<__m256i*>(p), v);
}

// |b - 128| of unsigned bytes.
AVX2_FN inline __m256i Abs8(__m256i v) {
    const __m256i centre = _mm256_set1_epi8(static_cast<char>(0x80));
    return _mm256_or_si256(_mm256_subs_epu8(v, centre), _mm256_subs_epu8(centre, v));
}

// The 32-bit lanes of two vectors, each holding a magnitude in its low half, packed in order.
AVX2_FN inline __m256i PackLanes(__m256i a, __m256i b) {
    return _mm256_permute4x64_epi64(_mm256_packus_epi32(a, b), 0xD8);
}

} // namespace

bool HaveAvx2() {
    return __builtin_cpu_supports("avx2");
}

AVX2_FN void Stereo16Avx2(const uint8_t* in, int64_t count, uint16_t* out) {
    int64_t i = 0;
    const __m256i low16 = _mm256_set1_epi32(0xFFFF);
    // abs of -32768 is 0x8000, which read unsigned is the right 32,768.
    auto pairMax = [low16](__m256i v) AVX2_FN {
        const __m256i a = _mm256_abs_epi16(v);
        return _mm256_and_si256(_mm256_max_epu16(a, _mm256_srli_epi32(a, 16)), low16);
    };
    for (; i + 16 <= count; i += 16) {
        Store(out + i, PackLanes(pairMax(Load(in + 4 * i)), pairMax(Load(in + 4 * i + 32))));
    }
    Stereo16Sse2(in + 4 * i, count - i, out + i);
}

AVX2_FN void Mono16Avx2(const uint8_t* in, int64_t count, uint16_t* out) {
    int64_t i = 0;
    for (; i + 16 <= count; i += 16) {
        Store(out + i, _mm256_abs_epi16(Load(in + 2 * i)));
    }
    Mono16Sse2(in + 2 * i, count - i, out + i);
}

AVX2_FN void Stereo8Avx2(const uint8_t* in, int64_t count, uint16_t* out) {
    int64_t i = 0;
    const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
    for (; i + 16 <= count; i += 16) {
        const __m256i m = Abs8(Load(in + 2 * i));
        Store(out + i, _mm256_and_si256(_mm256_max_epu8(m, _mm256_srli_epi16(m, 8)), lowBytes));
    }
    Stereo8Sse2(in + 2 * i, count - i, out + i);
}

AVX2_FN void Mono8Avx2(const uint8_t* in, int64_t count, uint16_t* out) {
    int64_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i m = Abs8(Load(in + i));
        Store(out + i, _mm256_cvtepu8_epi16(_mm256_castsi256_si128(m)));
        Store(out + i + 16, _mm256_cvtepu8_epi16(_mm256_extracti128_si256(m, 1)));
    }
    Mono8Sse2(in + i, count - i, out + i);
}

AVX2_FN int MaxAvx2(const uint16_t* magnitudes, int64_t count) {
    int64_t i = 0;
    int top = 0;
    if (count >= 16) {
        __m256i best = _mm256_setzero_si256();
        for (; i + 16 <= count; i += 16) {
            best = _mm256_max_epu16(best, Load(magnitudes + i));
        }
        __m128i half =
            _mm_max_epu16(_mm256_castsi256_si128(best), _mm256_extracti128_si256(best, 1));
        // The largest is the smallest of the complements.
        half = _mm_minpos_epu16(_mm_xor_si128(half, _mm_set1_epi16(-1)));
        top = 0xFFFF - (_mm_cvtsi128_si32(half) & 0xFFFF);
    }
    return std::max(top, MaxSse2(magnitudes + i, count - i));
}

AVX2_FN void QuietMasksAvx2(const uint16_t* magnitudes, int64_t words, int32_t level,
                            uint64_t* out) {
    const __m256i bias = _mm256_set1_epi16(static_cast<short>(0x8000));
    const __m256i biasedLevel = _mm256_set1_epi16(BiasedLevel(level));
    auto quiet32 = [&](const uint16_t* p) AVX2_FN {
        const __m256i a = _mm256_xor_si256(Load(p), bias);
        const __m256i b = _mm256_xor_si256(Load(p + 16), bias);
        const __m256i packed = _mm256_packs_epi16(_mm256_cmpgt_epi16(biasedLevel, a),
                                                  _mm256_cmpgt_epi16(biasedLevel, b));
        return static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_permute4x64_epi64(packed, 0xD8)));
    };
    for (int64_t w = 0; w < words; ++w) {
        const uint16_t* p = magnitudes + 64 * w;
        out[w] = quiet32(p) | (static_cast<uint64_t>(quiet32(p + 32)) << 32);
    }
}

#else

bool HaveAvx2() {
    return false;
}
void Stereo16Avx2(const uint8_t* in, int64_t count, uint16_t* out) {
    Stereo16Sse2(in, count, out);
}
void Mono16Avx2(const uint8_t* in, int64_t count, uint16_t* out) {
    Mono16Sse2(in, count, out);
}
void Stereo8Avx2(const uint8_t* in, int64_t count, uint16_t* out) {
    Stereo8Sse2(in, count, out);
}
void Mono8Avx2(const uint8_t* in, int64_t count, uint16_t* out) {
    Mono8Sse2(in, count, out);
}
int MaxAvx2(const uint16_t* magnitudes, int64_t count) {
    return MaxSse2(magnitudes, count);
}
void QuietMasksAvx2(const uint16_t* magnitudes, int64_t words, int32_t level, uint64_t* out) {
    QuietMasksSse2(magnitudes, words, level, out);
}

#endif

} // namespace veskar::kernels

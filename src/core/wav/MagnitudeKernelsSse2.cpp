// SSE2 (every x86-64 processor has it) versions of the magnitude kernels. Unsigned 16-bit
// values are compared as signed ones with the top bit flipped, as SSE2 has no unsigned 16-bit
// compare or maximum.
#include <algorithm>

#include "core/wav/FrameMagnitude.h"
#include "core/wav/MagnitudeKernels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veskar::kernels {

namespace {

template <int BlockAlign, int BytesPerSample, int Channels>
void Tail(const uint8_t* in, int64_t from, int64_t count, uint16_t* out) {
    const FrameLayout layout{BlockAlign, BytesPerSample, Channels};
    for (int64_t i = from; i < count; ++i) {
        out[i] = static_cast<uint16_t>(FrameMagnitude(in + i * BlockAlign, layout));
    }
}

#if defined(__SSE2__)
inline __m128i Bias() {
    return _mm_set1_epi16(static_cast<short>(0x8000));
}

inline __m128i Load(const void* p) {
    return _mm_loadu_si128(static_cast<const __m128i*>(p));
}

inline void Store(void* p, __m128i v) {
    _mm_storeu_si128(static_cast<__m128i*>(p), v);
}

// |v| of eight signed 16-bit samples as unsigned values (-32768 gives 32768).
inline __m128i Abs16(__m128i v) {
    const __m128i sign = _mm_srai_epi16(v, 15);
    return _mm_sub_epi16(_mm_xor_si128(v, sign), sign);
}

// |b - 128| of sixteen unsigned bytes.
inline __m128i Abs8(__m128i v) {
    const __m128i centre = _mm_set1_epi8(static_cast<char>(0x80));
    return _mm_or_si128(_mm_subs_epu8(v, centre), _mm_subs_epu8(centre, v));
}
#endif

} // namespace

void Stereo16Sse2(const uint8_t* in, int64_t count, uint16_t* out) {
    int64_t i = 0;
#if defined(__SSE2__)
    const __m128i bias = Bias();
    // Four frames per vector: the larger magnitude of each pair ends up in both halves of its
    // 32-bit lane, is sign-extended (still biased) and packed back to 16 bits.
    auto pairMax = [bias](__m128i v) {
        const __m128i biased = _mm_xor_si128(Abs16(v), bias);
        const __m128i swapped = _mm_shufflehi_epi16(_mm_shufflelo_epi16(biased, 0xB1), 0xB1);
        return _mm_srai_epi32(_mm_max_epi16(biased, swapped), 16);
    };
    for (; i + 8 <= count; i += 8) {
        const __m128i low = pairMax(Load(in + 4 * i));
        const __m128i high = pairMax(Load(in + 4 * i + 16));
        Store(out + i, _mm_xor_si128(_mm_packs_epi32(low, high), bias));
    }
#endif
    Tail<4, 2, 2>(in, i, count, out);
}

void Mono16Sse2(const uint8_t* in, int64_t count, uint16_t* out) {
    int64_t i = 0;
#if defined(__SSE2__)
    for (; i + 8 <= count; i += 8) {
        Store(out + i, Abs16(Load(in + 2 * i)));
    }
#endif
    Tail<2, 2, 1>(in, i, count, out);
}

void Stereo8Sse2(const uint8_t* in, int64_t count, uint16_t* out) {
    int64_t i = 0;
#if defined(__SSE2__)
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    for (; i + 8 <= count; i += 8) {
        const __m128i m = Abs8(Load(in + 2 * i));
        Store(out + i, _mm_and_si128(_mm_max_epu8(m, _mm_srli_epi16(m, 8)), lowBytes));
    }
#endif
    Tail<2, 1, 2>(in, i, count, out);
}

void Mono8Sse2(const uint8_t* in, int64_t count, uint16_t* out) {
    int64_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= count; i += 16) {
        const __m128i m = Abs8(Load(in + i));
        Store(out + i, _mm_unpacklo_epi8(m, zero));
        Store(out + i + 8, _mm_unpackhi_epi8(m, zero));
    }
#endif
    Tail<1, 1, 1>(in, i, count, out);
}

int MaxSse2(const uint16_t* magnitudes, int64_t count) {
    int64_t i = 0;
    int top = 0;
#if defined(__SSE2__)
    if (count >= 8) {
        const __m128i bias = Bias();
        __m128i best = _mm_set1_epi16(static_cast<short>(-32768));
        for (; i + 8 <= count; i += 8) {
            best = _mm_max_epi16(best, _mm_xor_si128(Load(magnitudes + i), bias));
        }
        best = _mm_max_epi16(best, _mm_srli_si128(best, 8));
        best = _mm_max_epi16(best, _mm_srli_si128(best, 4));
        best = _mm_max_epi16(best, _mm_srli_si128(best, 2));
        top = (_mm_cvtsi128_si32(best) & 0xFFFF) ^ 0x8000;
    }
#endif
    for (; i < count; ++i) {
        top = std::max<int>(top, magnitudes[i]);
    }
    return top;
}

void QuietMasksSse2(const uint16_t* magnitudes, int64_t words, int32_t level, uint64_t* out) {
#if defined(__SSE2__)
    const __m128i bias = Bias();
    const __m128i biasedLevel = _mm_set1_epi16(BiasedLevel(level));
    for (int64_t w = 0; w < words; ++w) {
        const uint16_t* p = magnitudes + 64 * w;
        uint64_t mask = 0;
        for (int j = 0; j < 4; ++j) {
            const __m128i a = _mm_xor_si128(Load(p + 16 * j), bias);
            const __m128i b = _mm_xor_si128(Load(p + 16 * j + 8), bias);
            const __m128i quiet =
                _mm_packs_epi16(_mm_cmplt_epi16(a, biasedLevel), _mm_cmplt_epi16(b, biasedLevel));
            mask |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(quiet)))
                    << (16 * j);
        }
        out[w] = mask;
    }
#else
    for (int64_t w = 0; w < words; ++w) {
        uint64_t mask = 0;
        for (int i = 0; i < 64; ++i) {
            mask |= static_cast<uint64_t>(magnitudes[64 * w + i] < level) << i;
        }
        out[w] = mask;
    }
#endif
}

} // namespace veskar::kernels

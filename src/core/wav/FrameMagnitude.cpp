#include "core/wav/FrameMagnitude.h"

#include <atomic>

#include "core/wav/MagnitudeKernels.h"

namespace veskar {

namespace {

SimdLevel Supported() {
#if defined(__x86_64__) || defined(__i386__)
    if (kernels::HaveAvx2()) {
        return SimdLevel::Avx2;
    }
#endif
#if defined(__SSE2__)
    return SimdLevel::Sse2;
#else
    return SimdLevel::Scalar;
#endif
}

std::atomic<SimdLevel>& Active() {
    static std::atomic<SimdLevel> level{Supported()};
    return level;
}

template <int BlockAlign, int BytesPerSample, int Channels>
void ScalarFrames(const uint8_t* in, int64_t count, uint16_t* out) {
    const FrameLayout layout{BlockAlign, BytesPerSample, Channels};
    for (int64_t i = 0; i < count; ++i) {
        out[i] = static_cast<uint16_t>(FrameMagnitude(in + i * BlockAlign, layout));
    }
}

using Kernel = void (*)(const uint8_t*, int64_t, uint16_t*);

struct LayoutKernels {
    Kernel scalar;
    Kernel sse2;
    Kernel avx2;
};

Kernel Pick(const LayoutKernels& k) {
    switch (ActiveSimdLevel()) {
    case SimdLevel::Avx2:
        return k.avx2;
    case SimdLevel::Sse2:
        return k.sse2;
    case SimdLevel::Scalar:
        break;
    }
    return k.scalar;
}

constexpr LayoutKernels kStereo16{ScalarFrames<4, 2, 2>, kernels::Stereo16Sse2,
                                  kernels::Stereo16Avx2};
constexpr LayoutKernels kMono16{ScalarFrames<2, 2, 1>, kernels::Mono16Sse2, kernels::Mono16Avx2};
constexpr LayoutKernels kStereo8{ScalarFrames<2, 1, 2>, kernels::Stereo8Sse2, kernels::Stereo8Avx2};
constexpr LayoutKernels kMono8{ScalarFrames<1, 1, 1>, kernels::Mono8Sse2, kernels::Mono8Avx2};

} // namespace

SimdLevel ActiveSimdLevel() {
    return Active().load(std::memory_order_relaxed);
}

SimdLevel LimitSimdLevel(SimdLevel limit) {
    const SimdLevel level = std::min(limit, Supported());
    Active().store(level);
    return level;
}

void BlockMagnitudes(const uint8_t* frames, int64_t count, const FrameLayout& layout,
                     uint16_t* out) {
    const int bps = layout.bytesPerSample;
    const bool stereo = layout.channels >= 2;
    if (bps == 2 && stereo && layout.blockAlign == 4) {
        Pick(kStereo16)(frames, count, out);
    } else if (bps == 2 && !stereo && layout.blockAlign == 2) {
        Pick(kMono16)(frames, count, out);
    } else if (bps == 1 && stereo && layout.blockAlign == 2) {
        Pick(kStereo8)(frames, count, out);
    } else if (bps == 1 && !stereo && layout.blockAlign == 1) {
        Pick(kMono8)(frames, count, out);
    } else {
        for (int64_t i = 0; i < count; ++i) {
            out[i] = static_cast<uint16_t>(FrameMagnitude(frames + i * layout.blockAlign, layout));
        }
    }
}

int MaxMagnitude(const uint16_t* magnitudes, int64_t count) {
    if (count <= 0) {
        return -1;
    }
    switch (ActiveSimdLevel()) {
    case SimdLevel::Avx2:
        return kernels::MaxAvx2(magnitudes, count);
    case SimdLevel::Sse2:
        return kernels::MaxSse2(magnitudes, count);
    case SimdLevel::Scalar:
        break;
    }
    int top = 0;
    for (int64_t i = 0; i < count; ++i) {
        top = std::max<int>(top, magnitudes[i]);
    }
    return top;
}

void QuietMasks(const uint16_t* magnitudes, int64_t words, int32_t level, uint64_t* out) {
    switch (ActiveSimdLevel()) {
    case SimdLevel::Avx2:
        kernels::QuietMasksAvx2(magnitudes, words, level, out);
        return;
    case SimdLevel::Sse2:
        kernels::QuietMasksSse2(magnitudes, words, level, out);
        return;
    case SimdLevel::Scalar:
        break;
    }
    for (int64_t w = 0; w < words; ++w) {
        uint64_t mask = 0;
        for (int i = 0; i < 64; ++i) {
            mask |= static_cast<uint64_t>(magnitudes[64 * w + i] < level) << i;
        }
        out[w] = mask;
    }
}

int64_t FindMagnitude(const uint16_t* magnitudes, int64_t count, int value) {
    for (int64_t i = 0; i < count; ++i) {
        if (magnitudes[i] == value) {
            return i;
        }
    }
    return count;
}

} // namespace veskar

// The analysis runs over small files of any content with any settings: the equal-interval peak
// run and the silence detection must give exactly what their plain frame-by-frame definitions
// give (the block kernels are held against them), the list level and range peak runs must stay
// inside their buffers. The settings come from the input's last bytes, so a plain WAV file is a
// seed as it is.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <vector>

#include "FuzzSupport.h"
#include "core/wav/FrameMagnitude.h"
#include "core/wav/IntervalPeaks.h"
#include "core/wav/RangePeak.h"
#include "core/wav/SilenceDetector.h"
#include "core/wav/SlotLevels.h"
#include "core/wav/WorkArea.h"

namespace veskar::fuzz {
namespace {

// The frames of a validated file one at a time, as the plain definitions take them.
template <typename FrameFn> bool EachFrame(OpenWavFile& wav, WavRoutine routine, FrameFn fn) {
    const FrameLayout layout = FrameLayout::Of(wav.info);
    return ReadDataBlocks(wav, {}, routine,
                          ForEachFrame(layout.blockAlign,
                                       [&](auto p, auto f) { fn(FrameMagnitude(p, layout), f); }))
        .isEmpty();
}

void IntervalPeaksMatchTheirDefinition(const QString& path) {
    IntervalPeaks fast;
    if (!MeasureIntervalPeaks(path, {}, fast).isEmpty()) {
        return;
    }
    OpenWavFile wav;
    FUZZ_CHECK(ValidateWavHeader(path, WavRoutine::IntervalPeaks, wav).isEmpty());
    IntervalPeakCounter plain(wav.info.sampleRate);
    FUZZ_CHECK(
        EachFrame(wav, WavRoutine::IntervalPeaks, [&](int p, int64_t f) { plain.AddFrame(p, f); }));
    plain.Finish();
    FUZZ_CHECK(fast.lists == plain.Result().lists);
    FUZZ_CHECK(fast.peak == plain.Result().peak && fast.peakFrame == plain.Result().peakFrame);
    FUZZ_CHECK(fast.peak <= 32768);
}

void SilencesMatchTheirDefinition(const QString& path, const SilenceSettings& given) {
    SilenceSettings settings = given;
    SilenceResult fast;
    if (!DetectSilences(path, settings, QStringLiteral("1"), {}, fast).isEmpty()) {
        return;
    }
    OpenWavFile wav;
    FUZZ_CHECK(ValidateWavHeader(path, WavRoutine::SilenceDetection, wav).isEmpty());
    SilenceDetector plain(ChannelsOf(settings, wav.info.sampleRate), RecognitionOf(settings),
                          wav.info.samplesPerMs, QStringLiteral("1"));
    int64_t frames = 0;
    FUZZ_CHECK(EachFrame(wav, WavRoutine::SilenceDetection, [&](int p, int64_t f) {
        plain.AddFrame(p, f);
        frames = f + 1;
    }));
    plain.Finish(frames);
    for (int k = 0; k < kSilenceChannels; ++k) {
        const SilenceList& a = fast.lists[static_cast<size_t>(k)];
        const SilenceList& b = plain.Result().lists[static_cast<size_t>(k)];
        FUZZ_CHECK(a.timesMs == b.timesMs && a.marks == b.marks && a.full == b.full);
    }
    FUZZ_CHECK(fast.peak == plain.Result().peak && fast.peakFrame == plain.Result().peakFrame);
}

} // namespace
} // namespace veskar::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veskar;
    FuzzedDataProvider input(data, size);
    // Settings from the end of the input; what is left in front is the file.
    SetWorkAreaLimit(input.ConsumeBool() ? kSmallWorkArea : -1);
    SilenceSettings settings;
    settings.recognition = QString::number(input.ConsumeIntegral<int32_t>());
    for (int k = 0; k < kSilenceChannels; ++k) {
        settings.durations[static_cast<size_t>(k)] =
            QString::number(input.ConsumeIntegralInRange<int32_t>(-10, 3000));
        settings.levels[static_cast<size_t>(k)] = QString::number(input.ConsumeIntegral<int32_t>());
    }
    static constexpr std::array<int, 6> kSlots{1, 10, 100, 1000, 10000, 60000};
    const int slotMs = kSlots[input.ConsumeIntegralInRange<size_t>(0, kSlots.size() - 1)];
    const int entries = input.ConsumeIntegralInRange<int>(0, SlotTableSize(slotMs) + 2);
    const int64_t startMs = input.ConsumeIntegralInRange<int64_t>(0, 200000);
    const int64_t rangeStart = input.ConsumeIntegralInRange<int64_t>(0, 200000);
    const int64_t rangeEnd = input.ConsumeIntegralInRange<int64_t>(0, 200000);
    const std::vector<uint8_t> file = input.ConsumeRemainingBytes<uint8_t>();
    const QString path = fuzz::WriteInputFile(file.data(), file.size());

    fuzz::IntervalPeaksMatchTheirDefinition(path);
    fuzz::SilencesMatchTheirDefinition(path, settings);
    std::vector<int32_t> table;
    if (MeasureSlotLevels(path, slotMs, entries, startMs, {}, table).isEmpty()) {
        FUZZ_CHECK(static_cast<int>(table.size()) == SlotTableSize(slotMs));
    }
    int64_t peak = -1;
    if (MeasureRangePeak(path, rangeStart, rangeEnd, nullptr, peak).isEmpty()) {
        FUZZ_CHECK(peak >= 0 && peak <= 32768);
    }
    return 0;
}

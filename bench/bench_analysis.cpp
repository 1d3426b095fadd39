// Throughput of the analysis hot loops on in-memory data (no file reading): frame magnitudes,
// the silence detector (fast path and the plain reference path) and the interval peak cascade.
// Run: build/bench/bench_analysis [--benchmark_filter=...]
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "core/wav/FrameMagnitude.h"
#include "core/wav/IntervalPeaks.h"
#include "core/wav/SilenceDetector.h"

namespace {

using namespace veskar;

constexpr int64_t kFrames = 44100 * 3; // one analysis block of CD audio

// Noise-like 16-bit stereo with an envelope that dips into near-silence now and then, so the
// detector sees quiet runs of every length.
const std::vector<uint8_t>& Stereo16Block() {
    static const std::vector<uint8_t> data = [] {
        std::vector<uint8_t> bytes(kFrames * 4);
        std::mt19937 random(7);
        std::normal_distribution<double> noise(0.0, 1.0);
        for (int64_t f = 0; f < kFrames; ++f) {
            const double envelope = (f / 4410) % 7 == 3 ? 20.0 : 9000.0;
            for (int c = 0; c < 2; ++c) {
                const auto v =
                    static_cast<int16_t>(std::clamp(noise(random) * envelope, -32768.0, 32767.0));
                bytes[4 * f + 2 * c] = static_cast<uint8_t>(v & 0xFF);
                bytes[4 * f + 2 * c + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
            }
        }
        return bytes;
    }();
    return data;
}

std::array<SilenceChannel, kSilenceChannels> DefaultChannels() {
    SilenceSettings settings = DefaultSilenceSettings(SampleFamily::Bits16);
    return ChannelsOf(settings, 44100);
}

void BM_Magnitudes16Stereo(benchmark::State& state) {
    const auto& block = Stereo16Block();
    std::vector<uint16_t> out(kMagnitudeChunk);
    const FrameLayout layout{4, 2, 2};
    for (auto _ : state) {
        for (int64_t done = 0; done + kMagnitudeChunk <= kFrames; done += kMagnitudeChunk) {
            BlockMagnitudes(block.data() + 4 * done, kMagnitudeChunk, layout, out.data());
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * (kFrames / kMagnitudeChunk) * kMagnitudeChunk);
}
BENCHMARK(BM_Magnitudes16Stereo);

void BM_SilenceDetectorFast(benchmark::State& state) {
    const auto& block = Stereo16Block();
    std::vector<uint16_t> mags(kMagnitudeChunk);
    const FrameLayout layout{4, 2, 2};
    for (auto _ : state) {
        SilenceDetector detector(DefaultChannels(), 500, 44.1, "1");
        ForEachMagnitudeChunk(
            block.data(), kFrames, 0, layout, mags.data(),
            [&](const uint16_t* p, int64_t n, int64_t f) { detector.AddMagnitudes(p, n, f); });
        detector.Finish(kFrames);
        benchmark::DoNotOptimize(detector.Result().lists[0].timesMs.data());
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_SilenceDetectorFast);

void BM_SilenceDetectorReference(benchmark::State& state) {
    const auto& block = Stereo16Block();
    const FrameLayout layout{4, 2, 2};
    for (auto _ : state) {
        SilenceDetector detector(DefaultChannels(), 500, 44.1, "1");
        for (int64_t f = 0; f < kFrames; ++f) {
            detector.AddFrame(FrameMagnitude(block.data() + 4 * f, layout), f);
        }
        detector.Finish(kFrames);
        benchmark::DoNotOptimize(detector.Result().lists[0].timesMs.data());
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_SilenceDetectorReference);

void BM_IntervalPeaksFast(benchmark::State& state) {
    const auto& block = Stereo16Block();
    std::vector<uint16_t> mags(kMagnitudeChunk);
    const FrameLayout layout{4, 2, 2};
    for (auto _ : state) {
        IntervalPeakCounter counter(44100);
        ForEachMagnitudeChunk(
            block.data(), kFrames, 0, layout, mags.data(),
            [&](const uint16_t* p, int64_t n, int64_t f) { counter.AddMagnitudes(p, n, f); });
        counter.Finish();
        benchmark::DoNotOptimize(counter.Result().lists[0].data());
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_IntervalPeaksFast);

} // namespace

BENCHMARK_MAIN();

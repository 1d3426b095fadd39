#include "support/AnalysisRecordings.h"

#include <functional>

namespace veskar::test {

WavBuilder StretchRecording(std::initializer_list<std::pair<int64_t, int32_t>> stretches,
                            uint16_t bits) {
    WavBuilder builder(kAnalysisRate, 1, bits);
    for (const auto& [ms, magnitude] : stretches) {
        builder.Square(ms * kAnalysisRate / 1000, 10, magnitude);
    }
    return builder;
}

WavBuilder SongsRecording() {
    return StretchRecording({{3000, 20000},
                             {1000, 0},
                             {5000, 20000},
                             {400, 300},
                             {4600, 31000},
                             {2000, 0},
                             {4000, 20000}});
}

WavBuilder LongRecording() {
    return StretchRecording({{3000, 20000}, {1000, 0}, {46000, 20000}, {1000, 0}, {49000, 20000}});
}

KnownPieces PiecesInHiss(int32_t hiss) {
    KnownPieces known{WavBuilder(kAnalysisRate, 1, 16), {}};
    uint32_t seed = 12345;
    // A tone of the given peak (changing over the stretch for a fade) over uniform hiss.
    auto add = [&](int64_t ms, const std::function<double(double)>& peakAt) {
        const int64_t frames = ms * kAnalysisRate / 1000;
        known.wav.Frames(frames, [&, frames](int64_t f, int) {
            seed = seed * 1664525u + 1013904223u;
            const auto noise = static_cast<int32_t>(seed >> 8) % (hiss + 1);
            const double peak = peakAt(static_cast<double>(f) / static_cast<double>(frames));
            const int32_t tone = (f / 10) % 2 == 0 ? 1 : -1;
            return static_cast<int32_t>(tone * peak) + ((seed & 1) != 0 ? noise : -noise);
        });
    };
    auto at = [&]() { return known.wav.FrameCount() * 1000 / kAnalysisRate; };
    const auto loud = [](double) { return 12000.0; };
    const auto quiet = [](double) { return 0.0; };
    add(2000, quiet);
    for (const int64_t gapMs : {1500, 4000, 2500, 3000}) {
        known.startsMs.push_back(at());
        if (known.startsMs.size() == 2) {
            add(8000, loud);
            add(900, [hiss](double) { return hiss / 2.0; });
        } else if (known.startsMs.size() == 3) {
            add(15000, loud);
            add(2000, [](double x) { return 12000.0 * (1 - x); });
        }
        add(8000, loud);
        add(gapMs, quiet);
    }
    known.startsMs.push_back(at());
    add(6000, loud);
    add(1000, quiet);
    return known;
}

} // namespace veskar::test

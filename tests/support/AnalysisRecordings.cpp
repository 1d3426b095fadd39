#include "support/AnalysisRecordings.h"

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

} // namespace veskar::test

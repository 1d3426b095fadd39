#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "support/WavBuilder.h"

namespace veskar::test {

/// The rate of the analysis recordings: low, so that a minute of audio stays small.
constexpr uint32_t kAnalysisRate = 8000;

/// A mono recording at kAnalysisRate made of stretches (length in ms, magnitude): a square tone
/// of that magnitude, or silence for 0, so every frame's level is known exactly.
WavBuilder StretchRecording(std::initializer_list<std::pair<int64_t, int32_t>> stretches,
                            uint16_t bits = 16);

/// 20 s: silences at 3-4 s and 14-16 s, a quiet stretch (300) at 9.0-9.4 s, the loudest part
/// (31000) from 9.4 s to 14 s.
WavBuilder SongsRecording();

/// 100 s, read in blocks of 40 s by the analysis runs: silences at 3-4 s and 50-51 s.
WavBuilder LongRecording();

} // namespace veskar::test

#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

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

/// Five pieces (a 12,000 square tone) in hiss of peak `hiss` at kAnalysisRate, with what is
/// known about them: a 2 s lead-in, gaps of 1.5, 4, 2.5 and 3 s, a 0.9 s quiet passage (peak
/// 1.5 × hiss) inside the second piece, a 2 s fade-out of the third into its gap, 1 s at the end.
struct KnownPieces {
    WavBuilder wav;
    std::vector<int64_t> startsMs;
};
KnownPieces PiecesInHiss(int32_t hiss);

} // namespace veskar::test

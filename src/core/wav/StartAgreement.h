#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QString>

#include "core/wav/PeakProfile.h"
#include "core/wav/SilenceDetector.h"

namespace veskar {

/// How far apart two song starts of different settings may lie and still be the same start.
constexpr int kAgreementToleranceMs = 300;

/// The song starts of a list (the marked entries), in time order.
std::vector<int64_t> SongStarts(const SilenceList& list);

/// For every entry of every silence list, at the same index: how many of the six lists (its
/// own included) have a song start within toleranceMs of it; 0 for the start of a silence. A
/// start every setting finds is safe, one found by a single setting is worth a listen.
std::array<std::vector<int>, kSilenceChannels>
StartAgreement(const SilenceResult& result, int toleranceMs = kAgreementToleranceMs);

/// The starts of a recording known to hold `pieces` pieces, from its peak profile at a silence
/// level: the pieces - 1 quiet runs that best separate pieces (the longest first, the quietest
/// of equal ones) that lie between sound, each giving the start of its silence (unmarked) and
/// the start of the next piece (markText), in the shape of a silence list. The first piece
/// starts where a quiet beginning ends, else at 0; a quiet ending adds the start of its silence.
/// Fewer pieces come back when the recording has fewer gaps.
SilenceList FitPieceCount(const PeakProfile& profile, int level, int pieces,
                          const QString& markText);

} // namespace veskar

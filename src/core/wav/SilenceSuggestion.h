#pragma once

#include <cstdint>

#include <QString>

#include "core/wav/DataBlockReader.h"
#include "core/wav/PeakProfile.h"
#include "core/wav/SilenceSettings.h"

namespace veskar {

/// Silence settings read from the recording itself: the noise floor between pieces (tape hiss,
/// surface noise) and the level of the programme, a level between them and a duration that
/// separates the gaps between pieces from quiet passages inside them, which are shorter.
struct SilenceSuggestion {
    int noiseFloor = 0;     ///< magnitude of the quietest stretches
    int programmeLevel = 0; ///< typical magnitude of the sound
    int level = 0;          ///< suggested silence level L
    int durationMs = 0;     ///< suggested silence duration T
    /// Six settings bracketing the suggestion, which is setting 0: 1 and 2 a lower and a
    /// higher level, 3 and 4 a shorter and a longer duration, 5 both the higher level and the
    /// shorter duration (the setting that finds the most). The recognition time is the one given.
    SilenceSettings settings;
};

/// The suggestion from a recording's peak profile. recognition is copied into the settings.
SilenceSuggestion SuggestSilenceSettings(const PeakProfile& profile, const QString& recognition);

/// The profile and the suggestion in one pass over the file (site code "GWM"). Returns the
/// message to show, or an empty text.
QString SuggestSilenceSettings(const QString& path, const QString& recognition,
                               const ReadProgress& progress, PeakProfile& profile,
                               SilenceSuggestion& suggestion);

} // namespace veskar

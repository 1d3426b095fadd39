#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QString>

#include "core/wav/LevelColor.h"

namespace veskar {

/// Detection channels: six duration/level settings served by one pass over the data.
constexpr int kSilenceChannels = 6;

/// The texts of the silence panel's fields, as the user typed them. The detection reads them as
/// integers and writes back a default into a field whose text is not one.
struct SilenceSettings {
    QString recognition;                             ///< song recognition time, ms
    std::array<QString, kSilenceChannels> durations; ///< minimum silence length, ms
    std::array<QString, kSilenceChannels> levels;    ///< quiet below this magnitude
};

/// Recognition 500 ms; durations 100 ms for channels 0-2 and 500 ms for 3-5; levels 100, 500,
/// 1500 (8-bit family: 3, 7, 15), repeated for both durations.
SilenceSettings DefaultSilenceSettings(SampleFamily family);

/// What replaces a field that does not hold an integer.
constexpr int kFallbackRecognitionMs = 500;
constexpr int kFallbackLevel = 1000;
constexpr int kFallbackDurationMs = 500;

/// The integer of a field's text (surrounding blanks allowed), or nothing.
std::optional<int32_t> FieldInteger(const QString& text);

} // namespace veskar

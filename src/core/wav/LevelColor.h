#pragma once

#include <cstdint>
#include <optional>

namespace veskar {

/// The sample-width family of a file: it selects the level scale (0..128 or 0..32,768), the
/// level colours, the silence defaults and the preset family.
enum class SampleFamily { Bits16, Bits8 };

/// The background colour of a list entry with this level, as 0x00BBGGRR (blue in the high
/// byte, the order the colour constants are written in), or none for the normal colours (level
/// below 0, i.e. not measured). Whenever a colour applies the text is drawn white.
std::optional<uint32_t> LevelColor(int64_t level, SampleFamily family);

/// 0x00BBGGRR to 0x00RRGGBB (the order QColor::fromRgb takes).
constexpr uint32_t BgrToRgb(uint32_t bgr) {
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

} // namespace veskar

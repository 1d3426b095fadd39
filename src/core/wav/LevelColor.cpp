#include "core/wav/LevelColor.h"

namespace veskar {

namespace {

struct ColorClasses {
    int64_t black;   ///< up to this: black
    int64_t shade;   ///< up to this: a shade of blue, darker for quieter
    int64_t divisor; ///< levels per step of the shade
    int64_t blue;    ///< up to this: blue
    int64_t darkRed; ///< up to this: dark red
    int64_t red;     ///< up to this: red; above: full red
};

constexpr ColorClasses kBits16{250, 1999, 250, 27999, 30000, 32000};
constexpr ColorClasses kBits8{1, 24, 3, 99, 110, 120};

} // namespace

std::optional<uint32_t> LevelColor(int64_t level, SampleFamily family) {
    const ColorClasses& c = family == SampleFamily::Bits8 ? kBits8 : kBits16;
    if (level < 0) {
        return std::nullopt;
    }
    if (level <= c.black) {
        return 0x000000u;
    }
    if (level <= c.shade) {
        return static_cast<uint32_t>(((level / c.divisor) + 7) * (1 << 20) + 0xF0000);
    }
    if (level <= c.blue) {
        return 0xFF0000u;
    }
    if (level <= c.darkRed) {
        return 0x0000BFu;
    }
    if (level <= c.red) {
        return 0x0000DFu;
    }
    return 0x0000FFu;
}

} // namespace veskar

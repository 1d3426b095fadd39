#pragma once

#include <array>
#include <optional>

#include "core/timelists/TimeMs.h"

namespace veskar {

/// The three position bars: a coloured label in a black panel whose width in pixels shows the
/// play position. Each has its own scale and may hold a seek the user dragged it to.
enum class PositionBar : int {
    FileScreen = 0, ///< Label_B1 in Panel_B0
    CutScreen = 1,  ///< Label_PB_M in Panel_PB_M
    Table = 2,      ///< Label_TT_B1 in Panel_TT_B0 (numbered table)
};
constexpr int kPositionBars = 3;

class PositionBars {
public:
    /// Milliseconds per pixel of each bar, from the length being played and the widths of the
    /// bars' panels: 1 when the panel is wider than the length, otherwise length / width
    /// rounded. A panel without width counts as one pixel wide.
    void Rescale(TimeMs lengthMs, const std::array<int, kPositionBars>& panelWidths);
    TimeMs ScaleMs(PositionBar bar) const { return m_scaleMs[Index(bar)]; }

    /// The user released a bar at this pixel (already limited to its panel): the next start
    /// plays from there.
    void SetPendingSeek(PositionBar bar, int pixel) { m_pendingPx[Index(bar)] = pixel; }
    bool HasPendingSeek(PositionBar bar) const { return m_pendingPx[Index(bar)].has_value(); }
    /// Turns the pending seeks into a start time (file bar first, then cut bar, then table bar;
    /// a later one wins) and clears them; nothing when none is pending.
    std::optional<TimeMs> TakePendingSeek();

    /// The width of each bar for a position: position / scale, rounded.
    std::array<int, kPositionBars> Widths(TimeMs positionMs) const;

private:
    static int Index(PositionBar bar) { return static_cast<int>(bar); }

    std::array<TimeMs, kPositionBars> m_scaleMs{1, 1, 1};
    std::array<std::optional<int>, kPositionBars> m_pendingPx;
};

} // namespace veskar

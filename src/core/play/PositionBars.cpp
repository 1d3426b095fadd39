#include "core/play/PositionBars.h"

#include <algorithm>
#include <cmath>

namespace veskar {

namespace {

int64_t RoundedDivision(int64_t a, int64_t b) {
    return static_cast<int64_t>(std::llround(static_cast<double>(a) / static_cast<double>(b)));
}

} // namespace

void PositionBars::Rescale(TimeMs lengthMs, const std::array<int, kPositionBars>& panelWidths) {
    for (int i = 0; i < kPositionBars; ++i) {
        const int width = std::max(panelWidths[i], 1);
        m_scaleMs[i] =
            width > lengthMs
                ? 1
                : static_cast<TimeMs>(std::max<int64_t>(1, RoundedDivision(lengthMs, width)));
    }
}

std::optional<TimeMs> PositionBars::TakePendingSeek() {
    std::optional<TimeMs> from;
    for (int i = 0; i < kPositionBars; ++i) {
        if (m_pendingPx[i]) {
            from = static_cast<TimeMs>(int64_t(*m_pendingPx[i]) * m_scaleMs[i]);
            m_pendingPx[i].reset();
        }
    }
    return from;
}

std::array<int, kPositionBars> PositionBars::Widths(TimeMs positionMs) const {
    std::array<int, kPositionBars> widths{};
    for (int i = 0; i < kPositionBars; ++i) {
        widths[i] = static_cast<int>(RoundedDivision(positionMs, m_scaleMs[i]));
    }
    return widths;
}

} // namespace veskar

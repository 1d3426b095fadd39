#pragma once

#include <cstdint>
#include <vector>

#include <QImage>
#include <QRect>

#include "core/wav/Envelope.h"

class QPainter;

namespace veskar {

/// A registered time on the overview.
struct OverviewMark {
    int64_t frame = 0; ///< from the data start
    int colorCode = 0; ///< start colour 0..6
    bool selected = false;
};

/// A span of frames [first, end) the chosen silence list takes for a song.
struct OverviewSpan {
    int64_t first = 0;
    int64_t end = 0;
};

/// Everything the overview shows. Frames outside the envelope's span are left out.
struct OverviewScene {
    Envelope envelope;
    std::vector<OverviewMark> marks;
    std::vector<OverviewSpan> songs;
    int64_t playFrame = -1; ///< -1 while nothing plays
};

/// Paints the scene into area, one envelope column per pixel column (area's width should be
/// the envelope's columns): song spans shaded, the envelope of all channels together from its
/// lowest to its highest sample in the level colours of the lists (by the column's peak),
/// the marks as vertical lines in their start colours (selected ones wider and stronger), the
/// play position on top.
void PaintOverview(QPainter& painter, const QRect& area, const OverviewScene& scene);

/// The same picture as an image of the envelope's columns × height pixels.
QImage RenderOverview(const OverviewScene& scene, int height);

/// Colours that pixel checks look for.
constexpr uint32_t kOverviewBackground = 0xFFFFFF;
constexpr uint32_t kOverviewSongShade = 0xFFF2C4;
constexpr uint32_t kOverviewUntaggedMark = 0x707070;
constexpr uint32_t kOverviewPlayPosition = 0x00A000;

} // namespace veskar

#include "draw/OverviewPainter.h"

#include <algorithm>
#include <cmath>

#include <QColor>
#include <QPainter>

#include "core/timelists/StartColors.h"
#include "core/wav/LevelColor.h"

namespace veskar {

namespace {

QColor MarkColor(int code) {
    const auto style = StartColorStyleOf(code);
    return QColor::fromRgb(style ? style->background : kOverviewUntaggedMark);
}

/// The pixel column of a frame, or -1 when it lies outside the envelope's span.
int ColumnX(const QRect& area, const Envelope& e, int64_t frame) {
    const int column = e.ColumnOf(frame);
    return column < 0 ? -1 : area.left() + column * area.width() / std::max(e.columns, 1);
}

} // namespace

void PaintOverview(QPainter& painter, const QRect& area, const OverviewScene& scene) {
    const Envelope& e = scene.envelope;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(area, QColor::fromRgb(kOverviewBackground));
    if (e.columns <= 0 || e.frameCount <= 0) {
        painter.restore();
        return;
    }
    for (const OverviewSpan& song : scene.songs) {
        const int64_t first = std::max(song.first, e.firstFrame);
        const int64_t last = std::min(song.end, e.firstFrame + e.frameCount) - 1;
        if (first <= last) {
            const int x0 = ColumnX(area, e, first);
            const int x1 = ColumnX(area, e, last);
            painter.fillRect(QRect(x0, area.top(), x1 - x0 + 1, area.height()),
                             QColor::fromRgb(kOverviewSongShade));
        }
    }
    const Envelope mixed = e.channels == 1 ? e : e.Mixed();
    const SampleFamily family = e.fullScale == 128 ? SampleFamily::Bits8 : SampleFamily::Bits16;
    const double middle = area.top() + (area.height() - 1) / 2.0;
    const double scale = (area.height() - 1) / 2.0 / e.fullScale;
    for (int column = 0; column < std::min(mixed.filled, mixed.columns); ++column) {
        const EnvelopeValue& v = mixed.At(column, 0);
        if (mixed.ColumnStart(column) == mixed.ColumnStart(column + 1)) {
            continue;
        }
        const int x = area.left() + column * area.width() / mixed.columns;
        const int top = static_cast<int>(std::lround(middle - v.max * scale));
        const int bottom = static_cast<int>(std::lround(middle - v.min * scale));
        painter.setPen(QColor::fromRgb(BgrToRgb(LevelColor(v.peak, family).value_or(0))));
        painter.drawLine(x, top, x, std::max(top, bottom));
    }
    // Selected marks last, so a neighbour never hides them.
    for (const bool selected : {false, true}) {
        for (const OverviewMark& mark : scene.marks) {
            const int x = ColumnX(area, e, mark.frame);
            if (x < 0 || mark.selected != selected) {
                continue;
            }
            QColor color = MarkColor(mark.colorCode);
            if (!selected) {
                color.setAlpha(150);
            }
            painter.fillRect(
                QRect(selected ? x - 1 : x, area.top(), selected ? 3 : 1, area.height()), color);
        }
    }
    const int play = scene.playFrame >= 0 ? ColumnX(area, e, scene.playFrame) : -1;
    if (play >= 0) {
        painter.fillRect(QRect(play, area.top(), 1, area.height()),
                         QColor::fromRgb(kOverviewPlayPosition));
    }
    painter.restore();
}

QImage RenderOverview(const OverviewScene& scene, int height) {
    QImage image(std::max(scene.envelope.columns, 1), std::max(height, 1), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintOverview(painter, image.rect(), scene);
    painter.end();
    return image;
}

} // namespace veskar

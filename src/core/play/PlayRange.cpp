#include "core/play/PlayRange.h"

#include <algorithm>

namespace veskar {

namespace {

constexpr TimeMs kChunkMs = 3000;

TimeMs PreviewStepMs(FileSpecialMode mode) {
    switch (mode) {
    case FileSpecialMode::Preview2x:
        return 6000;
    case FileSpecialMode::Preview5x:
        return 15000;
    default:
        return 30000;
    }
}

void FitFileScreen(PlayWindow& w, TimeMs length, const RangeModes& modes, PlayParts& parts) {
    parts.edgeSecondHalf = false;
    const FileSpecialMode mode = modes.fileSpecialMode;
    if (mode != FileSpecialMode::Edges) {
        parts.fileEdgeSecondHalf = false;
    }
    const bool preview = mode == FileSpecialMode::Preview2x || mode == FileSpecialMode::Preview5x ||
                         mode == FileSpecialMode::Preview10x;
    if (!preview) {
        parts.previewChunkActive = false;
    }
    if (mode == FileSpecialMode::Off) {
        return;
    }
    if (w.toMs < 0) {
        w.toMs = length;
    }
    if (mode == FileSpecialMode::Intro) {
        const TimeMs n = modes.introSeconds * 1000;
        if (n < w.toMs - w.fromMs) {
            w.toMs = w.fromMs + n;
        }
    } else if (mode == FileSpecialMode::Edges) {
        const TimeMs n = modes.edgeSeconds * 1000;
        if (n >= w.toMs - w.fromMs) {
            parts.fileEdgeSecondHalf = false;
        } else if (parts.fileEdgeSecondHalf) {
            parts.fileEdgeSecondHalf = false;
            w.fromMs = w.toMs - n;
        } else {
            w.toMs = w.fromMs + n;
            parts.fileEdgeSecondHalf = true;
        }
    } else if (w.toMs - w.fromMs <= kChunkMs) {
        parts.previewChunkActive = false;
    } else if (parts.previewChunkActive) {
        w.fromMs = parts.previewChunkStart + PreviewStepMs(mode);
        if (w.toMs - w.fromMs > kChunkMs) {
            w.toMs = w.fromMs + kChunkMs;
            parts.previewChunkStart = w.fromMs;
        } else {
            // The last chunk ends with the file, but never replays the one before.
            parts.previewChunkActive = false;
            w.fromMs = std::max(w.toMs - kChunkMs, parts.previewChunkStart + kChunkMs);
        }
    } else {
        w.toMs = w.fromMs + kChunkMs;
        parts.previewChunkActive = true;
        parts.previewChunkStart = w.fromMs;
    }
}

void FitCutScreen(PlayWindow& w, TimeMs length, const RangeModes& modes, PlayParts& parts) {
    parts.fileEdgeSecondHalf = false;
    parts.previewChunkActive = false;
    if (modes.specialMode != SpecialMode::Edges) {
        parts.edgeSecondHalf = false;
        return;
    }
    if (modes.playMode == CutPlayMode::End || w.toMs < 0) {
        w.toMs = length;
    }
    const TimeMs n = modes.probes.edgeMs;
    if (w.toMs - w.fromMs <= n) {
        parts.edgeSecondHalf = false;
    } else if (parts.edgeSecondHalf) {
        parts.edgeSecondHalf = false;
        w.fromMs = w.toMs - n;
    } else {
        w.toMs = w.fromMs + n;
        parts.edgeSecondHalf = true;
    }
}

} // namespace

PlayWindow FitPlayWindow(PlayWindow request, TimeMs lengthMs, const RangeModes& modes,
                         PlayParts& parts) {
    PlayWindow w = request;
    w.fromMs = std::max<TimeMs>(w.fromMs, 0);
    w.toMs = std::min(w.toMs, lengthMs);
    if (modes.fileScreenShown) {
        FitFileScreen(w, lengthMs, modes, parts);
    } else {
        FitCutScreen(w, lengthMs, modes, parts);
    }
    if (w.fromMs == w.toMs && w.toMs + 1 <= lengthMs) {
        ++w.toMs;
    }
    if (w.toMs < 0) {
        w.toMs = lengthMs;
    }
    w.fromMs = std::min(w.fromMs, lengthMs);
    return w;
}

PlayWindow LineStretch(TimeMs t, std::optional<TimeMs> endMs, const RangeModes& modes, bool click,
                       TimeMs fileLengthMs) {
    PlayWindow w{t, endMs.value_or(-1)};
    if (modes.playMode == CutPlayMode::Skip) {
        w.toMs = w.fromMs + 1000;
    }
    switch (modes.specialMode) {
    case SpecialMode::StartProbe:
        w.toMs = w.fromMs + modes.probes.startMs;
        break;
    case SpecialMode::SilentStartProbe:
        w.toMs = w.fromMs + modes.probes.silentStartMs;
        break;
    case SpecialMode::EndProbe:
        w.toMs = w.fromMs;
        w.fromMs -= modes.probes.endMs;
        break;
    case SpecialMode::SilentEndProbe:
        w.toMs = w.fromMs;
        w.fromMs -= modes.probes.silentEndMs;
        break;
    default:
        break;
    }
    if (click && modes.playMode == CutPlayMode::End) {
        w.toMs = fileLengthMs;
    }
    return w;
}

} // namespace veskar

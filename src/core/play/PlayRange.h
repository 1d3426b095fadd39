#pragma once

#include <optional>

#include "core/play/PlayModes.h"
#include "core/timelists/TimeMs.h"

namespace veskar {

/// A play range; toMs -1 means to the end of the file.
struct PlayWindow {
    TimeMs fromMs = 0;
    TimeMs toMs = -1;
    bool operator==(const PlayWindow&) const = default;
};

/// The modes in force that shape a range.
struct RangeModes {
    bool fileScreenShown = false;
    CutPlayMode playMode = CutPlayMode::Zone;
    SpecialMode specialMode = SpecialMode::Off;
    ProbeLengths probes;
    FileSpecialMode fileSpecialMode = FileSpecialMode::Off;
    int introSeconds = 10; ///< N1
    int edgeSeconds = 5;   ///< N2
};

/// What makes a stretch play in parts: each flag lives across exactly one completion.
struct PlayParts {
    bool edgeSecondHalf = false;     ///< cut screen "前後": the second part is due
    bool fileEdgeSecondHalf = false; ///< file screen "前後5秒": the second part is due
    bool previewChunkActive = false; ///< file screen fast preview: between chunks
    TimeMs previewChunkStart = 0;    ///< start of the last chunk played
};

/// The range a start really plays, from the requested one and the length of the open file:
/// clamps it to the file, applies the file special mode (file screen) or the "前後" mode (cut
/// screen) with their parts, gives an empty stretch one millisecond where the file allows, and
/// resolves "to the end". Updates parts for the next completion.
PlayWindow FitPlayWindow(PlayWindow request, TimeMs lengthMs, const RangeModes& modes,
                         PlayParts& parts);

/// The stretch for a line at time t of a cut-screen list. endMs is where the line's stretch
/// ends before any mode applies: the next line's time, t + step after the last line of a
/// subdivision list, a numbered-table row's own end; nullopt for the end of the file. The play
/// mode "スキップ" makes it one second, the special modes trim it to their probe, and for a
/// click (not a continuation) the play mode "end" extends it to fileLengthMs.
PlayWindow LineStretch(TimeMs t, std::optional<TimeMs> endMs, const RangeModes& modes, bool click,
                       TimeMs fileLengthMs);

} // namespace veskar

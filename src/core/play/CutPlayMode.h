#pragma once

namespace veskar {

/// Play modes of the cut screen (RadioGroup1, "PLAY mode"), by item index: how long the
/// stretch from a clicked line is and what plays after it.
enum class CutPlayMode : int {
    End = 0,        ///< "end": to the end of the file, nothing follows
    Zone = 1,       ///< "ゾーン": to the next line, nothing follows
    Continuous = 2, ///< "連続": to the next line, then the next line and so on
    Skip = 3,       ///< "スキップ": one second, then the next line and so on
    Repeat = 4,     ///< "リピート": to the next line, the same line again without end
    Off = 5,        ///< "OFF": a click does not play
};

/// Special modes of the cut screen (RadioGroup3), by item index: trim every stretch t..e to a
/// short probe. The two that play up to a time also shift the finest subdivision window.
enum class SpecialMode : int {
    StartProbe = 0,       ///< t .. t + StartProbeMs
    EndProbe = 1,         ///< t - EndProbeMs .. t
    SilentEndProbe = 2,   ///< t - SilentEndProbeMs .. t
    SilentStartProbe = 3, ///< t .. t + SilentStartProbeMs
    Edges = 4,            ///< "前後": the first EdgeProbeMs, then the last EdgeProbeMs
    Off = 5,
};

} // namespace veskar

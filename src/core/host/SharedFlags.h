#pragma once

namespace veskar {

/// Program-wide flags of the main window that playback and every long run consult.
struct SharedFlags {
    /// Set by the stop buttons and by Abort answers; polled by playback and long runs.
    bool stopRequested = false;
    /// Set at close; from then on no command goes to the wave device.
    bool shutdownStop = false;
    /// An error box of playback or the cut run is open, or the cut menu is opening; right-click
    /// menus do not open meanwhile.
    bool errorBoxOpen = false;
    /// The close sequence runs.
    bool closing = false;
};

} // namespace veskar

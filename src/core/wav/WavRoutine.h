#pragma once

#include <QString>

namespace veskar {

/// The routines that open a WAV file through the shared header validation. Each reports its
/// failures with its own site code and makes a slightly different set of checks.
enum class WavRoutine {
    FileReader,       ///< GW: ReadWavInfo
    IntervalPeaks,    ///< GPT: the equal-interval peak run
    SilenceDetection, ///< GWM
    ListLevels,       ///< GWPD: the level run of one subdivision list
    RangePeak,        ///< GWP: the peak between two times
    ChopCut,          ///< BG
    DirectCut,        ///< MW: the direct one-time cut
    Restore,          ///< MW: undoing a direct cut
    Envelope,         ///< GOV: the overview's envelope
};

/// The step in which the block size is a whole multiple.
enum class ReadUnit {
    None,      ///< the routine reads its own spans and needs no block size
    Bytes40ms, ///< bytesPerSecond / 25
    OneSecond, ///< bytesPerSecond
};

/// What distinguishes one routine's validation from another's.
struct RoutineTraits {
    const char* siteCode;
    bool checksFileSize;   ///< learns the file size (and reports when it cannot)
    bool checks40ms;       ///< rejects files with fewer than one byte per 40 ms
    ReadUnit readUnit;     ///< also says whether the block size is checked
    bool checksDataLength; ///< rejects an empty data chunk
    const char* compressedBody;
};

const RoutineTraits& TraitsOf(WavRoutine routine);

inline QString SiteCode(WavRoutine routine) {
    return QString::fromLatin1(TraitsOf(routine).siteCode);
}

/// body + "・・・" + the routine's site code: the form of every failure of the family.
QString SiteMessage(const QString& body, WavRoutine routine);
QString SiteMessage(const QString& body, const QString& siteCode);

} // namespace veskar

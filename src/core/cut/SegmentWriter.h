#pragma once

#include <cstdint>
#include <functional>

#include <QString>

#include "core/timelists/TimeMs.h"
#include "core/wav/WavInfo.h"

namespace veskar {

/// Frame index of a time in milliseconds: trunc(ms × rate / 1000), computed in 64 bits.
int64_t MsToFrame(int64_t ms, uint32_t sampleRate);

/// Whole sample frames of a source that are both declared by its `data` chunk and present in a
/// file of fileSize bytes (a recording cut short keeps the frames it has).
int64_t AvailableFrames(const WavInfo& source, int64_t fileSize);

/// Length in whole milliseconds of that many frames, rounded down.
int64_t FramesToMs(int64_t frames, uint32_t sampleRate);

/// The causes of a failed save that the operating system does not give, in the program's own
/// words: a start at or beyond the end of the source's data, a source that ended before the
/// frames it declared had been read.
QString PastTheEndCause();
QString SourceEndedCause();

/// True when both paths name the same file: the same device and inode when both exist (so a
/// symbolic link, a hard link or another spelling of a path all count), otherwise the same
/// cleaned absolute path.
bool IsSameFile(const QString& a, const QString& b);

/// One segment to write: the source's format and data location (from `ReadWavInfo`) and the
/// time range. endMs -1 means: to the end of the source's data.
struct SegmentRequest {
    QString sourcePath;
    WavInfo source;
    TimeMs startMs = 0;
    TimeMs endMs = -1;
    QString outputPath;
    /// Asked for another path in the same folder when outputPath (or the path it gave last) is
    /// taken by the time the piece is complete; an empty answer gives up. Called on the thread
    /// that writes. Without it a taken name fails the save.
    std::function<QString()> nextFreePath;
    /// false: always copy through a buffer, never inside the kernel (for comparisons).
    bool kernelCopy = true;
};

/// The step codes of a cut run, with the values of the platform's completion notifications. A
/// save ends in Written, Failed or Aborted; NoFile is a step that brings no file (the first one
/// of a run, a skipped save, a failure already reported).
enum class CutStep : int { Written = 1, Failed = 2, Aborted = 4, NoFile = 8 };

struct SegmentSaveResult {
    CutStep outcome = CutStep::Failed;
    /// Why it failed, for the user: the operating system's reason or one of the causes above;
    /// empty when written, aborted or when no cause is known.
    QString cause;
    QString outputPath;      ///< the path written: outputPath or the free one taken instead
    int64_t frames = 0;      ///< frames written
    int64_t sampleBytes = 0; ///< sample bytes written (frames × blockAlign)
};

/// Size of the header a segment file gets: RIFF, a `fmt ` chunk of 18 bytes (PCM with an empty
/// extension) and the `data` chunk header.
constexpr int kSegmentHeaderBytes = 46;
/// The header of a segment whose RIFF size does not fit 32 bits (a piece over 4 GiB): "RF64",
/// a "ds64" chunk of 28 bytes with the 64-bit RIFF size, data size and frame count, then the
/// same `fmt ` and `data` chunks, whose 32-bit sizes say 0xFFFFFFFF.
constexpr int kRf64SegmentHeaderBytes = 82;

/// The header of a segment of sampleBytes sample bytes in the source's format (PCM, format tag
/// 1, the container width): kSegmentHeaderBytes long, or kRf64SegmentHeaderBytes when the
/// file would exceed what RIFF's 32-bit sizes describe. The sizes count the pad byte that
/// follows an odd number of sample bytes.
QByteArray SegmentHeader(const WavInfo& source, int64_t sampleBytes);

/// Writes a PCM WAV file in the source's format whose sample data are exactly the source frames
/// [MsToFrame(startMs), MsToFrame(endMs)) — clipped to the frames the source has. The samples
/// are copied in large blocks inside the kernel where it offers copy_file_range, else through a
/// buffer. The file is written under a hidden temporary name in the output folder and given its
/// final name only when complete, so a failed or aborted save leaves nothing under the final
/// name. An existing file (the source among them) is never replaced: a taken name moves on to
/// request.nextFreePath. keepGoing, when given, is asked between blocks; false aborts the save.
SegmentSaveResult WriteSegment(const SegmentRequest& request,
                               const std::function<bool()>& keepGoing = {});

} // namespace veskar

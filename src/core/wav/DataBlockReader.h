#pragma once

#include <cstdint>
#include <functional>

#include <QString>

#include "core/host/EventPump.h"
#include "core/host/ProgressBox.h"
#include "core/wav/WavHeader.h"

namespace veskar {

/// Where a reading loop reports its progress. Without a box (or with a handle that names none)
/// the run goes on; the pump is called after every block either way.
struct ReadProgress {
    ProgressBox* box = nullptr;
    int handle = -1;
    EventPump* pump = nullptr;
};

/// Called once per block read with a pointer to its whole frames (blockAlign bytes each, at
/// least kWorkAreaSlack readable bytes after the last), their number and the index of the first
/// one, counted from 0 at the start of the range read. Analysis loops run over the frames
/// themselves, so no call is paid per frame.
using BlockVisitor =
    std::function<void(const uint8_t* frames, int64_t frameCount, int64_t firstFrame)>;

/// The common reading loop over the whole data chunk of a validated file: reads it in blocks
/// of wav.blockSize bytes, visits every whole frame once in file order, pumps events and
/// updates the progress after each block, and stops when the box reports its stop button or
/// its closing. Returns the routine's message on failure, an empty text on success.
QString ReadDataBlocks(OpenWavFile& wav, const ReadProgress& progress, WavRoutine routine,
                       const BlockVisitor& visit);

/// The same loop over `length` bytes from `startByte` (relative to the data start).
QString ReadDataRange(OpenWavFile& wav, int64_t startByte, int64_t length,
                      const ReadProgress& progress, WavRoutine routine, const BlockVisitor& visit);

/// A block visitor calling frameFn(framePointer, frameIndex) for every frame: for callers where
/// a per-frame call is cheap enough (tests, short spans).
template <typename FrameFn> BlockVisitor ForEachFrame(int blockAlign, FrameFn frameFn) {
    return [blockAlign, frameFn](const uint8_t* frames, int64_t count, int64_t first) mutable {
        for (int64_t i = 0; i < count; ++i) {
            frameFn(frames + i * blockAlign, first + i);
        }
    };
}

} // namespace veskar

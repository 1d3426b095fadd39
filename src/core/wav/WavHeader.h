#pragma once

#include <cstdint>
#include <memory>

#include <QFile>
#include <QString>

#include "core/wav/WavInfo.h"
#include "core/wav/WavRoutine.h"

namespace veskar {

/// A WAV file opened and validated for one run, with the buffers of that run. Everything is
/// released when it goes out of scope, so every exit path of a routine frees the buffers and
/// closes the file.
struct OpenWavFile {
    QFile file;
    /// The format and the data location. fileSize is learnt by the file reader only; the texts
    /// are left to the caller.
    WavInfo info;
    int workAreaSize = 0;  ///< bytes; the work buffer holds this many plus kWorkAreaSlack
    int64_t blockSize = 0; ///< bytes per read step; 0 for routines that read their own spans
    std::unique_ptr<uint8_t[]> header;
    std::unique_ptr<uint8_t[]> work;
};

/// Reserves the work area, opens the file for reading and checks its RIFF/WAVE header, finds
/// the `fmt ` block (within the first 4,096 bytes) and the `data` chunk (anywhere in the file)
/// and derives the block size. Returns the routine's message of the first check that fails, or
/// an empty text when the file may be read. Nothing of the file is changed.
QString ValidateWavHeader(const QString& path, WavRoutine routine, OpenWavFile& wav);

/// The message for a `fmt ` block whose 16 standard bytes run past the bytes read: it is never
/// read beyond them.
QString FormatCutOffBody();

} // namespace veskar

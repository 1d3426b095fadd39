#pragma once

#include <array>
#include <cstdint>

#include <QString>

namespace veskar {

/// One 8-byte chunk header a direct cut wrote, with the bytes it replaced.
struct DirectCutEntry {
    int64_t position = -1; ///< file offset; -1: not used
    std::array<char, 4> formerTag{};
    uint32_t formerSize = 0;
};

/// `DirectCutRecord` and `DirectCutPending`: what undoes the one pending direct cut. Entry 0 is
/// the former `data` header, entry 1 the new `data` header before the segment, entry 2 the
/// "cutb" header after it. In memory only.
struct DirectCutRecord {
    std::array<DirectCutEntry, 3> entries;
    bool pending = false;
};

/// `DirectCutFile`: keeps only the segment from startText to endText (decimal milliseconds; an
/// empty end: to the end of the data) as the file's `data` chunk, by rewriting at most three
/// 8-byte chunk headers in place; the audio before and after it becomes the chunks "cuta" and
/// "cutb", which readers skip. The replaced bytes go into record, read back before anything is
/// written (the cut is refused when they cannot be), and the file is flushed to disk before
/// success is reported. Returns an empty text on success, else the message (site code "MW").
QString DirectCutFile(const QString& path, const QString& startText, const QString& endText,
                      DirectCutRecord& record);

/// `RestoreFile`: writes the bytes of a pending direct cut back, so the file is exactly as
/// before, and clears the pending state. A file with no cut pending is left as it is.
QString RestoreFile(const QString& path, DirectCutRecord& record);

/// `ForceRestoreFile`: rebuilds the former `data` chunk of a directly cut file from its "cuta"
/// and "cutb" chunks when the record is gone; the 8-byte headers that sat inside the audio
/// become silence.
QString ForceRestoreFile(const QString& path);

} // namespace veskar

#pragma once

#include <cstdint>
#include <vector>

#include <QString>

#include "core/wav/DataBlockReader.h"

namespace veskar {

/// Entries of a level table: 16 for the subdivision lists of 1 ms to 10 s, 66 for 60 s.
int SlotTableSize(int slotMs);

/// The list level run (site code "GWPD"): measures entryCount slots of slotMs from startMs and
/// writes one level per slot into table, which is first reset to SlotTableSize(slotMs) entries
/// of -1 (not measured). A slot's level blends the peaks of its ten sub-slots (running maxima,
/// averaged pairwise, then with the lowest), so a short click weighs less than lasting sound.
/// The slot in which the data ends gets the running maximum of what it had. Returns the
/// message to show, or an empty text.
QString MeasureSlotLevels(const QString& path, int slotMs, int entryCount, int64_t startMs,
                          const ReadProgress& progress, std::vector<int32_t>& table);

/// Byte offset from the data start of a time: round(ms × bytesPerSecond / 1000), ties to even,
/// then up to the next frame boundary.
int64_t TimeToByte(int64_t ms, int32_t bytesPerSecond, int blockAlign);

} // namespace veskar

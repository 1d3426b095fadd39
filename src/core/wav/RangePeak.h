#pragma once

#include <cstdint>

#include <QString>

#include "core/host/EventPump.h"

namespace veskar {

/// The range peak run (site code "GWP"): the largest frame magnitude between startMs and endMs
/// (an end beyond the data is cut to it). peak is set only on success; it is 0 for an empty
/// range. pump may be null. Returns the message to show, or an empty text.
QString MeasureRangePeak(const QString& path, int64_t startMs, int64_t endMs, EventPump* pump,
                         int64_t& peak);

} // namespace veskar

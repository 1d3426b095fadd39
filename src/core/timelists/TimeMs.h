#pragma once

#include <cstdint>

namespace veskar {

/// A time position or length in whole milliseconds. Signed 32-bit, as every list and setting of
/// the system stores it; byte and frame positions are signed 64-bit and converted at the edges.
using TimeMs = int32_t;

} // namespace veskar

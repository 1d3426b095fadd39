#pragma once

#include <functional>

namespace veskar::test {

/// Lets queued events through until done() holds, as a window's loop would while a worker
/// thread finishes; gives up after a limit far beyond any save of a test. True when done held.
bool RunEventsUntil(const std::function<bool()>& done);

} // namespace veskar::test

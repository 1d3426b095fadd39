#pragma once

namespace veskar {

/// "Process pending window messages": long runs call it between blocks and steps so the stop
/// buttons can reach them.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void ProcessEvents() = 0;
};

} // namespace veskar

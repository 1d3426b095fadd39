#pragma once

#include "core/host/EventPump.h"

namespace veskar {

/// Lets the window repaint and its stop buttons work between the blocks of a long run.
class QtEventPump : public EventPump {
public:
    void ProcessEvents() override;
};

} // namespace veskar

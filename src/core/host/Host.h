#pragma once

#include "core/host/EventPump.h"
#include "core/host/Messenger.h"
#include "core/host/ProgressBox.h"

namespace veskar {

/// What a long run of the engine needs of the window, bundled so it travels as one argument.
struct Host {
    Messenger& messenger;
    ProgressBox& progress;
    EventPump& pump;
};

} // namespace veskar

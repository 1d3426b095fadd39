#include "platform/QtEventPump.h"

#include <QCoreApplication>

namespace veskar {

void QtEventPump::ProcessEvents() { QCoreApplication::processEvents(); }

} // namespace veskar

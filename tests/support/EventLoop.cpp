#include "support/EventLoop.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace veskar::test {

namespace {

// Only a hung worker comes near this; it keeps such a fault from stalling the suite.
constexpr int kGiveUpMs = 30000;

} // namespace

bool RunEventsUntil(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < kGiveUpMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return done();
}

} // namespace veskar::test

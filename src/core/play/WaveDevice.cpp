#include "core/play/WaveDevice.h"

namespace veskar {

WaveDevice::WaveDevice(const SharedFlags& flags, QObject* parent)
    : QObject(parent), m_flags(flags) {
    qRegisterMetaType<PlayRoute>();
    qRegisterMetaType<PlayResult>();
}

// Implementations close their own resources in their destructors; a play still running when the
// device goes away has nobody left to tell.
WaveDevice::~WaveDevice() = default;

bool WaveDevice::Open(const QString& path) {
    if (Blocked()) {
        return false;
    }
    Close();
    m_open = OpenFile(path);
    return m_open;
}

std::optional<TimeMs> WaveDevice::QueryLength() {
    if (Blocked() || !m_open) {
        return std::nullopt;
    }
    return LengthMs();
}

std::optional<WaveFormat> WaveDevice::QueryFormat() {
    if (Blocked() || !m_open) {
        return std::nullopt;
    }
    return Format();
}

std::optional<TimeMs> WaveDevice::QueryPosition() {
    if (Blocked() || !m_open) {
        return std::nullopt;
    }
    return PositionMs();
}

bool WaveDevice::PlayRange(TimeMs fromMs, TimeMs toMs, PlayRoute route) {
    if (Blocked() || !m_open) {
        return false;
    }
    const TimeMs length = LengthMs();
    const TimeMs from = fromMs < 0 ? PositionMs() : fromMs;
    const TimeMs to = toMs < 0 ? length : toMs;
    if (from > length || to > length || to < from) {
        return false;
    }
    if (m_running) {
        EndRunning(PlayResult::Superseded);
        StopOutput();
    }
    // Marked running before the start so that an implementation may end a play of nothing
    // (an empty range) from inside StartRange.
    m_running = route;
    if (!StartRange(from, to)) {
        m_running.reset();
        return false;
    }
    return true;
}

void WaveDevice::Stop() {
    if (m_running) {
        EndRunning(PlayResult::Aborted);
    }
    // Also without a running play: an output may still be sounding the end of the last one.
    if (m_open) {
        StopOutput();
    }
}

void WaveDevice::Close() {
    Stop();
    if (m_open) {
        m_open = false;
        CloseFile();
    }
}

void WaveDevice::EndPlay(PlayResult result) {
    if (m_running) {
        EndRunning(result);
    }
}

void WaveDevice::EndRunning(PlayResult result) {
    const PlayRoute route = *m_running;
    m_running.reset();
    Post(route, result);
}

void WaveDevice::Post(PlayRoute route, PlayResult result) {
    QMetaObject::invokeMethod(
        this, [this, route, result] { emit PlayEnded(route, result); }, Qt::QueuedConnection);
}

} // namespace veskar

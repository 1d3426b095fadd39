#include "core/cut/SegmentSaver.h"

#include <system_error>

#include <QMetaObject>

namespace veskar {

SegmentSaver::~SegmentSaver() {
    m_abort = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

SegmentSaveResult SegmentSaver::SaveNow(const SegmentRequest& request,
                                        const std::function<bool()>& keepGoing) {
    m_abort = false;
    return WriteSegment(request, [&] { return !m_abort && (!keepGoing || keepGoing()); });
}

bool SegmentSaver::Start(const SegmentRequest& request, Done done,
                         std::function<bool()> workerCheck) {
    if (m_worker.joinable()) {
        return false;
    }
    m_abort = false;
    m_done = std::move(done);
    try {
        m_worker = std::thread([this, request, workerCheck = std::move(workerCheck)] {
            const SegmentSaveResult result = WriteSegment(request, [&] {
                const bool checked = !workerCheck || workerCheck();
                return checked && !m_abort;
            });
            QMetaObject::invokeMethod(
                this, [this, result] { Finish(result); }, Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {
        m_done = nullptr;
        return false;
    }
    return true;
}

void SegmentSaver::Finish(const SegmentSaveResult& result) {
    if (m_worker.joinable()) {
        m_worker.join();
    }
    Done done = std::move(m_done);
    m_done = nullptr;
    if (done) {
        done(result);
    }
}

} // namespace veskar

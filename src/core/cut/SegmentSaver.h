#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include <QObject>

#include "core/cut/SegmentWriter.h"

namespace veskar {

/// Runs segment saves for the cut run, either at once on the caller's thread or on a worker
/// thread whose result comes back to the thread this object lives in, through its event loop,
/// as a queued call. One save at a time.
class SegmentSaver : public QObject {
public:
    using Done = std::function<void(const SegmentSaveResult&)>;

    explicit SegmentSaver(QObject* parent = nullptr) : QObject(parent) {}
    /// Aborts a save that is still running and waits for its thread; its result is dropped.
    ~SegmentSaver() override;

    /// Saves on the caller's thread. keepGoing is asked between blocks (a window lets its stop
    /// button work there); false, or an abort request, aborts the save.
    SegmentSaveResult SaveNow(const SegmentRequest& request,
                              const std::function<bool()>& keepGoing = {});

    /// Starts the save on a worker thread and returns at once. done is called later on this
    /// object's thread, from its event loop, never from inside this call. Returns false when
    /// no thread could be started or a save is still running; done is then never called.
    /// workerCheck, when given, is also asked between blocks, on the worker thread.
    bool Start(const SegmentRequest& request, Done done, std::function<bool()> workerCheck = {});

    /// Asks a running save to stop at its next block; it then ends as Aborted. Safe to call
    /// at any time from this object's thread.
    void RequestAbort() { m_abort = true; }
    bool Busy() const { return m_worker.joinable(); }

private:
    void Finish(const SegmentSaveResult& result);

    std::thread m_worker;
    std::atomic<bool> m_abort{false};
    Done m_done;
};

} // namespace veskar

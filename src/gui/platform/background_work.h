#pragma once
// The one way the windows run work off their thread.
//
// LatestRequest: "run this in the background; only the newest request
// counts". Each kind of request a window makes (a search, an ordering, a
// copy, a save) has one. Starting a request marks the one before it
// cancelled; the work looks at its flag and stops early. The result comes
// back on the receiver's thread, and only if no newer request (or Cancel)
// came meanwhile, so a window never shows an answer to a question it no
// longer asks.
//
// RunOnCores: "split this over the cores and wait", for work that is itself
// already in the background or short enough to wait for (the map's strips).
//
// Both clear the processor's vector state where the work starts (see
// vector_state.h): heavy arithmetic on a thread started from the window's
// would otherwise run several times slower.

#include "platform/vector_state.h"

#include <QFuture>
#include <QObject>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace platform {

class LatestRequest {
public:
    // Results go to `receiver`'s thread; the work runs on `pool` (the
    // application's shared pool unless a window keeps a pool of its own).
    // Keep it a member of `receiver`: a delivery runs only while the
    // receiver lives, and reads this object.
    explicit LatestRequest(QObject* receiver, QThreadPool* pool = QThreadPool::globalInstance());
    // Cancels what is under way and waits for it to end: no work outlives
    // the window that asked for it.
    ~LatestRequest();
    LatestRequest(const LatestRequest&) = delete;
    LatestRequest& operator=(const LatestRequest&) = delete;

    // Runs work(cancelled) on the pool, then deliver(result) on the
    // receiver's thread unless superseded. The work reports its own failures
    // in its result: an exception that escapes it is a fault, and drops the
    // result as a cancellation would.
    template <class Work, class Deliver>
    void Start(Work work, Deliver deliver);

    // Drops the request under way: its work is told to stop, its result is
    // never delivered.
    void Cancel();
    // Whether a request is under way and not yet delivered.
    bool Pending() const { return static_cast<bool>(cancel_); }
    // Waits until the work under way (if any) has ended.
    void WaitForDone();

private:
    QObject* receiver_;
    QThreadPool* pool_;
    std::uint64_t serial_ = 0;
    std::shared_ptr<std::atomic<bool>> cancel_;
    QFuture<void> work_;  // the work alone, not its delivery
};

// Runs job(0) ... job(count - 1) side by side, job(0) on the caller's
// thread, and returns when all have ended, rethrowing the first failure.
// Where no thread can be started, the caller runs the job itself.
void RunOnCores(int count, const std::function<void(int)>& job);

// How many threads this machine runs at once (at least 1).
int CoreCount();

template <class Work, class Deliver>
void LatestRequest::Start(Work work, Deliver deliver)
{
    Cancel();
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    cancel_ = cancel;
    const std::uint64_t serial = ++serial_;
    using Result = std::invoke_result_t<Work&, const std::atomic<bool>&>;
    QFuture<Result> future = QtConcurrent::run(pool_, [work = std::move(work), cancel]() mutable {
        ReleaseUpperVectorState();
        return work(static_cast<const std::atomic<bool>&>(*cancel));
    });
    // The continuation runs on the receiver's thread while the receiver
    // lives, and so while this member of it does; a serial that moved on
    // means a newer request (or Cancel) came meanwhile.
    work_ = QFuture<void>(future);
    future.then(receiver_, [this, serial, deliver = std::move(deliver)](Result result) mutable {
        if (serial != serial_)
            return;
        cancel_.reset();
        deliver(std::move(result));
    });
}

}  // namespace platform

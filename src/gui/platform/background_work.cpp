#include "platform/background_work.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {

LatestRequest::LatestRequest(QObject* receiver, QThreadPool* pool) : receiver_(receiver), pool_(pool) {}

LatestRequest::~LatestRequest()
{
    Cancel();
    WaitForDone();
}

void LatestRequest::Cancel()
{
    if (cancel_)
        cancel_->store(true);
    cancel_.reset();
    ++serial_;  // whatever is under way is no longer wanted
}

void LatestRequest::WaitForDone()
{
    // The delivery waits for the receiver's thread, which is this one: wait
    // for the work itself, never for its delivery.
    work_.waitForFinished();
}

void RunOnCores(int count, const std::function<void(int)>& job)
{
    if (count < 1)
        return;
    std::vector<std::exception_ptr> errors(static_cast<std::size_t>(count));
    const auto guarded = [&](int index) {
        ReleaseUpperVectorState();
        try {
            job(index);
        } catch (...) {
            errors[static_cast<std::size_t>(index)] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(count));
    for (int index = 1; index < count; ++index) {
        try {
            threads.emplace_back(guarded, index);
        } catch (const std::system_error&) {
            guarded(index);
        }
    }
    guarded(0);
    for (std::thread& thread : threads)
        thread.join();
    for (const std::exception_ptr& error : errors)
        if (error)
            std::rethrow_exception(error);
}

int CoreCount() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

}  // namespace platform

#include "map/qt/run_on_threads.h"

#include "platform/vector_state.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace world_map {

void RunOnThreads(int count, const std::function<void(int)>& job)
{
    if (count < 1)
        return;
    std::vector<std::exception_ptr> errors(static_cast<std::size_t>(count));
    const auto guarded = [&](int index) {
        platform::ReleaseUpperVectorState();
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

}  // namespace world_map

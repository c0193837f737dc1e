#pragma once
// Independent jobs run side by side, one thread each, for the map's drawing:
// a handful of jobs that each take milliseconds, so a thread started per job
// costs nothing worth pooling, and no job ever waits behind another's queue.
// Each job starts with the processor's vector state cleared (see
// platform/vector_state.h): the bands' trigonometry would otherwise run
// several times slower on threads started from the window's.

#include <functional>

namespace world_map {

// Runs job(0) ... job(count - 1), each on a thread of its own and job(0) on
// the caller's; returns when all have ended, rethrowing the first failure.
// Where no thread can be started, the caller runs the job itself.
void RunOnThreads(int count, const std::function<void(int)>& job);

// How many threads this machine runs at once (at least 1).
int CoreCount();

}  // namespace world_map

#pragma once
// How long a window test waits for work it started (a search, a save, a
// drawing) before calling it a failure. Generous on purpose: a loaded
// two-core machine running the suite in parallel is slow, and a test waits
// for a signal or a condition, so a fast machine never waits this long.
inline constexpr int kWorkTimeoutMs = 60000;

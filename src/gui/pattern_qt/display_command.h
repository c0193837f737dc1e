#pragma once
// The "Display pattern" command as the design window calls it.

#include "core/repeat_orbit_solver.h"

namespace pattern {

// Shows the single "Relative Ground Tracks" window modeless (loading it afresh
// when it has been closed) and draws the relative ground-track pattern of
// `design` over whatever the window already shows. Throws orbit::OrbitError
// with the user-facing text when a step fails; what was drawn before stays.
// Needs a running QApplication.
void DisplayPattern(const orbit::DesignRecord& design);

}  // namespace pattern

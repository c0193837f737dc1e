// "Display pattern": draws the last completed design in the relative ground
// tracks window. The button is enabled only while the results on screen
// belong to a completed computation.

#include "design_window/orbit_des_vorn.h"

#include "core/repeat_orbit_solver.h"
#include "pattern_qt/display_command.h"

namespace design_window {

void OrbitDesVorn::DispCom_Click() { pattern::DisplayPattern(orbit::DesignResult); }

}  // namespace design_window

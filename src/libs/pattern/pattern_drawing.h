#pragma once
// The relative ground-track pattern of one design, drawn on a surface in its
// user coordinates (0, 0)-(50, 40): one vertical line per day at its track's
// offset from day 0's track, labelled with the day number, and below them two
// light-red scale bars one orbit spacing long, each labelled with the spacing.
// The spacings are longitudes on the design's sphere at the equator, where
// the sphere's and WGS84's longitudes and latitudes agree.

#include "core/repeat_orbit_solver.h"
#include "pattern/drawing_surface.h"

namespace pattern {

// The largest day the pattern draws. The day counter is a signed 16-bit whole
// number, like the revolution count N*Q + M of the design: a Q beyond it is
// "Overflow", reported before the first day is drawn.
inline constexpr double kLastDay = 32767;

// Shows the surface and draws the pattern of `design` over what it holds.
// Throws orbit::OrbitError at the first failing step; what was drawn stays.
void DrawPattern(const orbit::DesignRecord& design, DrawingSurface& surface);

// "Orbit spacing 25.12 degrees": the label of both scale bars.
std::string SpacingLabel(double spacingDeg);

}  // namespace pattern

#pragma once
// The file name an export proposes, made of the design and its node, so a
// folder of exports reads as a list of designs: "N14M3Q10-ss-1030.opm" for
// a sun-synchronous N 14, M 3, Q 10 with its descending node at 10:30 mean
// local time, "N15M1Q2-i51.6-ltdn0845.oem" for a chosen inclination, and
// "-raan120.5" for a node given by its right ascension.

#include "core/repeat_orbit_solver.h"
#include "ephemeris/orbit_node.h"
#include "export/orbit/export_formats.h"

#include <string>

namespace export_window {

std::string ProposedFileName(const orbit::DesignRecord& record, orbit::OrbitType type,
                             const orbit::ephemeris::NodeRequest& node, orbit::exports::ExportFormat format);

}  // namespace export_window

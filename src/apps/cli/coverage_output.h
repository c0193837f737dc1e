#pragma once
// How `repeat-orbit coverage` writes its answer: a summary and a table for
// reading, CSV for spreadsheets, one JSON object for scripts, and the title
// its chart carries.

#include "analysis/swath_coverage.h"
#include "cli/design_run.h"
#include "ephemeris/instant.h"
#include "ephemeris/orbit_node.h"

#include <optional>
#include <ostream>
#include <string>

namespace orbit::cli {

// The track placed in time by --epoch and a node, and the light test when
// --sun-min asks for one: what the outputs say of them. Without an epoch
// every output is as it was before these options came.
struct CoverageDaylight {
    ephemeris::Instant epoch;
    ephemeris::OrbitNode node;
    std::optional<double> sunMinDeg;  // none: every look counts
    int cycles = 1;
};

// "the Sun at least 10 deg above the place seen, the worst of 3 cycles from
// 2027-03-21T00:00:00.000Z", or "every look counts" without --sun-min.
std::string DaylightText(const CoverageDaylight& daylight);

// "both", "ascending", "descending": the words --passes takes.
std::string PassDirectionName(analysis::PassDirection direction);
std::optional<analysis::PassDirection> PassDirectionNamed(const std::string& name);

// "N 14, M 3, Q 10, sun-synchronous" or "..., inclination 65.0°": the
// design as the summaries of the commands name it.
std::string DesignName(const DesignRun& run);

// "N 14, M 3, Q 10, sun-synchronous, 786.12 km, 98.544 deg: 143 revolutions
// in 10.00 days": the design line of the summaries.
std::string DesignSummaryText(const DesignRun& run);

// "Revisit by latitude: N 14, M 3, Q 10, sun-synchronous, 290 km swath", with
// the satellites and the direction of pass when they are not the default,
// and ", Sun at least 10° up" with the light test.
std::string CoverageChartTitle(const DesignRun& run, const analysis::SwathRequest& request,
                               const std::optional<CoverageDaylight>& daylight = {});

// The summary (design, swath, with an epoch the epoch and node and the
// daylight condition, sidelap, full coverage, longest wait), then the table
// by latitude, then any warnings about the design. When the southern
// hemisphere reads the same as the northern, as it does for every closed
// cycle without the light test, each line stands for both (±).
void WriteCoverageText(const DesignRun& run, const analysis::SwathRequest& request,
                       const analysis::CoverageTable& table, std::ostream& out,
                       const std::optional<CoverageDaylight>& daylight = {});

// latitude_deg,passes,covered_fraction,max_revisit_days,mean_revisit_days:
// one line per latitude, south to north, numbers at full precision (the
// shortest text that reads back as the same double), revisit cells empty
// where nothing is seen. With the light test one comment line comes first,
// "# daylight: " and the condition (DaylightText).
void WriteCoverageCsv(const analysis::CoverageTable& table, std::ostream& out,
                      const std::optional<CoverageDaylight>& daylight = {});

// {"design", "swath_km", "satellites", "passes_direction", "summary", "rows"};
// the design as `design --json` writes it, one row object per line. With an
// epoch, "sun_min_deg" (null without --sun-min), "epoch", "ltan_mean_h" and
// "cycles" come before "summary".
void WriteCoverageJson(const DesignRun& run, const analysis::SwathRequest& request,
                       const analysis::CoverageTable& table, std::ostream& out,
                       const std::optional<CoverageDaylight>& daylight = {});

}  // namespace orbit::cli

#pragma once
// How `repeat-orbit sun` writes its answer: the design, the node and a
// summary above a table by day for reading, the day table as CSV, one JSON
// object for scripts, and the title its chart carries.

#include "cli/design_run.h"
#include "ephemeris/instant.h"
#include "ephemeris/orbit_node.h"
#include "sun/sun_figures.h"

#include <ostream>
#include <string>

namespace orbit::cli {

struct SunAnswer {
    const DesignRun& run;
    const ephemeris::Instant& epoch;
    const ephemeris::OrbitNode& node;
    const sun::SunSpan& span;
    const sun::SunFigures& figures;
};

// The UTC instant of day row `k`, as ISO 8601 with `decimals` digits of the second.
std::string RowDateText(const SunAnswer& answer, std::size_t row, int decimals);

void WriteSunText(const SunAnswer& answer, std::ostream& out);

// date,mjd_utc,beta_deg,umbra_min,penumbra_min,umbra_fraction,ltan_mean_h,ltan_true_h:
// one line a day row, numbers at full precision.
void WriteSunCsv(const SunAnswer& answer, std::ostream& out);

// {"design", "epoch", "node", "summary", "days", "latitudes" (with a latitude step)}.
void WriteSunJson(const SunAnswer& answer, std::ostream& out);

// "Sun and eclipses: N 14, M 3, Q 10, sun-synchronous, LTDN 10:30:00"
std::string SunChartTitle(const SunAnswer& answer);

}  // namespace orbit::cli

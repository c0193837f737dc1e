#pragma once
// How `repeat-orbit coverage` writes its answer: a summary and a table for
// reading, CSV for spreadsheets, one JSON object for scripts, and the title
// its chart carries.

#include "analysis/swath_coverage.h"
#include "cli/design_run.h"

#include <optional>
#include <ostream>
#include <string>

namespace orbit::cli {

// "both", "ascending", "descending": the words --passes takes.
std::string PassDirectionName(analysis::PassDirection direction);
std::optional<analysis::PassDirection> PassDirectionNamed(const std::string& name);

// "N 14, M 3, Q 10, sun-synchronous" or "..., inclination 65.0°": the
// design as the summaries of the commands name it.
std::string DesignName(const DesignRun& run);

// The shortest text that reads back as the same double: full precision
// without trailing noise, as the CSV cells are written.
std::string ShortestText(double value);

// "N 14, M 3, Q 10, sun-synchronous, 786.12 km, 98.544 deg: 143 revolutions
// in 10.00 days": the design line of the summaries.
std::string DesignSummaryText(const DesignRun& run);

// "Revisit by latitude: N 14, M 3, Q 10, sun-synchronous, 290 km swath", with
// the satellites and the direction of pass when they are not the default.
std::string CoverageChartTitle(const DesignRun& run, const analysis::SwathRequest& request);

// The summary (design, swath, sidelap, full coverage, longest wait), then the
// table by latitude, then any warnings about the design. When the southern
// hemisphere reads the same as the northern, as it does for every closed
// cycle, each line stands for both (±).
void WriteCoverageText(const DesignRun& run, const analysis::SwathRequest& request,
                       const analysis::CoverageTable& table, std::ostream& out);

// latitude_deg,passes,covered_fraction,max_revisit_days,mean_revisit_days:
// one line per latitude, south to north, numbers at full precision (the
// shortest text that reads back as the same double), revisit cells empty
// where nothing is seen.
void WriteCoverageCsv(const analysis::CoverageTable& table, std::ostream& out);

// {"design", "swath_km", "satellites", "passes_direction", "summary", "rows"};
// the design as `design --json` writes it, one row object per line.
void WriteCoverageJson(const DesignRun& run, const analysis::SwathRequest& request,
                       const analysis::CoverageTable& table, std::ostream& out);

}  // namespace orbit::cli

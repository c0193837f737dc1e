#pragma once
// The explorer's candidates as text: each cell as the table shows it, the
// selected rows as tab-separated text for the clipboard, and the whole table
// as CSV. The numbers are written by the same code as `repeat-orbit search`
// and `repeat-orbit coverage` write them, and the lines by the command's own
// writer (analysis/candidate_csv).

#include "explorer/candidate_columns.h"
#include "explorer/candidate_set.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace explorer {

// A count as the window writes it, its thousands grouped: "1,501,362".
std::string GroupedCountText(std::int64_t count);
// A count and its noun, singular for one: "1 day", "1,000 days".
std::string CountText(std::int64_t count, std::string_view one, std::string_view many);

// A cell as the table shows it. A worst revisit reads "pending" until it is
// worked out, "none" where no latitude is covered whole, and names its bands
// when either does not reach the equator: one for both hemispheres alike
// ("3.00 at 68–82° only"), else each its own ("10.00 at 0–80° N, 75–78° S
// only").
std::string CellText(const CandidateSet& set, const RevisitFigure& revisit, std::size_t row, ExplorerColumn column);

// A worst revisit's bands of full coverage as the cell names them: "68–82°",
// "0–80° N, 75–78° S", or one hemisphere's alone.
std::string FullCoverageBandsText(const RevisitFigure& revisit);

inline constexpr const char* kPendingText = "pending";
inline constexpr const char* kNoFullCoverageText = "none";
inline constexpr const char* kFailedText = "failed";

// A header line of the columns' names, then one line per row in the order
// given, cells as the table shows them, separated by tabs; pastes into a
// spreadsheet as a table.
std::string CopiedRowsText(const CandidateSet& set, const std::vector<RevisitFigure>& revisits,
                           const std::vector<std::size_t>& rows, const std::vector<ExplorerColumn>& columns);

// The columns of `repeat-orbit search --csv` at full precision and, with a
// swath, equatorial_sidelap_percent and max_revisit_days; one line per row
// in the order given. A revisit not worked out, or with no latitude covered
// whole, is an empty cell.
std::string CsvText(const CandidateSet& set, const std::vector<RevisitFigure>& revisits,
                    const std::vector<std::int32_t>& rows);

}  // namespace explorer

#pragma once
// The explorer table's columns: the figures of `repeat-orbit search` an
// analyst compares candidates by and, with a swath, the sidelap and the worst
// revisit of `repeat-orbit coverage`. Each column's header and the tooltip
// that explain it are kept here; its name in CSV and copied text is the one
// `repeat-orbit` gives the figure.

#include "analysis/search_columns.h"

#include <optional>
#include <vector>

namespace explorer {

enum class ExplorerColumn {
    N,
    M,
    Q,
    Revs,
    SemiMajorAxisKm,
    MeanAltitudeKm,
    InclinationDeg,
    NodalPeriodMin,
    GridSpacingKm,
    SubcycleDays,
    SidelapPercent,    // with a swath only
    WorstRevisitDays,  // with a swath only
};

struct ExplorerColumnInfo {
    ExplorerColumn column;
    const char* header;   // with its unit
    const char* toolTip;  // what the figure means
    const char* key;      // in CSV and copied text: `repeat-orbit`'s name, from the analysis tables
    // The search figure shown; none for the figures that come with a swath,
    // which are shown only with one.
    std::optional<orbit::analysis::SearchColumn> searchColumn;
};

const ExplorerColumnInfo& InfoOf(ExplorerColumn column);

// The columns shown, in order: the swath columns last, only with a swath.
std::vector<ExplorerColumn> ColumnsFor(bool withSwath);

// The search column a column shows; none for the swath columns.
std::optional<orbit::analysis::SearchColumn> SearchColumnOf(ExplorerColumn column);

}  // namespace explorer

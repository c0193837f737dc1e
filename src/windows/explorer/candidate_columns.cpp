#include "explorer/candidate_columns.h"

#include <array>
#include <cstddef>

namespace explorer {

using orbit::analysis::SearchColumn;

namespace {

// A column showing a figure of `repeat-orbit search`, under its key.
constexpr ExplorerColumnInfo Searched(ExplorerColumn column, const char* header, const char* toolTip,
                                      SearchColumn searchColumn)
{
    return {column, header, toolTip, orbit::analysis::InfoOf(searchColumn).key, searchColumn};
}

// A column of a figure that comes with a swath, as `repeat-orbit coverage` names it.
constexpr ExplorerColumnInfo WithSwath(ExplorerColumn column, const char* header, const char* toolTip, const char* key)
{
    return {column, header, toolTip, key, std::nullopt};
}

constexpr std::array<ExplorerColumnInfo, 12> kColumns{{
    Searched(ExplorerColumn::N, "N", "Whole revolutions a day", SearchColumn::N),
    Searched(ExplorerColumn::M, "M",
             "Extra revolutions over the cycle: the track closes after N\u00b7Q + M revolutions", SearchColumn::M),
    Searched(ExplorerColumn::Q, "Q (days)", "Days until the ground track repeats", SearchColumn::Q),
    Searched(ExplorerColumn::Revs, "Revs", "Revolutions in one repeat cycle, N\u00b7Q + M", SearchColumn::Revs),
    Searched(ExplorerColumn::SemiMajorAxisKm, "Semi-major axis (km)", "Semi-major axis of the circular orbit",
             SearchColumn::SemiMajorAxisKm),
    Searched(ExplorerColumn::MeanAltitudeKm, "Altitude (km)", "Mean altitude above the equatorial radius",
             SearchColumn::MeanAltitudeKm),
    Searched(ExplorerColumn::InclinationDeg, "Inclination (deg)",
             "Inclination: derived for a sun-synchronous orbit, else the one chosen", SearchColumn::InclinationDeg),
    Searched(ExplorerColumn::NodalPeriodMin, "Nodal period (min)", "Time from one ascending node to the next",
             SearchColumn::NodalPeriodMin),
    Searched(ExplorerColumn::GridSpacingKm, "Grid spacing (km)",
             "Distance between neighbouring tracks along the equator once the cycle closes",
             SearchColumn::GridSpacingKm),
    Searched(ExplorerColumn::SubcycleDays, "Sub-cycle (days)",
             "The first day a track lands next to day 0's track; empty for a one-day cycle", SearchColumn::SubcycleDays),
    WithSwath(ExplorerColumn::SidelapPercent, "Sidelap (%)",
              "Overlap of neighbouring swaths at the equator, across the track; negative: a gap between them",
              orbit::analysis::kSidelapKey),
    WithSwath(ExplorerColumn::WorstRevisitDays, "Worst revisit (days)",
              "Longest wait between two looks over the latitudes the swath covers whole; \"none\" when no latitude is "
              "covered whole; \"pending\" while it is being worked out",
              orbit::analysis::kWorstRevisitKey),
}};

static_assert([] {
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        if (static_cast<std::size_t>(kColumns[i].column) != i)
            return false;
    }
    return true;
}());

}  // namespace

const ExplorerColumnInfo& InfoOf(ExplorerColumn column) { return kColumns[static_cast<std::size_t>(column)]; }

std::vector<ExplorerColumn> ColumnsFor(bool withSwath)
{
    std::vector<ExplorerColumn> columns;
    for (const ExplorerColumnInfo& info : kColumns)
        if (withSwath || info.searchColumn)
            columns.push_back(info.column);
    return columns;
}

std::optional<SearchColumn> SearchColumnOf(ExplorerColumn column) { return InfoOf(column).searchColumn; }

}  // namespace explorer

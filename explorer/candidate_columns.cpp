#include "explorer/candidate_columns.h"

#include <array>
#include <cstddef>

namespace explorer {

using orbit::analysis::SearchColumn;

namespace {

constexpr std::array<ExplorerColumnInfo, 12> kColumns{{
    {ExplorerColumn::N, "N", "Whole revolutions a day", "N", false},
    {ExplorerColumn::M, "M", "Extra revolutions over the cycle: the track closes after N\u00b7Q + M revolutions",
     "M", false},
    {ExplorerColumn::Q, "Q (days)", "Days until the ground track repeats", "Q", false},
    {ExplorerColumn::Revs, "Revs", "Revolutions in one repeat cycle, N\u00b7Q + M", "revs", false},
    {ExplorerColumn::SemiMajorAxisKm, "Semi-major axis (km)", "Semi-major axis of the circular orbit",
     "semi_major_axis_km", false},
    {ExplorerColumn::MeanAltitudeKm, "Altitude (km)", "Mean altitude above the equatorial radius",
     "mean_altitude_km", false},
    {ExplorerColumn::InclinationDeg, "Inclination (deg)",
     "Inclination: derived for a sun-synchronous orbit, else the one chosen", "inclination_deg", false},
    {ExplorerColumn::NodalPeriodMin, "Nodal period (min)", "Time from one ascending node to the next",
     "nodal_period_min", false},
    {ExplorerColumn::GridSpacingKm, "Grid spacing (km)",
     "Distance between neighbouring tracks along the equator once the cycle closes", "grid_spacing_km", false},
    {ExplorerColumn::SubcycleDays, "Sub-cycle (days)",
     "The first day a track lands next to day 0's track; empty for a one-day cycle", "subcycle_days", false},
    {ExplorerColumn::SidelapPercent, "Sidelap (%)",
     "Overlap of neighbouring swaths at the equator, across the track; negative: a gap between them",
     orbit::analysis::kSidelapKey, true},
    {ExplorerColumn::WorstRevisitDays, "Worst revisit (days)",
     "Longest wait between two looks over the latitudes the swath covers whole; \"none\" when no latitude is "
     "covered whole; \"pending\" while it is being worked out",
     orbit::analysis::kWorstRevisitKey, true},
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
        if (withSwath || !info.swathOnly)
            columns.push_back(info.column);
    return columns;
}

std::optional<SearchColumn> SearchColumnOf(ExplorerColumn column)
{
    switch (column) {
    case ExplorerColumn::N:
        return SearchColumn::N;
    case ExplorerColumn::M:
        return SearchColumn::M;
    case ExplorerColumn::Q:
        return SearchColumn::Q;
    case ExplorerColumn::Revs:
        return SearchColumn::Revs;
    case ExplorerColumn::SemiMajorAxisKm:
        return SearchColumn::SemiMajorAxisKm;
    case ExplorerColumn::MeanAltitudeKm:
        return SearchColumn::MeanAltitudeKm;
    case ExplorerColumn::InclinationDeg:
        return SearchColumn::InclinationDeg;
    case ExplorerColumn::NodalPeriodMin:
        return SearchColumn::NodalPeriodMin;
    case ExplorerColumn::GridSpacingKm:
        return SearchColumn::GridSpacingKm;
    case ExplorerColumn::SubcycleDays:
        return SearchColumn::SubcycleDays;
    case ExplorerColumn::SidelapPercent:
    case ExplorerColumn::WorstRevisitDays:
        break;
    }
    return std::nullopt;
}

}  // namespace explorer

#pragma once
// The columns a list of candidate designs is shown in, and how each cell is
// written: `repeat-orbit search` (table and CSV) and the explorer window read
// them here, so a candidate reads the same wherever it is shown. The swath
// figures that come with a swath (sidelap, worst revisit) are written here
// too, as `repeat-orbit coverage` writes them.

#include "analysis/repeat_search.h"
#include "core/result_fields.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace orbit::analysis {

enum class SearchColumn {
    N,
    M,
    Q,
    Revs,
    SemiMajorAxisKm,
    MeanAltitudeKm,
    InclinationDeg,
    NodalPeriodMin,
    MeanMotionRevPerDay,
    OrbitSpacingDeg,
    GridSpacingDeg,
    GridSpacingKm,
    SubcycleDays,
};

struct SearchColumnInfo {
    SearchColumn column;
    const char* key;      // the column's name in CSV and JSON
    const char* pattern;  // how the table writes it (FormatPattern); nullptr for a whole number
};

// In the order `repeat-orbit search` writes them.
inline constexpr std::array<SearchColumnInfo, 13> kSearchColumns{{
    {SearchColumn::N, "N", nullptr},
    {SearchColumn::M, "M", nullptr},
    {SearchColumn::Q, "Q", nullptr},
    {SearchColumn::Revs, "revs", nullptr},
    // A design's own results go by the names `repeat-orbit design` gives them.
    {SearchColumn::SemiMajorAxisKm, InfoOf(ResultField::SemiMajorAxis).valueKey, "#0.00"},
    {SearchColumn::MeanAltitudeKm, InfoOf(ResultField::MeanAltitude).valueKey, "#0.00"},
    {SearchColumn::InclinationDeg, InfoOf(ResultField::SunSyncInclination).valueKey, "#0.000"},
    {SearchColumn::NodalPeriodMin, InfoOf(ResultField::NodalPeriod).valueKey, "#0.000"},
    {SearchColumn::MeanMotionRevPerDay, InfoOf(ResultField::MeanMotion).valueKey, "#0.0000000"},
    {SearchColumn::OrbitSpacingDeg, "orbit_spacing_deg", "#0.0000"},
    {SearchColumn::GridSpacingDeg, "grid_spacing_deg", "#0.0000"},
    {SearchColumn::GridSpacingKm, "grid_spacing_km", "#0.00"},
    {SearchColumn::SubcycleDays, "subcycle_days", nullptr},
}};

constexpr const SearchColumnInfo& InfoOf(SearchColumn column)
{
    return kSearchColumns[static_cast<std::size_t>(column)];
}

static_assert([] {
    for (std::size_t i = 0; i < kSearchColumns.size(); ++i) {
        if (static_cast<std::size_t>(kSearchColumns[i].column) != i)
            return false;
    }
    return true;
}());

// The cell's value; none for a row without a sub-cycle.
std::optional<double> SearchValue(const SearchRow& row, SearchColumn column);

// As the table shows it: rounded to the places the design window shows
// (half away from zero), "" for no sub-cycle.
std::string SearchCellText(const SearchRow& row, SearchColumn column);

// At full precision, the shortest text that reads back as the same double;
// "" for no sub-cycle.
std::string SearchCsvText(const SearchRow& row, SearchColumn column);

// The same two texts appended to `out`, for listings of millions of rows.
void AppendSearchCell(std::string& out, const SearchRow& row, SearchColumn column);
void AppendSearchCsvCell(std::string& out, const SearchRow& row, SearchColumn column);

// A value of a column, as the table shows it: for the widths of a table,
// which are those of the column's extreme values.
void AppendSearchCellOf(std::string& out, double value, SearchColumn column);

// The swath figures, as `repeat-orbit coverage` writes them: percent and days
// with two decimals.
inline constexpr const char* kSidelapKey = "equatorial_sidelap_percent";
inline constexpr const char* kWorstRevisitKey = "max_revisit_days";
std::string SidelapPercentText(double percent);
std::string RevisitDaysText(double days);

}  // namespace orbit::analysis

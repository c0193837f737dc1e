#include "analysis/search_columns.h"

#include "core/number_text.h"

#include <charconv>

namespace orbit::analysis {

std::optional<double> SearchValue(const SearchRow& row, SearchColumn column)
{
    switch (column) {
    case SearchColumn::N:
        return row.N;
    case SearchColumn::M:
        return row.M;
    case SearchColumn::Q:
        return row.Q;
    case SearchColumn::Revs:
        return static_cast<double>(row.revs());
    case SearchColumn::SemiMajorAxisKm:
        return row.semiMajorAxisKm;
    case SearchColumn::MeanAltitudeKm:
        return row.meanAltitudeKm;
    case SearchColumn::InclinationDeg:
        return row.inclinationDeg;
    case SearchColumn::NodalPeriodMin:
        return row.nodalPeriodMin;
    case SearchColumn::MeanMotionRevPerDay:
        return row.meanMotionRevPerDay;
    case SearchColumn::OrbitSpacingDeg:
        return row.orbitSpacingDeg;
    case SearchColumn::GridSpacingDeg:
        return row.gridSpacingDeg();
    case SearchColumn::GridSpacingKm:
        return row.gridSpacingKm();
    case SearchColumn::SubcycleDays:
        if (const auto days = row.subcycleDays())
            return static_cast<double>(*days);
        return std::nullopt;
    }
    return std::nullopt;
}

namespace {

// Whole-number columns are written as integers, never through a double.
std::string WholeText(const SearchRow& row, SearchColumn column)
{
    switch (column) {
    case SearchColumn::N:
        return std::to_string(row.N);
    case SearchColumn::M:
        return std::to_string(row.M);
    case SearchColumn::Q:
        return std::to_string(row.Q);
    case SearchColumn::Revs:
        return std::to_string(row.revs());
    default:
        break;
    }
    const auto days = row.subcycleDays();
    return days ? std::to_string(*days) : std::string();
}

}  // namespace

std::string SearchCellText(const SearchRow& row, SearchColumn column)
{
    const SearchColumnInfo& info = InfoOf(column);
    if (!info.pattern)
        return WholeText(row, column);
    return FormatPattern(*SearchValue(row, column), info.pattern);
}

std::string SearchCsvText(const SearchRow& row, SearchColumn column)
{
    if (!InfoOf(column).pattern)
        return WholeText(row, column);
    return ShortestNumberText(*SearchValue(row, column));
}

std::string ShortestNumberText(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string SidelapPercentText(double percent) { return FormatPattern(percent, "#0.00"); }

std::string RevisitDaysText(double days) { return FormatPattern(days, "#0.00"); }

}  // namespace orbit::analysis

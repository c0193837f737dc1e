#include "analysis/search_columns.h"

#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cstdint>

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

void AppendWhole(std::string& out, std::int64_t value)
{
    char buffer[24];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// Whole-number columns are written as integers, never through a double.
void AppendWholeCell(std::string& out, const SearchRow& row, SearchColumn column)
{
    switch (column) {
    case SearchColumn::N:
        return AppendWhole(out, row.N);
    case SearchColumn::M:
        return AppendWhole(out, row.M);
    case SearchColumn::Q:
        return AppendWhole(out, row.Q);
    case SearchColumn::Revs:
        return AppendWhole(out, row.revs());
    default:
        break;
    }
    if (const auto days = row.subcycleDays())
        AppendWhole(out, *days);
}

// Each column's pattern, read once.
const NumberPattern& PatternOf(SearchColumn column)
{
    static const std::array<NumberPattern, kSearchColumns.size()> patterns = [] {
        std::array<NumberPattern, kSearchColumns.size()> read{};
        for (const SearchColumnInfo& info : kSearchColumns)
            if (info.pattern)
                read[static_cast<std::size_t>(info.column)] = NumberPattern(info.pattern);
        return read;
    }();
    return patterns[static_cast<std::size_t>(column)];
}

// The value of a figure column (one with a pattern); whole-number columns
// never come here.
double FigureOf(const SearchRow& row, SearchColumn column)
{
    switch (column) {
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
    default:
        break;
    }
    return *SearchValue(row, column);
}

}  // namespace

void AppendSearchCell(std::string& out, const SearchRow& row, SearchColumn column)
{
    if (!InfoOf(column).pattern)
        return AppendWholeCell(out, row, column);
    AppendPattern(out, FigureOf(row, column), PatternOf(column));
}

void AppendSearchCsvCell(std::string& out, const SearchRow& row, SearchColumn column)
{
    if (!InfoOf(column).pattern)
        return AppendWholeCell(out, row, column);
    AppendShortestNumber(out, FigureOf(row, column));
}

void AppendSearchCellOf(std::string& out, double value, SearchColumn column)
{
    if (!InfoOf(column).pattern)
        return AppendWhole(out, static_cast<std::int64_t>(value));
    AppendPattern(out, value, PatternOf(column));
}

std::string SearchCellText(const SearchRow& row, SearchColumn column)
{
    std::string text;
    AppendSearchCell(text, row, column);
    return text;
}

std::string SearchCsvText(const SearchRow& row, SearchColumn column)
{
    std::string text;
    AppendSearchCsvCell(text, row, column);
    return text;
}

std::string SidelapPercentText(double percent) { return FormatPattern(percent, "#0.00"); }

std::string RevisitDaysText(double days) { return FormatPattern(days, "#0.00"); }

}  // namespace orbit::analysis

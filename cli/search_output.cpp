#include "cli/search_output.h"

#include "analysis/search_columns.h"

#include <algorithm>

namespace orbit::cli {

const std::vector<std::string>& SearchColumns()
{
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> keys;
        for (const analysis::SearchColumnInfo& info : analysis::kSearchColumns)
            keys.emplace_back(info.key);
        return keys;
    }();
    return columns;
}

namespace {

// The cells of a row for the table, in column order.
std::vector<std::string> TableCells(const SearchRow& row)
{
    std::vector<std::string> cells;
    cells.reserve(analysis::kSearchColumns.size());
    for (const analysis::SearchColumnInfo& info : analysis::kSearchColumns)
        cells.push_back(analysis::SearchCellText(row, info.column));
    return cells;
}

}  // namespace

void WriteSearchTable(const SearchRows& rows, std::ostream& out)
{
    // Two passes, formatting each row twice, so that a long search never
    // holds every cell's text at once.
    const std::vector<std::string>& columns = SearchColumns();
    std::vector<std::size_t> widths;
    for (const std::string& column : columns)
        widths.push_back(column.size());
    for (const SearchRow& row : rows) {
        const std::vector<std::string> cells = TableCells(row);
        for (std::size_t i = 0; i < widths.size(); ++i)
            widths[i] = std::max(widths[i], cells[i].size());
    }

    const auto writeLine = [&](const std::vector<std::string>& line) {
        std::string text;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i > 0)
                text += "  ";
            text.append(widths[i] - line[i].size(), ' ');
            text += line[i];
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out << text << '\n';
    };
    writeLine(columns);
    for (const SearchRow& row : rows)
        writeLine(TableCells(row));
}

void WriteSearchCsv(const SearchRows& rows, std::ostream& out)
{
    const std::vector<std::string>& columns = SearchColumns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        out << (i > 0 ? "," : "") << columns[i];
    out << '\n';
    for (const SearchRow& row : rows) {
        for (std::size_t i = 0; i < analysis::kSearchColumns.size(); ++i)
            out << (i > 0 ? "," : "") << analysis::SearchCsvText(row, analysis::kSearchColumns[i].column);
        out << '\n';
    }
}

nlohmann::ordered_json SearchRowJson(const SearchRow& row)
{
    nlohmann::ordered_json object;
    object["N"] = row.N;
    object["M"] = row.M;
    object["Q"] = row.Q;
    object["revs"] = row.revs();
    object["semi_major_axis_km"] = row.semiMajorAxisKm;
    object["mean_altitude_km"] = row.meanAltitudeKm;
    object["inclination_deg"] = row.inclinationDeg;
    object["nodal_period_min"] = row.nodalPeriodMin;
    object["mean_motion_rev_per_day"] = row.meanMotionRevPerDay;
    object["orbit_spacing_deg"] = row.orbitSpacingDeg;
    object["grid_spacing_deg"] = row.gridSpacingDeg();
    object["grid_spacing_km"] = row.gridSpacingKm();
    const auto subcycle = row.subcycleDays();
    object["subcycle_days"] = subcycle ? nlohmann::ordered_json(*subcycle) : nlohmann::ordered_json(nullptr);
    return object;
}

void WriteSearchJson(const SearchRows& rows, std::ostream& out)
{
    // Written object by object: a long search never builds the whole document.
    if (rows.empty()) {
        out << "[]\n";
        return;
    }
    out << "[\n";
    for (std::size_t i = 0; i < rows.size(); ++i)
        out << "  " << SearchRowJson(rows[i]).dump() << (i + 1 < rows.size() ? ",\n" : "\n");
    out << "]\n";
}

std::vector<std::string> SearchRemarks(const SearchOutcome& outcome)
{
    std::vector<std::string> remarks;
    if (outcome.rowsInBand > static_cast<std::int64_t>(outcome.rows.size()))
        remarks.push_back("The " + std::to_string(outcome.rows.size()) + " highest of " +
                          std::to_string(outcome.rowsInBand) + " repeat orbits in the band are listed.");
    if (const int failed = outcome.failureCount(); failed > 0) {
        std::string line = std::to_string(failed) + (failed == 1 ? " design" : " designs") +
                           " could not be solved and " + (failed == 1 ? "was" : "were") + " left out:";
        bool first = true;
        for (const auto& [text, count] : outcome.failures) {
            line += (first ? " " : "; ") + text + " (" + std::to_string(count) + ")";
            first = false;
        }
        remarks.push_back(line);
    }
    if (outcome.notSunSynchronous > 0) {
        const int n = outcome.notSunSynchronous;
        remarks.push_back(std::to_string(n) + (n == 1 ? " design" : " designs") + " in the band " +
                          (n == 1 ? "was" : "were") + " left out: no sun-synchronous orbit exists at " +
                          (n == 1 ? "its" : "their") + " semi-major axis.");
    }
    return remarks;
}

}  // namespace orbit::cli

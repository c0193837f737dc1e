#include "cli/search_output.h"

#include "analysis/candidate_csv.h"
#include "analysis/search_columns.h"
#include "core/orbit_error.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace orbit::cli {

namespace {

using analysis::kSearchColumns;
constexpr std::size_t kColumnCount = kSearchColumns.size();

// Pieces of about this size go to the stream.
constexpr std::size_t kPieceBytes = 1 << 16;

// The width of each column: its key's or its widest cell's. A cell is
// written with a fixed number of places and a minus sign only when it is
// negative and does not round to zero, so its text grows with the magnitude
// of its value: the widest cell of a column is that of its least or of its
// greatest value. One look at every value finds them, and every cell is
// then written once.
static_assert(
    [] {
        for (const analysis::SearchColumnInfo& info : kSearchColumns) {
            if (!info.pattern)
                continue;
            const std::string_view pattern = info.pattern;
            const auto point = pattern.find('.');
            if (point != std::string_view::npos && pattern.substr(point).find('#') != std::string_view::npos)
                return false;
        }
        return true;
    }(),
    "a column whose places are optional ('#' after the point) is not widest at its extremes");

std::array<std::size_t, kColumnCount> ColumnWidths(const SearchRows& rows)
{
    std::array<std::size_t, kColumnCount> widths{};
    std::array<double, kColumnCount> least{}, greatest{};
    std::array<bool, kColumnCount> any{};
    for (const SearchRow& row : rows) {
        for (std::size_t i = 0; i < kColumnCount; ++i) {
            const std::optional<double> value = analysis::SearchValue(row, kSearchColumns[i].column);
            if (!value)
                continue;
            // Stop before a line is written, as the table always has.
            if (!std::isfinite(*value))
                throw OrbitError(ErrorKind::Overflow);
            least[i] = any[i] ? std::min(least[i], *value) : *value;
            greatest[i] = any[i] ? std::max(greatest[i], *value) : *value;
            any[i] = true;
        }
    }
    std::string text;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        widths[i] = std::string_view(kSearchColumns[i].key).size();
        if (!any[i])
            continue;
        for (const double extreme : {least[i], greatest[i]}) {
            text.clear();
            analysis::AppendSearchCellOf(text, extreme, kSearchColumns[i].column);
            widths[i] = std::max(widths[i], text.size());
        }
    }
    return widths;
}

}  // namespace

void WriteSearchTable(const SearchRows& rows, std::ostream& out)
{
    const std::array<std::size_t, kColumnCount> widths = ColumnWidths(rows);
    std::string text;
    text.reserve(kPieceBytes + 1024);
    std::string cell;
    // Right-aligned cells two blanks apart; a line ends at its last text.
    const auto endLine = [&] {
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        text += '\n';
        if (text.size() >= kPieceBytes) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            text.clear();
        }
    };
    const auto appendCell = [&](std::size_t i, std::string_view value) {
        if (i > 0)
            text += "  ";
        text.append(widths[i] - value.size(), ' ');
        text += value;
    };
    for (std::size_t i = 0; i < kColumnCount; ++i)
        appendCell(i, kSearchColumns[i].key);
    endLine();
    for (const SearchRow& row : rows) {
        for (std::size_t i = 0; i < kColumnCount; ++i) {
            cell.clear();
            analysis::AppendSearchCell(cell, row, kSearchColumns[i].column);
            appendCell(i, cell);
        }
        endLine();
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void WriteSearchCsv(const SearchRows& rows, std::ostream& out)
{
    analysis::WriteCandidateCsv(
        rows, [&out](std::string_view piece) { out.write(piece.data(), static_cast<std::streamsize>(piece.size())); });
}

nlohmann::ordered_json SearchRowJson(const SearchRow& row)
{
    nlohmann::ordered_json object;
    for (const analysis::SearchColumnInfo& info : kSearchColumns) {
        const std::optional<double> value = analysis::SearchValue(row, info.column);
        if (!value)
            object[info.key] = nullptr;
        else if (info.pattern)
            object[info.key] = *value;
        else  // whole numbers as JSON integers
            object[info.key] = static_cast<std::int64_t>(*value);
    }
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

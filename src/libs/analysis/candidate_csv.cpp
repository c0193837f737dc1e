#include "analysis/candidate_csv.h"

#include "analysis/search_columns.h"
#include "core/number_text.h"

#include <vector>

namespace orbit::analysis {

namespace {

// Pieces of about this size go to the sink: large enough that a call per
// piece costs nothing, small enough to stay in the cache.
constexpr std::size_t kPieceBytes = 1 << 16;

std::vector<std::string_view> CandidateKeys(bool withSwath)
{
    std::vector<std::string_view> keys;
    for (const SearchColumnInfo& info : kSearchColumns)
        keys.emplace_back(info.key);
    if (withSwath) {
        keys.emplace_back(kSidelapKey);
        keys.emplace_back(kWorstRevisitKey);
    }
    return keys;
}

void WriteCsv(const SearchRows& rows, std::size_t rowCount, const std::function<std::size_t(std::size_t)>& rowAt,
              const SwathFiguresOf& swath, const TextSink& sink)
{
    const std::vector<std::string_view> keys = CandidateKeys(static_cast<bool>(swath));
    // The swath figures of the line being written, asked for once a line.
    std::size_t figuresLine = rowCount;
    SwathFigures figures;
    WriteDelimited(keys, rowCount, ',',
                   [&](std::string& line, std::size_t i, std::size_t column) {
                       const std::size_t row = rowAt(i);
                       if (column < kSearchColumns.size())
                           return AppendSearchCsvCell(line, rows[row], kSearchColumns[column].column);
                       if (figuresLine != i) {
                           figures = swath(row);
                           figuresLine = i;
                       }
                       const std::optional<double>& figure =
                           column == kSearchColumns.size() ? figures.sidelapPercent : figures.worstRevisitDays;
                       if (figure)
                           AppendShortestNumber(line, *figure);
                   },
                   sink);
}

}  // namespace

void WriteDelimited(std::span<const std::string_view> keys, std::size_t rowCount, char separator,
                    const CellWriter& cell, const TextSink& sink)
{
    std::string text;
    text.reserve(kPieceBytes + 4096);
    for (std::size_t column = 0; column < keys.size(); ++column) {
        if (column > 0)
            text += separator;
        text += keys[column];
    }
    text += '\n';
    for (std::size_t row = 0; row < rowCount; ++row) {
        for (std::size_t column = 0; column < keys.size(); ++column) {
            if (column > 0)
                text += separator;
            cell(text, row, column);
        }
        text += '\n';
        if (text.size() >= kPieceBytes) {
            sink(text);
            text.clear();
        }
    }
    if (!text.empty())
        sink(text);
}

void WriteCandidateCsv(const SearchRows& rows, std::span<const std::int32_t> order, const SwathFiguresOf& swath,
                       const TextSink& sink)
{
    WriteCsv(rows, order.size(), [order](std::size_t i) { return static_cast<std::size_t>(order[i]); }, swath, sink);
}

void WriteCandidateCsv(const SearchRows& rows, const TextSink& sink)
{
    WriteCsv(rows, rows.size(), [](std::size_t i) { return i; }, {}, sink);
}

}  // namespace orbit::analysis

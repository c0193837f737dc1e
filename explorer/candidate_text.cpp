#include "explorer/candidate_text.h"

#include "analysis/search_columns.h"

#include <cmath>
#include <limits>

namespace explorer {

namespace {

using orbit::analysis::kSearchColumns;

std::string RevisitText(const RevisitFigure& revisit)
{
    switch (revisit.state) {
    case RevisitFigure::State::Days:
        return orbit::analysis::RevisitDaysText(revisit.days);
    case RevisitFigure::State::NoFullCoverage:
        return kNoFullCoverageText;
    case RevisitFigure::State::Failed:
        return kFailedText;
    case RevisitFigure::State::Pending:
        break;
    }
    return kPendingText;
}

const RevisitFigure& RevisitOf(const std::vector<RevisitFigure>& revisits, std::size_t row)
{
    static const RevisitFigure pending;
    return row < revisits.size() ? revisits[row] : pending;
}

}  // namespace

std::string CellText(const CandidateSet& set, const RevisitFigure& revisit, std::size_t row, ExplorerColumn column)
{
    if (const auto searchColumn = SearchColumnOf(column))
        return orbit::analysis::SearchCellText(set.Row(row), *searchColumn);
    if (column == ExplorerColumn::SidelapPercent) {
        const double percent = row < set.sidelapPercent.size() ? set.sidelapPercent[row] : std::numeric_limits<double>::quiet_NaN();
        return std::isnan(percent) ? kFailedText : orbit::analysis::SidelapPercentText(percent);
    }
    return RevisitText(revisit);
}

std::string CopiedRowsText(const CandidateSet& set, const std::vector<RevisitFigure>& revisits,
                           const std::vector<std::size_t>& rows, const std::vector<ExplorerColumn>& columns)
{
    std::string text;
    for (std::size_t i = 0; i < columns.size(); ++i)
        text.append(i > 0 ? "\t" : "").append(InfoOf(columns[i]).key);
    text += '\n';
    for (const std::size_t row : rows) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            text.append(i > 0 ? "\t" : "").append(CellText(set, RevisitOf(revisits, row), row, columns[i]));
        text += '\n';
    }
    return text;
}

std::string CsvText(const CandidateSet& set, const std::vector<RevisitFigure>& revisits,
                    const std::vector<std::int32_t>& rows)
{
    std::string text;
    for (std::size_t i = 0; i < kSearchColumns.size(); ++i)
        text.append(i > 0 ? "," : "").append(kSearchColumns[i].key);
    if (set.HasSwath())
        text.append(",").append(orbit::analysis::kSidelapKey).append(",").append(orbit::analysis::kWorstRevisitKey);
    text += '\n';
    for (const std::int32_t index : rows) {
        const auto row = static_cast<std::size_t>(index);
        for (std::size_t i = 0; i < kSearchColumns.size(); ++i)
            text.append(i > 0 ? "," : "").append(orbit::analysis::SearchCsvText(set.Row(row), kSearchColumns[i].column));
        if (set.HasSwath()) {
            const double percent = set.sidelapPercent[row];
            text.append(",").append(std::isnan(percent) ? "" : orbit::analysis::ShortestNumberText(percent));
            const RevisitFigure& revisit = RevisitOf(revisits, row);
            text.append(",").append(revisit.state == RevisitFigure::State::Days
                                        ? orbit::analysis::ShortestNumberText(revisit.days)
                                        : "");
        }
        text += '\n';
    }
    return text;
}

}  // namespace explorer

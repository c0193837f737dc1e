#include "explorer/candidate_text.h"

#include "analysis/candidate_csv.h"
#include "analysis/search_columns.h"

#include <cmath>
#include <limits>
#include <string_view>

namespace explorer {

namespace {

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
    std::vector<std::string_view> keys;
    for (const ExplorerColumn column : columns)
        keys.emplace_back(InfoOf(column).key);
    std::string text;
    orbit::analysis::WriteDelimited(
        keys, rows.size(), '\t',
        [&](std::string& line, std::size_t i, std::size_t column) {
            line += CellText(set, RevisitOf(revisits, rows[i]), rows[i], columns[column]);
        },
        [&text](std::string_view piece) { text += piece; });
    return text;
}

std::string CsvText(const CandidateSet& set, const std::vector<RevisitFigure>& revisits,
                    const std::vector<std::int32_t>& rows)
{
    orbit::analysis::SwathFiguresOf swath;
    if (set.HasSwath()) {
        swath = [&](std::size_t row) {
            orbit::analysis::SwathFigures figures;
            if (const double percent = set.sidelapPercent[row]; !std::isnan(percent))
                figures.sidelapPercent = percent;
            if (const RevisitFigure& revisit = RevisitOf(revisits, row); revisit.state == RevisitFigure::State::Days)
                figures.worstRevisitDays = revisit.days;
            return figures;
        };
    }
    std::string text;
    orbit::analysis::WriteCandidateCsv(set.outcome.rows, rows, swath,
                                       [&text](std::string_view piece) { text += piece; });
    return text;
}

}  // namespace explorer

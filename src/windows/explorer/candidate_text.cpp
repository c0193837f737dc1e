#include "explorer/candidate_text.h"

#include "analysis/candidate_csv.h"
#include "analysis/search_columns.h"
#include "core/number_text.h"

#include <cmath>
#include <limits>
#include <string_view>

namespace explorer {

namespace {

std::string RevisitText(const RevisitFigure& revisit)
{
    switch (revisit.state) {
    case RevisitFigure::State::Days: {
        std::string text = orbit::analysis::RevisitDaysText(revisit.days);
        // A wait that holds only over a band away from the equator must not
        // read like an orbit that sees everything that often.
        if (revisit.Partial())
            text += " at " + FullCoverageBandsText(revisit) + " only";
        return text;
    }
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

std::string FullCoverageBandsText(const RevisitFigure& revisit)
{
    const auto band = [](const orbit::analysis::LatitudeBand& b) {
        return orbit::ShortestNumberText(b.fromLatDeg) + "\u2013" +
               orbit::ShortestNumberText(b.toLatDeg) + "\u00b0";
    };
    if (revisit.north && revisit.north == revisit.south)
        return band(*revisit.north);
    std::string text;
    if (revisit.north)
        text = band(*revisit.north) + " N";
    if (revisit.south)
        text += (text.empty() ? "" : ", ") + band(*revisit.south) + " S";
    return text;
}

std::string GroupedCountText(std::int64_t count)
{
    const bool negative = count < 0;
    // Built from the unsigned magnitude: the lowest int64 has no positive twin.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
    std::string digits;
    int inGroup = 0;
    do {
        if (inGroup == 3) {
            digits += ',';
            inGroup = 0;
        }
        digits += static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        ++inGroup;
    } while (magnitude > 0);
    if (negative)
        digits += '-';
    return {digits.rbegin(), digits.rend()};
}

std::string CountText(std::int64_t count, std::string_view one, std::string_view many)
{
    std::string text = GroupedCountText(count);
    text += ' ';
    text += count == 1 ? one : many;
    return text;
}

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

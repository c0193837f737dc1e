#include "sun/sun_text.h"

#include "analysis/search_columns.h"
#include "core/number_text.h"

#include <cstdio>

namespace orbit::sun {

namespace {

std::string Fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::string RowDateText(const ephemeris::Instant& epoch, const SunFigures& figures, std::size_t row, int decimals)
{
    return epoch.PlusSeconds(figures.days[row].secondsAfterEpoch).IsoUtc(decimals);
}

std::vector<std::pair<std::string, std::string>> SunSummaryLines(const ephemeris::Instant& epoch,
                                                                 const SunFigures& figures, const SunSpan& span)
{
    const SunSummary& s = figures.summary;
    // "days" when a row is a day, "rows" otherwise.
    const std::string rowWord = span.stepDays == 1 ? "days" : "rows";
    std::vector<std::pair<std::string, std::string>> lines;
    lines.emplace_back("Beta", Fixed(s.betaMinDeg, 2) + " to " + Fixed(s.betaMaxDeg, 2) +
                                   " deg, the Sun's angle above the orbit plane");
    if (s.umbraMaxMin > 0)
        lines.emplace_back("Longest umbra", Fixed(s.umbraMaxMin, 2) + " min a revolution, on " +
                                                RowDateText(epoch, figures, s.umbraMaxRow, 0));
    else
        lines.emplace_back("Longest umbra", "none: no revolution enters the full shadow");
    lines.emplace_back("Eclipse-free", std::to_string(s.eclipseFreeRows) + " of " +
                                           std::to_string(figures.days.size()) + " " + rowWord +
                                           " without umbra or penumbra");
    if (s.seasons.empty())
        lines.emplace_back("Eclipse season", "none: the orbit stays in sunlight");
    for (std::size_t i = 0; i < s.seasons.size(); ++i) {
        const EclipseSeason& season = s.seasons[i];
        lines.emplace_back(i == 0 ? "Eclipse season" : "",
                           RowDateText(epoch, figures, season.firstRow, 0) + " to " +
                               RowDateText(epoch, figures, season.lastRow, 0) + ", longest umbra " +
                               Fixed(season.umbraMaxMin, 2) + " min");
    }
    return lines;
}

const std::array<SunDayColumn, 7> kSunDayColumns{{
    {"mjd_utc", [](const SunDay& d) { return d.mjdUtc; }},
    {"beta_deg", [](const SunDay& d) { return d.betaDeg; }},
    {"umbra_min", [](const SunDay& d) { return d.eclipse.umbraMin; }},
    {"penumbra_min", [](const SunDay& d) { return d.eclipse.penumbraMin; }},
    {"umbra_fraction", [](const SunDay& d) { return d.eclipse.umbraFraction; }},
    {"ltan_mean_h", [](const SunDay& d) { return d.ltanMeanH; }},
    {"ltan_true_h", [](const SunDay& d) { return d.ltanTrueH; }},
}};

void WriteSunDaysCsv(const ephemeris::Instant& epoch, const SunFigures& figures, std::ostream& out)
{
    out << kSunDateKey;
    for (const SunDayColumn& column : kSunDayColumns)
        out << ',' << column.key;
    out << '\n';
    for (std::size_t k = 0; k < figures.days.size(); ++k) {
        const SunDay& day = figures.days[k];
        out << RowDateText(epoch, figures, k, 3);
        for (const SunDayColumn& column : kSunDayColumns)
            out << ',' << ShortestNumberText(column.value(day));
        out << '\n';
    }
}

}  // namespace orbit::sun

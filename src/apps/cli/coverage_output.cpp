#include "cli/coverage_output.h"

#include "analysis/search_columns.h"
#include "cli/design_output.h"
#include "cli/design_warnings.h"
#include "cli/epoch_node_options.h"
#include "core/design_name.h"
#include "core/number_text.h"
#include "core/orbit_error.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <map>
#include <vector>

namespace orbit::cli {

using analysis::CoverageTable;
using analysis::LatitudeCoverage;
using analysis::PassDirection;
using analysis::SwathRequest;

namespace {

std::string SatellitesText(int satellites)
{
    return std::to_string(satellites) + (satellites == 1 ? " satellite" : " satellites");
}

std::string DirectionText(PassDirection direction)
{
    switch (direction) {
    case PassDirection::Ascending:
        return "ascending passes only";
    case PassDirection::Descending:
        return "descending passes only";
    case PassDirection::Both:
        break;
    }
    return "ascending and descending passes";
}

std::string Days(double days) { return analysis::RevisitDaysText(days); }

// A share of a parallel in percent. A parallel with a gap never reads 100.
std::string Percent(double fraction)
{
    std::string text = FormatPattern(fraction * 100, "#0.00");
    if (fraction < 1 && text == "100.00")
        text = "99.99";
    return text;
}

std::string DegreesText(double degrees) { return ShortestNumberText(degrees); }

std::string NodeText(const ephemeris::OrbitNode& node)
{
    return "ascending node at " + LocalTimeText(node.ltanMeanH) + ", descending node at " +
           LocalTimeText(node.ltdnMeanH) + " mean local time";
}

std::vector<std::string> Cells(const LatitudeCoverage& row)
{
    return {std::to_string(row.passes), Percent(row.coveredFraction),
            row.maxRevisitDays ? Days(*row.maxRevisitDays) : "-",
            row.meanRevisitDays ? Days(*row.meanRevisitDays) : "-"};
}

// Columns on a terminal: a multi-byte character takes one.
std::size_t Width(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Whether the southern hemisphere reads, cell for cell, as the northern.
bool Mirrors(const CoverageTable& table)
{
    std::map<double, const LatitudeCoverage*> byLatitude;
    for (const LatitudeCoverage& row : table.rows)
        byLatitude[row.latitudeDeg] = &row;
    for (const LatitudeCoverage& row : table.rows) {
        const auto other = byLatitude.find(-row.latitudeDeg);
        if (other == byLatitude.end() || Cells(*other->second) != Cells(row))
            return false;
    }
    return true;
}

// One hemisphere's band of full coverage in words.
std::string BandText(const std::optional<analysis::LatitudeBand>& band)
{
    if (!band)
        return "none";
    if (band->fromLatDeg == 0)
        return "every place from the equator to " + DegreesText(band->toLatDeg) + " deg";
    return "from " + DegreesText(band->fromLatDeg) + " to " + DegreesText(band->toLatDeg) + " deg";
}

void WriteSummary(const DesignRun& run, const SwathRequest& request, const CoverageTable& table,
                  const std::optional<CoverageDaylight>& daylight, std::ostream& out)
{
    const auto line = [&](const std::string& label, const std::string& text) {
        std::string padded = label;
        padded.resize(15, ' ');
        out << padded << text << '\n';
    };
    line("Design", DesignSummaryText(run));
    line("Swath", ShortestNumberText(request.swathKm) + " km, " + SatellitesText(request.satellites) + ", " +
                      DirectionText(request.passes));
    if (daylight) {
        line("Epoch", daylight->epoch.IsoUtc(3) + ", " + NodeText(daylight->node));
        line("Daylight", DaylightText(*daylight));
    }

    const analysis::CoverageSummary& s = table.summary;
    std::string sidelap = analysis::SidelapPercentText(s.sidelapPercent) + " % at the equator, across the track";
    if (s.sidelapPercent < 0)
        sidelap += ": gaps between neighbouring tracks";
    line("Sidelap", sidelap);
    if (s.fullCoverageNorth != s.fullCoverageSouth)
        // The Sun lights the hemispheres differently; each has its band.
        line("Full coverage", "north: " + BandText(s.fullCoverageNorth) + "; south: " + BandText(s.fullCoverageSouth));
    else if (!s.fullCoverageNorth)
        line("Full coverage", "none: some of every parallel goes unseen");
    else if (s.fullCoverageNorth->fromLatDeg == 0)
        line("Full coverage", BandText(s.fullCoverageNorth) + ", north and south");
    else
        line("Full coverage", BandText(s.fullCoverageNorth) + ", north and south; gaps nearer the equator");
    line("Longest wait", s.maxRevisitDays ? Days(*s.maxRevisitDays) + " days, over the fully covered latitudes"
                                          : "-");
}

void WriteTable(const CoverageTable& table, std::ostream& out)
{
    // One line per latitude, or per pair of latitudes north and south when
    // the whole table mirrors.
    const bool mirrors = Mirrors(table);
    std::vector<std::vector<std::string>> lines = {
        {"latitude", "passes", "covered %", "max revisit (days)", "mean revisit (days)"}};
    for (const LatitudeCoverage& row : table.rows) {
        if (mirrors && row.latitudeDeg < 0)
            continue;
        std::vector<std::string> line = {(mirrors && row.latitudeDeg > 0 ? "±" : "") + DegreesText(row.latitudeDeg)};
        for (std::string& cell : Cells(row))
            line.push_back(std::move(cell));
        lines.push_back(std::move(line));
    }
    std::vector<std::size_t> widths(lines.front().size(), 0);
    for (const auto& line : lines)
        for (std::size_t i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], Width(line[i]));
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t i = 0; i < line.size(); ++i) {
            text += i > 0 ? "  " : "";
            text.append(widths[i] - Width(line[i]), ' ');
            text += line[i];
        }
        out << text << '\n';
    }
}

nlohmann::ordered_json OptionalNumber(const std::optional<double>& value)
{
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

}  // namespace

std::string DaylightText(const CoverageDaylight& daylight)
{
    if (!daylight.sunMinDeg)
        return "every look counts";
    const std::string cycles = daylight.cycles == 1 ? "1 cycle" : "the worst of " + std::to_string(daylight.cycles) + " cycles";
    return "the Sun at least " + ShortestNumberText(*daylight.sunMinDeg) + " deg above the place seen, " + cycles +
           " from " + daylight.epoch.IsoUtc(3);
}

std::string DesignName(const DesignRun& run) { return orbit::DesignName(run.record, run.type); }

std::string DesignSummaryText(const DesignRun& run)
{
    std::string design = DesignName(run);
    if (run.solution) {
        design += ", " + FormatPattern(run.solution->MeanAltitude, "#0.00") + " km";
        if (run.solution->InclDeg)
            design += ", " + FormatPattern(*run.solution->InclDeg, "#0.000") + " deg";
    }
    // A design of fractional N, M or Q has a track but no closed cycle to name.
    try {
        const analysis::RepeatCycle cycle = analysis::RepeatCycleOf(run.record);
        return design + ": " + std::to_string(cycle.revolutions) + " revolutions in " + Days(cycle.LengthDays()) +
               " days";
    } catch (const OrbitError&) {
        return design;
    }
}

std::string PassDirectionName(PassDirection direction)
{
    switch (direction) {
    case PassDirection::Ascending:
        return "ascending";
    case PassDirection::Descending:
        return "descending";
    case PassDirection::Both:
        break;
    }
    return "both";
}

std::optional<PassDirection> PassDirectionNamed(const std::string& name)
{
    for (const PassDirection d : {PassDirection::Both, PassDirection::Ascending, PassDirection::Descending})
        if (PassDirectionName(d) == name)
            return d;
    return std::nullopt;
}

std::string CoverageChartTitle(const DesignRun& run, const SwathRequest& request,
                               const std::optional<CoverageDaylight>& daylight)
{
    std::string title = "Revisit by latitude: " + DesignName(run) + ", " + ShortestNumberText(request.swathKm) + " km swath";
    if (request.satellites != 1)
        title += ", " + SatellitesText(request.satellites);
    if (request.passes != PassDirection::Both)
        title += ", " + DirectionText(request.passes);
    if (daylight && daylight->sunMinDeg)
        title += ", Sun at least " + ShortestNumberText(*daylight->sunMinDeg) + "° up";
    return title;
}

void WriteCoverageText(const DesignRun& run, const SwathRequest& request, const CoverageTable& table,
                       std::ostream& out, const std::optional<CoverageDaylight>& daylight)
{
    WriteSummary(run, request, table, daylight, out);
    out << '\n';
    WriteTable(table, out);
    for (const std::string& warning : DesignWarnings(run.type, run.semiMajorAxisKm, run.meanAltitudeKm))
        out << "Warning: " << warning << '\n';
}

void WriteCoverageCsv(const CoverageTable& table, std::ostream& out, const std::optional<CoverageDaylight>& daylight)
{
    if (daylight && daylight->sunMinDeg)
        out << "# daylight: " << DaylightText(*daylight) << '\n';
    out << "latitude_deg,passes,covered_fraction," << analysis::kWorstRevisitKey << ",mean_revisit_days\n";
    for (const LatitudeCoverage& row : table.rows) {
        out << ShortestNumberText(row.latitudeDeg) << ',' << row.passes << ',' << ShortestNumberText(row.coveredFraction) << ','
            << (row.maxRevisitDays ? ShortestNumberText(*row.maxRevisitDays) : "") << ','
            << (row.meanRevisitDays ? ShortestNumberText(*row.meanRevisitDays) : "") << '\n';
    }
}

void WriteCoverageJson(const DesignRun& run, const SwathRequest& request, const CoverageTable& table,
                       std::ostream& out, const std::optional<CoverageDaylight>& daylight)
{
    nlohmann::ordered_json summary;
    summary["sidelap_percent"] = table.summary.sidelapPercent;
    // Each hemisphere's band, in degrees from the equator, as the text gives it.
    const auto band = [&](const char* hemisphere, const std::optional<analysis::LatitudeBand>& b) {
        summary[std::string("full_coverage_") + hemisphere + "_from_lat_deg"] =
            b ? nlohmann::ordered_json(b->fromLatDeg) : nlohmann::ordered_json(nullptr);
        summary[std::string("full_coverage_") + hemisphere + "_to_lat_deg"] =
            b ? nlohmann::ordered_json(b->toLatDeg) : nlohmann::ordered_json(nullptr);
    };
    band("north", table.summary.fullCoverageNorth);
    band("south", table.summary.fullCoverageSouth);
    summary[analysis::kWorstRevisitKey] = OptionalNumber(table.summary.maxRevisitDays);

    // Written row by row: a fine latitude grid never builds the whole document.
    out << "{\n";
    out << "  \"design\": " << DesignJson(run).dump() << ",\n";
    out << "  \"swath_km\": " << nlohmann::ordered_json(request.swathKm).dump() << ",\n";
    out << "  \"satellites\": " << request.satellites << ",\n";
    out << "  \"passes_direction\": " << nlohmann::ordered_json(PassDirectionName(request.passes)).dump() << ",\n";
    if (daylight) {
        out << "  \"sun_min_deg\": " << OptionalNumber(daylight->sunMinDeg).dump() << ",\n";
        out << "  \"epoch\": " << nlohmann::ordered_json(daylight->epoch.IsoUtc(3)).dump() << ",\n";
        out << "  \"ltan_mean_h\": " << nlohmann::ordered_json(daylight->node.ltanMeanH).dump() << ",\n";
        out << "  \"cycles\": " << daylight->cycles << ",\n";
    }
    out << "  \"summary\": " << summary.dump() << ",\n";
    out << "  \"rows\": [";
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const LatitudeCoverage& row = table.rows[i];
        nlohmann::ordered_json object;
        object["latitude_deg"] = row.latitudeDeg;
        object["passes"] = row.passes;
        object["covered_fraction"] = row.coveredFraction;
        object[analysis::kWorstRevisitKey] = OptionalNumber(row.maxRevisitDays);
        object["mean_revisit_days"] = OptionalNumber(row.meanRevisitDays);
        out << (i > 0 ? ",\n    " : "\n    ") << object.dump();
    }
    out << (table.rows.empty() ? "]\n" : "\n  ]\n") << "}\n";
}

}  // namespace orbit::cli

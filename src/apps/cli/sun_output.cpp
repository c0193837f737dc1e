#include "cli/sun_output.h"

#include "cli/coverage_output.h"
#include "cli/design_output.h"
#include "cli/design_warnings.h"
#include "cli/epoch_node_options.h"
#include "core/constants.h"
#include "sun/sun_text.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace orbit::cli {

namespace {

void Line(std::ostream& out, const std::string& label, const std::string& text)
{
    std::string padded = label;
    padded.resize(15, ' ');
    out << padded << text << '\n';
}

}  // namespace

std::string RowDateText(const SunAnswer& answer, std::size_t row, int decimals)
{
    return sun::RowDateText(answer.epoch, answer.figures, row, decimals);
}

void WriteSunText(const SunAnswer& answer, std::ostream& out)
{
    Line(out, "Design", DesignSummaryText(answer.run));
    Line(out, "Epoch", answer.epoch.IsoUtc(3) + " (UT1 taken as UTC)");
    WriteNodeText(answer.node, out);
    for (const auto& [label, text] : sun::SunSummaryLines(answer.epoch, answer.figures, answer.span))
        Line(out, label, text);
    out << '\n';
    char line[160];
    std::snprintf(line, sizeof line, "%-20s  %8s  %9s  %12s  %9s  %9s\n", "date", "beta_deg", "umbra_min",
                  "penumbra_min", "ltan_mean", "ltan_true");
    out << line;
    for (std::size_t k = 0; k < answer.figures.days.size(); ++k) {
        const sun::SunDay& day = answer.figures.days[k];
        std::snprintf(line, sizeof line, "%-20s  %8.2f  %9.2f  %12.2f  %9s  %9s\n",
                      RowDateText(answer, k, 0).c_str(), day.betaDeg, day.eclipse.umbraMin, day.eclipse.penumbraMin,
                      LocalTimeText(day.ltanMeanH).c_str(), LocalTimeText(day.ltanTrueH).c_str());
        out << line;
    }
    for (const std::string& warning :
         DesignWarnings(answer.run.type, answer.run.semiMajorAxisKm, answer.run.meanAltitudeKm))
        out << "Warning: " << warning << '\n';
}

void WriteSunCsv(const SunAnswer& answer, std::ostream& out)
{
    sun::WriteSunDaysCsv(answer.epoch, answer.figures, out);
}

void WriteSunJson(const SunAnswer& answer, std::ostream& out)
{
    const sun::SunSummary& s = answer.figures.summary;
    nlohmann::ordered_json summary;
    summary["beta_min_deg"] = s.betaMinDeg;
    summary["beta_max_deg"] = s.betaMaxDeg;
    summary["umbra_max_min"] = s.umbraMaxMin;
    summary["umbra_max_date"] =
        s.umbraMaxMin > 0 ? nlohmann::ordered_json(RowDateText(answer, s.umbraMaxRow, 3)) : nlohmann::ordered_json();
    summary["eclipse_free_days"] = s.eclipseFreeRows;
    nlohmann::ordered_json seasons = nlohmann::ordered_json::array();
    for (const sun::EclipseSeason& season : s.seasons) {
        nlohmann::ordered_json object;
        object["start"] = RowDateText(answer, season.firstRow, 3);
        object["end"] = RowDateText(answer, season.lastRow, 3);
        object["umbra_max_min"] = season.umbraMaxMin;
        seasons.push_back(object);
    }
    summary["eclipse_seasons"] = seasons;

    // Written a row at a time: ten years at a hundredth of a day never
    // builds the whole document.
    out << "{\n";
    out << "  \"design\": " << DesignJson(answer.run).dump() << ",\n";
    out << "  \"epoch\": " << nlohmann::ordered_json(answer.epoch.IsoUtc(3)).dump() << ",\n";
    out << "  \"node\": " << NodeJson(answer.node).dump() << ",\n";
    out << "  \"summary\": " << summary.dump() << ",\n";
    out << "  \"days\": [";
    for (std::size_t k = 0; k < answer.figures.days.size(); ++k) {
        const sun::SunDay& day = answer.figures.days[k];
        nlohmann::ordered_json object;
        object[sun::kSunDateKey] = RowDateText(answer, k, 3);
        for (const sun::SunDayColumn& column : sun::kSunDayColumns)
            object[column.key] = column.value(day);
        out << (k > 0 ? ",\n    " : "\n    ") << object.dump();
    }
    out << "\n  ]";
    if (answer.span.latitudeStepDeg > 0) {
        out << ",\n  \"latitudes\": [";
        const auto& latitudes = answer.figures.latitudes;
        for (std::size_t l = 0; l < latitudes.size(); ++l) {
            nlohmann::ordered_json object;
            object["latitude_deg"] = latitudes[l].latitudeDeg;
            for (const auto& [name, pass] : {std::pair{"ascending", &latitudes[l].ascending},
                                             std::pair{"descending", &latitudes[l].descending}}) {
                object[name]["local_time_h"] = pass->localTimeH;
                object[name]["sun_elevation_deg"] = pass->sunElevationDeg;
            }
            out << (l > 0 ? ",\n    " : "\n    ") << object.dump();
        }
        out << (latitudes.empty() ? "]" : "\n  ]");
    }
    out << "\n}\n";
}

std::string SunChartTitle(const SunAnswer& answer)
{
    // The design's name and figures, without its cycle.
    const std::string design = DesignSummaryText(answer.run);
    return "Sun and eclipses: " + design.substr(0, design.find(':')) + ", LTAN " +
           LocalTimeText(answer.node.ltanMeanH) + " at " + answer.epoch.IsoUtc(0);
}

}  // namespace orbit::cli

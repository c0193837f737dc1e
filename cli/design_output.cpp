#include "cli/design_output.h"

#include "analysis/repeat_grid.h"
#include "cli/design_warnings.h"
#include "core/number_text.h"

#include <algorithm>

namespace orbit::cli {

std::vector<ResultField> YieldedFields(const DesignRun& run)
{
    std::vector<ResultField> fields;
    if (run.revCount)
        fields.push_back({"NrOfRevs", "Nr of revs", FormatPattern(*run.revCount, "#####")});
    if (run.semiMajorAxisKm)
        fields.push_back({"AxelBox", "Semi-major axis (km)", FormatPattern(*run.semiMajorAxisKm, "#####.##")});
    if (run.meanAltitudeKm)
        fields.push_back({"AvAltBox", "Mean altitude (km)", FormatPattern(*run.meanAltitudeKm, "#####.##")});
    if (run.solution) {
        const RepeatOrbitSolution& s = *run.solution;
        fields.push_back({"MeanMotBox", "Mean motion revs/day", FormatPattern(s.MeanMotion, "#0.#######")});
        fields.push_back({"TNtext", "Nodal period (min)", FormatPattern(s.NodalPeriodMin, "####.###")});
        if (s.InclDeg)
            fields.push_back({"InclOutBox", "Sun-Synchronous inclination, deg", FormatPattern(*s.InclDeg, "###.###")});
    }
    return fields;
}

void WriteDesignText(const DesignRun& run, std::ostream& out)
{
    // The window right-aligns its captions against the result column.
    const std::size_t captionWidth =
        run.type == OrbitType::SunSynchronous ? std::string("Sun-Synchronous inclination, deg").size()
                                              : std::string("Semi-major axis (km)").size();
    for (const ResultField& field : YieldedFields(run)) {
        std::string line(captionWidth - std::min(captionWidth, field.caption.size()), ' ');
        line += field.caption;
        if (!field.text.empty())
            line += "  " + field.text;
        out << line << '\n';
    }
    for (const std::string& warning : DesignWarnings(run.type, run.semiMajorAxisKm, run.meanAltitudeKm))
        out << "Warning: " << warning << '\n';
}

nlohmann::ordered_json DesignJson(const DesignRun& run)
{
    nlohmann::ordered_json json;
    json["fields"] = nlohmann::ordered_json::object();
    for (const ResultField& field : YieldedFields(run))
        json["fields"][field.boxName] = field.text;

    nlohmann::ordered_json values = nlohmann::ordered_json::object();
    if (run.revCount)
        values["rev_count"] = *run.revCount;
    if (run.semiMajorAxisKm)
        values["semi_major_axis_km"] = *run.semiMajorAxisKm;
    if (run.meanAltitudeKm)
        values["mean_altitude_km"] = *run.meanAltitudeKm;
    if (run.solution) {
        const RepeatOrbitSolution& s = *run.solution;
        values["mean_motion_rev_per_day"] = s.MeanMotion;
        values["nodal_period_min"] = s.NodalPeriodMin;
        if (s.InclDeg)
            values["inclination_deg"] = *s.InclDeg;
        values["node_spacing_rad"] = run.record.NodeSpacing;
        values["node_spacing_deg"] = run.record.NodeSpacingDeg;
    }
    json["values"] = values;

    if (run.completed()) {
        if (const auto coverage = analysis::RepeatGridOf(run.record.N, run.record.M, run.record.Q)) {
            nlohmann::ordered_json figures;
            figures["grid_spacing_deg"] = coverage->gridSpacingDeg;
            figures["grid_spacing_km"] = coverage->gridSpacingKm;
            figures["subcycle_days"] = coverage->subcycleDays ? nlohmann::ordered_json(*coverage->subcycleDays)
                                                              : nlohmann::ordered_json(nullptr);
            json["coverage"] = figures;
        }
    }
    json["warnings"] = DesignWarnings(run.type, run.semiMajorAxisKm, run.meanAltitudeKm);
    if (run.error)
        json["error"] = *run.error;
    return json;
}

}  // namespace orbit::cli

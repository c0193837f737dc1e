#include "cli/design_output.h"

#include "analysis/repeat_grid.h"
#include "analysis/search_columns.h"
#include "cli/csv_row.h"
#include "cli/design_warnings.h"
#include "core/result_fields.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>
#include <optional>
#include <string_view>

namespace orbit::cli {

namespace {

// What the run has yielded of a field: the count and the axis come before the
// rest, so a failed run may hold them alone.
std::optional<double> YieldedValue(const DesignRun& run, ResultField field)
{
    switch (field) {
    case ResultField::RevCount:
        return run.revCount;
    case ResultField::SemiMajorAxis:
        return run.semiMajorAxisKm;
    case ResultField::MeanAltitude:
        return run.meanAltitudeKm;
    default:
        return run.solution ? ValueOf(*run.solution, field) : std::nullopt;
    }
}

}  // namespace

std::vector<ShownField> YieldedFields(const DesignRun& run)
{
    std::vector<ShownField> fields;
    for (const ResultFieldInfo& info : kResultFields) {
        if (const std::optional<double> value = YieldedValue(run, info.field))
            fields.push_back({info.boxName, info.caption, FormatResult(info.field, *value)});
    }
    return fields;
}

void WriteDesignText(const DesignRun& run, std::ostream& out)
{
    // The window right-aligns its captions against the result column; the
    // column starts after the widest caption the orbit type shows.
    std::size_t captionWidth = 0;
    for (const ResultFieldInfo& info : kResultFields) {
        if (ShownFor(info.field, run.type))
            captionWidth = std::max(captionWidth, std::string_view(info.caption).size());
    }
    for (const ShownField& field : YieldedFields(run)) {
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
    for (const ShownField& field : YieldedFields(run))
        json["fields"][field.boxName] = field.text;

    nlohmann::ordered_json values = nlohmann::ordered_json::object();
    for (const ResultFieldInfo& info : kResultFields) {
        if (const std::optional<double> value = YieldedValue(run, info.field)) {
            // The count stays an integer in the JSON.
            if (info.field == ResultField::RevCount)
                values[info.valueKey] = *run.revCount;
            else
                values[info.valueKey] = *value;
        }
    }
    if (run.solution) {
        values["node_spacing_rad"] = run.record.NodeSpacing;
        values["node_spacing_deg"] = run.record.NodeSpacingDeg;
    }
    json["values"] = values;

    if (run.completed()) {
        if (const auto coverage = analysis::RepeatGridOf(run.record.N, run.record.M, run.record.Q)) {
            nlohmann::ordered_json figures;
            // Named as `repeat-orbit search` names the same figures.
            using analysis::SearchColumn;
            figures[analysis::InfoOf(SearchColumn::GridSpacingDeg).key] = coverage->gridSpacingDeg;
            figures[analysis::InfoOf(SearchColumn::GridSpacingKm).key] = coverage->gridSpacingKm;
            figures[analysis::InfoOf(SearchColumn::SubcycleDays).key] =
                coverage->subcycleDays ? nlohmann::ordered_json(*coverage->subcycleDays) : nlohmann::ordered_json(nullptr);
            json["coverage"] = figures;
        }
    }
    json["warnings"] = DesignWarnings(run.type, run.semiMajorAxisKm, run.meanAltitudeKm);
    if (run.error)
        json["error"] = *run.error;
    return json;
}

void WriteDesignCsv(const DesignRun& run, std::ostream& out)
{
    const nlohmann::ordered_json json = DesignJson(run);
    CsvCells cells{{"N", run.record.N}, {"M", run.record.M}, {"Q", run.record.Q}};
    for (const char* part : {"values", "coverage"}) {
        if (!json.contains(part))
            continue;
        for (const auto& [key, value] : json[part].items())
            cells.emplace_back(key, value);
    }
    WriteCsvRecord(cells, out);
}

}  // namespace orbit::cli

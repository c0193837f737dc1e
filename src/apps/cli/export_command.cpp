#include "cli/export_command.h"

#include "cli/command_line.h"
#include "cli/design_input_options.h"
#include "cli/epoch_node_options.h"
#include "cli/export_refined.h"
#include "export/orbit/export_formats.h"
#include "cli/option_checks.h"
#include "core/orbit_error.h"
#include "export/export_limits.h"
#include "export/text_lines.h"
#include "file_output/file_output.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orbit::cli {

namespace {

using exports::ExportChoices;
using exports::ExportFormat;
using exports::ExportText;
using exports::LimitText;

// The limits' words, from the numbers the options are checked against.
const std::string kDaysRange = LimitText(exports::kMinSpanDays) + " to " + LimitText(exports::kMaxSpanDays);
const std::string kStepRange = "above 0 to " + LimitText(exports::kMaxOemStepS);
const std::string kNoradRange = "0 to " + LimitText(exports::kMaxNoradNumber);
const std::string kSwathRange = "0 to " + LimitText(exports::kMaxSwathKm);

struct ExportOptions {
    DesignInputOptions inputs;
    EpochNodeOptions epochNode;
    std::string formatText;
    bool refined = false, frozen = false;
    std::string modelName = "zonal";
    std::string daysText, stepText, noradText, swathText;
    std::optional<std::string> objectName;
    std::string objectId = "UNKNOWN";
    std::string outputPath;
};

ExportFormat FormatOf(const std::string& text)
{
    for (const ExportFormat f : exports::kExportFormats)
        if (text == exports::FormatWord(f))
            return f;
    throw UsageError("--format: '" + text + "' is not one of opm, omm, oem, tle, gmat, geojson, kml");
}

void RefuseUnless(bool applies, const std::string& text, const char* option, const char* formats)
{
    if (!text.empty() && !applies)
        throw UsageError(std::string(option) + " applies to --format " + formats + " only");
}

std::string CheckedText(const char* option, const std::string& text)
{
    try {
        exports::PlainText(text, option);
    } catch (const OrbitError&) {
        throw UsageError(std::string(option) + ": the text holds a line break or another control character");
    }
    if (text.empty())
        throw UsageError(std::string(option) + ": the text is empty");
    return text;
}

// Every usage check before any work: a bad option is exit 2 whatever the design.
ExportChoices ReadChoices(const ExportOptions& o)
{
    ExportChoices c;
    c.format = FormatOf(o.formatText);
    const bool oem = c.format == ExportFormat::Oem;
    const bool tle = c.format == ExportFormat::Tle || c.format == ExportFormat::Omm;
    const bool track = c.format == ExportFormat::GeoJson || c.format == ExportFormat::Kml;
    RefuseUnless(oem, o.stepText, "--step-s", "oem");
    RefuseUnless(tle, o.noradText, "--norad", "tle and omm");
    RefuseUnless(track, o.swathText, "--swath", "geojson and kml");
    if (o.frozen && !o.refined)
        throw UsageError("--frozen needs --refined (the frozen eccentricity starts the refined orbit)");
    if (!o.stepText.empty())
        c.stepS = ArgumentNumberWithin("--step-s", o.stepText, 0, exports::kMaxOemStepS, false,
                               "must be above 0 and at most " + LimitText(exports::kMaxOemStepS) + " seconds");
    if (!o.noradText.empty()) {
        const double norad = ArgumentNumberWithin("--norad", o.noradText, 0, exports::kMaxNoradNumber, true, "is outside " + kNoradRange);
        if (norad != std::floor(norad))
            throw UsageError("--norad: '" + o.noradText + "' is not a whole number");
        c.norad = static_cast<int>(norad);
    }
    if (!o.swathText.empty())
        c.swathKm = ArgumentNumberWithin("--swath", o.swathText, 0, exports::kMaxSwathKm, true, "is outside " + kSwathRange + " km");
    if (o.objectName)
        c.objectName = CheckedText("--object-name", *o.objectName);
    c.objectId = CheckedText("--object-id", o.objectId);
    return c;
}

// An ephemeris is bounded by the span and the step the user chose; past the
// cap it would take days to write and fill a disk.
void RefuseTooManyStates(const ExportChoices& choices, bool daysGiven)
{
    try {
        exports::OemStateCount(choices);
        return;
    } catch (const OrbitError&) {
    }
    char span[64];
    std::snprintf(span, sizeof span, daysGiven ? "%g days" : "one repeat cycle (%g days)", choices.spanS / 86400);
    char text[256];
    std::snprintf(text, sizeof text,
                  "--days and --step-s: %s every %g s would be %.3g states, more than the %.0e an ephemeris may "
                  "hold; take a shorter --days or a longer --step-s",
                  span, choices.stepS, choices.spanS / choices.stepS, exports::kMaxOemStates);
    throw UsageError(text);
}

[[noreturn]] void Failed(const std::string& message)
{
    std::cerr << message << '\n';
    throw ComputationFailed();
}

void RunExportCommand(const ExportOptions& o)
{
    ExportChoices choices = ReadChoices(o);
    const std::optional<double> days =
        o.daysText.empty() ? std::nullopt
                           : std::optional<double>(ArgumentNumberWithin("--days", o.daysText, exports::kMinSpanDays,
                                                                exports::kMaxSpanDays, true,
                                                                "is outside " + kDaysRange + " days"));
    const EpochNode epochNode = RequireEpochNode(o.epochNode);
    const propagation::GravityModel model = propagation::GravityModelNamed(o.modelName);  // checked when parsed
    const DesignRequest request = o.inputs.Request();

    std::optional<exports::ExportOrbit> orbit;
    try {
        if (o.refined) {
            orbit = RefinedExportOrbit(request, epochNode.epoch, epochNode.node, model, o.frozen);
        } else {
            const DesignRun design = RunOrbitingDesign(request);
            orbit = exports::DesignExportOrbit(ExportDesignOf(design), epochNode.epoch, epochNode.node, model);
        }
    } catch (const OrbitError& e) {
        Failed(e.what());
    }
    choices.spanS = days ? *days * 86400 : orbit->cycleS;
    if (choices.format == ExportFormat::Oem)
        RefuseTooManyStates(choices, days.has_value());

    // The text goes out as it is made (an OEM state by state): a file is
    // replaced only once it is complete, and a failure leaves it as it was.
    std::string fitLine;
    try {
        const auto produce = [&](const file_output::ByteSink& write) {
            fitLine = exports::StreamExport(*orbit, choices, write);
        };
        if (o.outputPath.empty() || o.outputPath == "-") {
            produce([](std::string_view piece) { std::cout << piece; });
            std::cout.flush();
        } else {
            file_output::StreamOutputFile(o.outputPath, produce);
        }
    } catch (const OrbitError& e) {
        Failed(e.what());
    }
    if (!fitLine.empty())
        std::cerr << fitLine << '\n';
}

}  // namespace

void AddExportCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand(
        "export", "Hand one design on to other tools: CCSDS OPM, OMM or OEM, a fitted TLE, a GMAT script, GeoJSON or KML");
    auto options = std::make_shared<ExportOptions>();
    AddDesignInputOptions(*command, options->inputs);
    AddEpochNodeOptions(*command, options->epochNode);
    command->add_option("--format", options->formatText, "opm, omm, oem, tle, gmat, geojson or kml")
        ->type_name("FORMAT")
        ->required();
    CLI::Option* refined =
        command->add_flag("--refined", options->refined, "Export the refined orbit, which closes under --model");
    command->add_flag("--frozen", options->frozen, "With --refined: start from the frozen eccentricity")
        ->needs(refined);
    command->add_option("--model", options->modelName, "Earth model to propagate under: j2 or zonal (default zonal)")
        ->type_name("MODEL")
        ->check(GravityModelName());
    command->add_option("--days", options->daysText, "Span from the epoch, " + kDaysRange + " days (default one repeat cycle)")
        ->type_name("DAYS");
    command->add_option("--step-s", options->stepText, "OEM: seconds between states, " + kStepRange + " (default " +
                            LimitText(exports::kDefaultOemStepS) + ")")
        ->type_name("SECONDS");
    command->add_option("--object-name", options->objectName, "The object's name (default RepeatOrbit)")
        ->type_name("NAME");
    command->add_option("--object-id", options->objectId, "The object's identifier, e.g. 2027-001A (default UNKNOWN)")
        ->type_name("ID");
    command->add_option("--norad", options->noradText, "TLE and OMM: catalogue number, " + kNoradRange + " (default " +
                            LimitText(exports::kDefaultNoradNumber) + ")")
        ->type_name("N");
    command->add_option("--swath", options->swathText, "GeoJSON and KML: the swath's band, KM wide (" + kSwathRange + ")")
        ->type_name("KM");
    command->add_option("--output", options->outputPath, "Write to FILE, complete or not at all (- for standard output)")
        ->type_name("FILE")
        ->check(OutputFileName());
    command->callback([options] { RunExportCommand(*options); });
}

}  // namespace orbit::cli

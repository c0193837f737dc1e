#include "cli/coverage_command.h"

#include "analysis/swath_coverage.h"
#include "cli/answer_file.h"
#include "cli/command_line.h"
#include "cli/coverage_output.h"
#include "cli/design_input_options.h"
#include "cli/design_run.h"
#include "cli/epoch_node_options.h"
#include "cli/option_checks.h"
#include "cli/picture_options.h"
#include "core/number_text.h"
#include "core/orbit_error.h"
#include "sun/sub_solar_sampling.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>

namespace orbit::cli {

namespace {

using analysis::SwathRequest;

struct CoverageOptions {
    DesignInputOptions inputs;
    EpochNodeOptions epochNode;
    std::string sunMinText, cyclesText;
    std::string swathText, satellitesText = "1", passesText = "both", latStepText = "1";
    PictureFileOptions chart;
    bool csv = false;
    bool json = false;
};

SwathRequest RequestOf(const CoverageOptions& options)
{
    SwathRequest request;
    request.swathKm = ArgumentNumber("--swath", options.swathText);
    const double satellites = ArgumentNumber("--satellites", options.satellitesText);
    if (std::floor(satellites) != satellites)
        throw UsageError("--satellites: '" + options.satellitesText + "' is not a whole number of satellites");
    // Out-of-range counts are refused below; keep them out of range rather
    // than let the conversion wrap.
    request.satellites = static_cast<int>(std::clamp(satellites, -1.0, analysis::kMaxSatellites + 1.0));
    const std::optional<analysis::PassDirection> direction = PassDirectionNamed(options.passesText);
    if (!direction)
        throw UsageError("--passes: '" + options.passesText + "' is not one of both, ascending, descending");
    request.passes = *direction;
    request.latitudeStepDeg = ArgumentNumber("--lat-step", options.latStepText);
    analysis::ValidateSwathRequest(request);
    return request;
}

// The light test's options, read before any design is run.
struct LightOptions {
    std::optional<EpochNode> epochNode;
    std::optional<double> sunMinDeg;
    int cycles = 1;
};

LightOptions LightOptionsOf(const CoverageOptions& options)
{
    LightOptions light;
    light.epochNode = ReadEpochNode(options.epochNode);
    const char* needs = " needs --epoch and one of --ltan, --ltdn or --raan (the track placed in time)";
    if (!options.sunMinText.empty()) {
        if (!light.epochNode)
            throw UsageError(std::string("--sun-min") + needs);
        const double least = ArgumentNumber("--sun-min", options.sunMinText);
        if (!(least >= analysis::kLowestSunElevationDeg && least <= 90))
            throw UsageError("--sun-min: '" + options.sunMinText + "' is outside -18 to 90 degrees");
        light.sunMinDeg = least;
    }
    if (!options.cyclesText.empty()) {
        if (!light.epochNode)
            throw UsageError(std::string("--cycles") + needs);
        const double cycles = ArgumentNumber("--cycles", options.cyclesText);
        if (std::floor(cycles) != cycles || !(cycles >= 1 && cycles <= analysis::kMaxCycles))
            throw UsageError("--cycles: '" + options.cyclesText + "' is not a whole number of cycles from 1 to " +
                             std::to_string(analysis::kMaxCycles));
        light.cycles = static_cast<int>(cycles);
    }
    return light;
}

// The table with the light test: the node placed for the design, the Sun
// sampled over the cycles. Exits 1 with the error when the node cannot be
// placed or the design has no cycle, 2 when the cycles last too long.
analysis::CoverageTable LitTable(const DesignRun& run, const SwathRequest& request, const LightOptions& options,
                                 const ephemeris::OrbitNode& node)
{
    const analysis::RepeatCycle cycle = analysis::RepeatCycleOf(run.record);
    const double spanDays = options.cycles * cycle.LengthDays();
    if (spanDays > analysis::kMaxLightSpanDays)
        throw UsageError("--cycles: " + std::to_string(options.cycles) + " cycles of " +
                         FormatPattern(cycle.LengthDays(), "#0.00") + " days last longer than 3660 days (ten years)");
    analysis::LightCondition light;
    light.minSunElevationDeg = *options.sunMinDeg;
    light.nodeLongitudeRad = node.longitudeRad;
    light.cycles = options.cycles;
    const SubSolarTrack sun = sun::SubSolarTrackOver(options.epochNode->epoch, spanDays * 86400.0);
    return analysis::CoverageByLatitude(run.record, request, light, sun);
}

void RunCoverageCommand(const CoverageOptions& options)
{
    const SwathRequest request = RequestOf(options);
    const LightOptions lightOptions = LightOptionsOf(options);
    const std::optional<PictureFile> chart = ChosenPictureFile("coverage", options.chart);
    // A picture that cannot be drawn is refused before any table is
    // written, so a script never takes a half answer for a whole one.
    if (chart)
        RequirePictures();
    const DesignRun run = RunOrbitingDesign(options.inputs.Request());
    std::optional<CoverageDaylight> daylight;
    if (lightOptions.epochNode) {
        const ephemeris::OrbitNode node = NodeOfDesign(run.record, *lightOptions.epochNode);
        daylight = CoverageDaylight{lightOptions.epochNode->epoch, node, lightOptions.sunMinDeg, lightOptions.cycles};
    }
    analysis::CoverageTable table;
    if (daylight && daylight->sunMinDeg) {
        table = LitTable(run, request, lightOptions, daylight->node);
    } else {
        // Without the light test every cycle is the same as the first,
        // wherever and whenever the track is placed.
        table = analysis::CoverageByLatitude(run.record, request);
    }

    if (options.json) {
        WriteCoverageJson(run, request, table, std::cout, daylight);
    } else if (options.csv) {
        WriteCoverageCsv(table, std::cout, daylight);
    } else {
        WriteCoverageText(run, request, table, std::cout, daylight);
    }
    std::cout.flush();

    if (!chart)
        return;
    const std::string title = CoverageChartTitle(run, request, daylight);
    WriteCoveragePicture(table, title, chart->format, chart->path);
}

}  // namespace

void AddCoverageCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand(
        "coverage", "Coverage and revisit by latitude of one design with an instrument's swath");
    auto options = std::make_shared<CoverageOptions>();
    AddDesignInputOptions(*command, options->inputs);
    command->add_option("--swath", options->swathText, "Total swath width, km, centred on the ground track")
        ->type_name("KM")
        ->required();
    command->add_option("--satellites", options->satellitesText,
                        "Satellites in the orbit, evenly spaced (1 to 100; default 1)")
        ->type_name("K");
    command->add_option("--passes", options->passesText,
                        "Which passes look: both, ascending or descending (default both)")
        ->type_name("WHICH");
    command->add_option("--lat-step", options->latStepText, "Latitude step of the table, deg (default 1)")
        ->type_name("DEG");
    AddEpochNodeOptions(*command, options->epochNode);
    command->add_option("--sun-min", options->sunMinText,
                        "Count a look only with the Sun at least DEG above the place seen, at the time of the look "
                        "(-18 to 90; 10 to 15 suits an optical imager); needs --epoch and a node")
        ->type_name("DEG");
    command->add_option("--cycles", options->cyclesText,
                        "With --sun-min: successive cycles from the epoch, each latitude's worst reported "
                        "(1 to 400; default 1)")
        ->type_name("C");
    CLI::Option* csv = command->add_flag("--csv", options->csv, "Write the table as CSV");
    CLI::Option* json = command->add_flag("--json", options->json, "Write one JSON object: design, summary, rows");
    csv->excludes(json);
    AddPictureFileOptions(*command, options->chart, "the chart", PictureRole::Chart);
    AddAnswerFileOption(*command);
    command->callback([options] { RunCoverageCommand(*options); });
}

}  // namespace orbit::cli

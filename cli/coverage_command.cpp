#include "cli/coverage_command.h"

#include "analysis/swath_coverage.h"
#include "cli/command_line.h"
#include "cli/coverage_output.h"
#include "cli/design_input_options.h"
#include "cli/design_run.h"
#include "cli/option_checks.h"
#include "cli/picture_files.h"
#include "core/number_text.h"
#include "core/orbit_error.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>

namespace orbit::cli {

namespace {

using analysis::SwathRequest;

struct CoverageOptions {
    DesignInputOptions inputs;
    std::string swathText, satellitesText = "1", passesText = "both", latStepText = "1";
    std::string pngPath, svgPath;
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
    try {
        analysis::ValidateSwathRequest(request);
    } catch (const OrbitError& e) {
        throw UsageError(e.what());
    }
    return request;
}

void RunCoverageCommand(const CoverageOptions& options)
{
    const SwathRequest request = RequestOf(options);
    const bool chart = !options.pngPath.empty() || !options.svgPath.empty();
    if (chart && !PictureSupport()) {
        // Said before any table is written, so a script never takes a half
        // answer for a whole one.
        std::cerr << OrbitError(ErrorKind::NoPictureSupport).what() << '\n';
        throw ComputationFailed();
    }
    const DesignRun run = RunDesign(options.inputs.Request());
    if (!run.completed()) {
        std::cerr << run.error.value_or("The design did not complete") << '\n';
        throw ComputationFailed();
    }
    analysis::CoverageTable table;
    try {
        table = analysis::CoverageByLatitude(run.record, request);
    } catch (const OrbitError& e) {
        std::cerr << e.what() << '\n';
        throw ComputationFailed();
    }

    if (options.json) {
        WriteCoverageJson(run, request, table, std::cout);
    } else if (options.csv) {
        WriteCoverageCsv(table, std::cout);
    } else {
        WriteCoverageText(run, request, table, std::cout);
    }
    std::cout.flush();

    if (!chart)
        return;
    try {
        const std::string title = CoverageChartTitle(run, request);
        if (!options.pngPath.empty())
            WriteCoveragePicture(table, title, PictureFormat::Png, options.pngPath);
        else
            WriteCoveragePicture(table, title, PictureFormat::Svg, options.svgPath);
    } catch (const OrbitError& e) {
        std::cerr << e.what() << '\n';
        throw ComputationFailed();
    }
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
    CLI::Option* csv = command->add_flag("--csv", options->csv, "Write the table as CSV");
    CLI::Option* json = command->add_flag("--json", options->json, "Write one JSON object: design, summary, rows");
    csv->excludes(json);
    const CLI::Validator chartFile = ChartFileName();
    CLI::Option* png = command->add_option("--png", options->pngPath, "Also draw the chart as a PNG file")
                           ->type_name("FILE")
                           ->check(chartFile);
    CLI::Option* svg = command->add_option("--svg", options->svgPath, "Also draw the chart as an SVG file")
                           ->type_name("FILE")
                           ->check(chartFile);
    png->excludes(svg);
    command->callback([options] { RunCoverageCommand(*options); });
}

}  // namespace orbit::cli

#include "cli/sun_command.h"

#include "cli/answer_file.h"
#include "cli/command_line.h"
#include "cli/design_input_options.h"
#include "cli/design_run.h"
#include "cli/epoch_node_options.h"
#include "cli/option_checks.h"
#include "cli/picture_options.h"
#include "cli/sun_output.h"
#include "core/orbit_error.h"
#include "sun/sun_figures.h"

#include <cmath>
#include <iostream>
#include <memory>

namespace orbit::cli {

namespace {

// Each latitude row holds four figures a day row; past this many rows times
// latitudes the answer would run to gigabytes.
constexpr double kMaxLatitudeCells = 5e6;

struct SunOptions {
    DesignInputOptions inputs;
    EpochNodeOptions epochNode;
    std::string daysText = "365", stepText = "1", latStepText;
    PictureFileOptions chart;
    bool csv = false;
    bool json = false;
};

sun::SunSpan SpanOf(const SunOptions& options)
{
    sun::SunSpan span;
    span.days = ArgumentNumber("--days", options.daysText);
    if (!(span.days > 0 && span.days <= sun::kMaxSpanDays))
        throw UsageError("--days: '" + options.daysText + "' is not a span from above 0 to 3660 days");
    span.stepDays = ArgumentNumber("--step-days", options.stepText);
    if (!(span.stepDays >= sun::kMinStepDays && span.stepDays <= span.days))
        throw UsageError("--step-days: '" + options.stepText + "' is not a step from 0.01 days to the span (" +
                         options.daysText + " days)");
    if (!options.latStepText.empty()) {
        span.latitudeStepDeg = ArgumentNumber("--lat-step", options.latStepText);
        if (!(span.latitudeStepDeg >= 1 && span.latitudeStepDeg <= 90))
            throw UsageError("--lat-step: '" + options.latStepText + "' is not a step from 1 to 90 degrees");
        const double latitudes = 2 * std::floor(90 / span.latitudeStepDeg) + 1;
        if (latitudes * static_cast<double>(sun::RowCount(span)) > kMaxLatitudeCells)
            throw UsageError("--lat-step: " + options.latStepText + " deg over " +
                             std::to_string(sun::RowCount(span)) +
                             " day rows is too many figures; take a coarser --lat-step or --step-days");
    }
    return span;
}

void RunSunCommand(const SunOptions& options)
{
    const EpochNode epochNode = RequireEpochNode(options.epochNode);
    const sun::SunSpan span = SpanOf(options);
    const std::optional<PictureFile> chart = ChosenPictureFile("sun", options.chart);
    if (chart)
        RequirePictures();
    const DesignRun run = RunOrbitingDesign(options.inputs.Request());
    const ephemeris::OrbitNode node = NodeOfDesign(run.record, epochNode);
    const sun::SunFigures figures =
        sun::SunFiguresOf(run.record, run.semiMajorAxisKm.value(), epochNode.epoch, node, span);
    const SunAnswer answer{run, epochNode.epoch, node, span, figures};
    if (options.json)
        WriteSunJson(answer, std::cout);
    else if (options.csv)
        WriteSunCsv(answer, std::cout);
    else
        WriteSunText(answer, std::cout);
    std::cout.flush();

    if (!chart)
        return;
    WriteSunPicture(figures, SunChartTitle(answer), chart->format, chart->path);
}

}  // namespace

void AddSunCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand(
        "sun", "The Sun and one design through a span: node local times, beta, eclipses, light by latitude");
    auto options = std::make_shared<SunOptions>();
    AddDesignInputOptions(*command, options->inputs);
    AddEpochNodeOptions(*command, options->epochNode);
    command->add_option("--days", options->daysText, "Span from the epoch, days (up to 3660; default 365)")
        ->type_name("DAYS");
    command->add_option("--step-days", options->stepText, "Step between rows, days (0.01 to the span; default 1)")
        ->type_name("DAYS");
    command->add_option("--lat-step", options->latStepText,
                        "Also the local time and Sun elevation of each day's passes, every DEG of latitude (1 to 90)")
        ->type_name("DEG");
    CLI::Option* csv = command->add_flag("--csv", options->csv, "Write the table by day as CSV");
    CLI::Option* json = command->add_flag("--json", options->json,
                                          "Write one JSON object: design, epoch, node, summary, days, latitudes");
    csv->excludes(json);
    AddPictureFileOptions(*command, options->chart, "beta and the umbra", PictureRole::Chart);
    AddAnswerFileOption(*command);
    command->callback([options] { RunSunCommand(*options); });
}

}  // namespace orbit::cli

#include "cli/pattern_command.h"

#include "cli/command_line.h"
#include "cli/design_input_options.h"
#include "cli/design_run.h"
#include "cli/option_checks.h"
#include "cli/picture_files.h"
#include "core/orbit_error.h"
#include "pattern/ops_text.h"
#include "pattern/pattern_drawing.h"
#include "pattern/picture_size.h"
#include "pattern/recording_surface.h"

#include <iostream>
#include <memory>
#include <optional>

namespace orbit::cli {

namespace {

struct PatternOptions {
    DesignInputOptions inputs;
    std::string pngPath, svgPath;
    bool png = false;  // --png was given (else --svg)
    bool ops = false;
    std::string scaleText = "1";
};

// Lists the operations; those drawn before a failing step are listed too.
void WriteOps(const DesignRecord& record)
{
    pattern::RecordingSurface surface;
    std::optional<std::string> error;
    try {
        pattern::DrawPattern(record, surface);
    } catch (const OrbitError& e) {
        error = e.what();
    }
    std::cout << pattern::OpsText(surface.Ops());
    std::cout.flush();
    if (error) {
        std::cerr << *error << '\n';
        throw ComputationFailed();
    }
}

// Its range was checked when parsed.
double Scale(const PatternOptions& options) { return ArgumentNumber("--scale", options.scaleText); }

void WritePicture(const DesignRecord& record, const PatternOptions& options)
{
    try {
        if (options.png)
            WritePatternPicture(record, PictureFormat::Png, options.pngPath, Scale(options));
        else
            WritePatternPicture(record, PictureFormat::Svg, options.svgPath, Scale(options));
    } catch (const OrbitError& e) {
        std::cerr << e.what() << '\n';
        throw ComputationFailed();
    }
}

void RunPatternCommand(const PatternOptions& options)
{
    // Only a completed design can be displayed, as in the design window.
    const DesignRun run = RunCompletedDesign(options.inputs.Request());
    if (options.ops)
        WriteOps(run.record);
    else
        WritePicture(run.record, options);
}

}  // namespace

void AddPatternCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand(
        "pattern", "Draw the relative ground-track pattern of one design, as the pattern window shows it");
    auto options = std::make_shared<PatternOptions>();
    AddDesignInputOptions(*command, options->inputs);

    CLI::Option* png =
        command->add_option("--png", options->pngPath, "Write the picture as a PNG file (- for standard output)")
            ->type_name("FILE")
            ->check(OutputFileName());
    CLI::Option* svg =
        command->add_option("--svg", options->svgPath, "Write the picture as an SVG file (- for standard output)")
            ->type_name("FILE")
            ->check(OutputFileName());
    CLI::Option* ops = command->add_flag("--ops", options->ops,
                                         "Print the drawing operations, one per line, in user coordinates");
    command->add_option("--scale", options->scaleText, "Magnify the picture (749 x 270 pixels at 1; 0.1 to 10)")
        ->type_name("F")
        ->check(NumberFromTo(pattern::kMinPictureScale, pattern::kMaxPictureScale))
        ->excludes(ops);
    png->excludes(svg)->excludes(ops);
    svg->excludes(ops);
    command->callback([options, png, svg, ops] {
        if (png->count() + svg->count() + ops->count() == 0)
            throw UsageError("pattern: choose one of --png FILE, --svg FILE or --ops");
        options->png = png->count() > 0;
        RunPatternCommand(*options);
    });
}

}  // namespace orbit::cli

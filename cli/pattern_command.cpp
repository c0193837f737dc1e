#include "pattern_command.h"

#include "command_line.h"
#include "design_run.h"
#include "ops_text.h"
#include "orbit_error.h"
#include "design_input_options.h"
#include "pattern_drawing.h"
#include "picture_export.h"
#include "recording_surface.h"

#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <optional>

namespace orbit::cli {

namespace {

struct PatternOptions {
    DesignInputOptions inputs;
    std::string pngPath, svgPath;
    bool ops = false;
    double scale = 1;
};

// Images need a GUI application object but never a display: unless the user
// chose a platform, the offscreen one is used. An application object that
// already exists (the command run inside a GUI program) is used as it is.
std::unique_ptr<QGuiApplication> MakeGuiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "repeat-orbit";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

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

void WritePicture(const DesignRecord& record, const PatternOptions& options)
{
    const auto application = MakeGuiApplication();
    try {
        if (!options.pngPath.empty())
            pattern::WritePatternPng(record, QString::fromStdString(options.pngPath), options.scale);
        else
            pattern::WritePatternSvg(record, QString::fromStdString(options.svgPath), options.scale);
    } catch (const OrbitError& e) {
        std::cerr << e.what() << '\n';
        throw ComputationFailed();
    }
}

void RunPatternCommand(const PatternOptions& options)
{

    // Only a completed design can be displayed, as in the design window.
    const DesignRun run = RunDesign(options.inputs.Request());
    if (!run.completed()) {
        std::cerr << run.error.value_or("The design did not complete") << '\n';
        throw ComputationFailed();
    }
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

    CLI::Option* png = command->add_option("--png", options->pngPath, "Write the picture as a PNG file")
                           ->type_name("FILE");
    CLI::Option* svg = command->add_option("--svg", options->svgPath, "Write the picture as an SVG file")
                           ->type_name("FILE");
    CLI::Option* ops = command->add_flag("--ops", options->ops,
                                         "Print the drawing operations, one per line, in user coordinates");
    command->add_option("--scale", options->scale, "Magnify the picture (749 x 270 pixels at 1; 0.1 to 10)")
        ->type_name("F")
        ->check(CLI::Range(pattern::kMinExportScale, pattern::kMaxExportScale))
        ->excludes(ops);
    png->excludes(svg)->excludes(ops);
    svg->excludes(ops);
    command->callback([options, png, svg, ops] {
        if (png->count() + svg->count() + ops->count() == 0)
            throw UsageError("pattern: choose one of --png FILE, --svg FILE or --ops");
        RunPatternCommand(*options);
    });
}

}  // namespace orbit::cli

#include "cli/pattern_command.h"

#include "cli/command_line.h"
#include "cli/design_input_options.h"
#include "cli/design_run.h"
#include "cli/option_checks.h"
#include "cli/picture_options.h"
#include "core/orbit_error.h"
#include "pattern/ops_text.h"
#include "pattern/pattern_drawing.h"
#include "pattern/picture_size.h"
#include "pattern/recording_surface.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>

namespace orbit::cli {

namespace {

struct PatternOptions {
    DesignInputOptions inputs;
    PictureFileOptions picture;
    bool ops = false;
    std::string sizeText;   // empty: the window's own size
    std::string scaleText;  // the old way to size it, still read
};

constexpr PictureSizePx kPatternAtScale1{pattern::kPictureWidthPx, pattern::kPictureHeightPx};

PictureSizePx Scaled(double scale)
{
    return {static_cast<int>(std::lround(kPatternAtScale1.widthPx * scale)),
            static_cast<int>(std::lround(kPatternAtScale1.heightPx * scale))};
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

// The pattern keeps its shape: it is drawn as large as fits in the size
// asked for. Both ranges were checked when parsed.
double Scale(const PatternOptions& options)
{
    if (!options.scaleText.empty())
        return ArgumentNumber("--scale", options.scaleText);
    if (options.sizeText.empty())
        return 1;
    const PictureSizePx size = ParsePictureSize(options.sizeText).value();
    return std::min(static_cast<double>(size.widthPx) / kPatternAtScale1.widthPx,
                    static_cast<double>(size.heightPx) / kPatternAtScale1.heightPx);
}

void WritePicture(const DesignRecord& record, const PictureFile& file, double scale)
{
    try {
        WritePatternPicture(record, file.format, file.path, scale);
    } catch (const OrbitError& e) {
        std::cerr << e.what() << '\n';
        throw ComputationFailed();
    }
}

void RunPatternCommand(const PatternOptions& options)
{
    // Only a completed design can be displayed, as in the design window.
    std::optional<PictureFile> file;
    if (!options.ops)
        file = ChosenPictureFile("pattern", options.picture);
    const double scale = Scale(options);
    const DesignRun run = RunCompletedDesign(options.inputs.Request());
    if (file)
        WritePicture(run.record, *file, scale);
    else
        WriteOps(run.record);
}

}  // namespace

void AddPatternCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand(
        "pattern", "Draw the relative ground-track pattern of one design, as the pattern window shows it");
    auto options = std::make_shared<PatternOptions>();
    AddDesignInputOptions(*command, options->inputs);

    AddPictureFileOptions(*command, options->picture, "the picture", PictureRole::Answer);
    CLI::Option* ops = command->add_flag("--ops", options->ops,
                                         "Print the drawing operations, one per line, in user coordinates");
    CLI::Option* size =
        command
            ->add_option("--size", options->sizeText,
                         "Picture size in pixels; the pattern keeps its shape and fills as much as fits "
                         "(default " + PictureSizeText(kPatternAtScale1) + ", " + PictureSizeText(Scaled(pattern::kMinPictureScale)) +
                             " to " + PictureSizeText(Scaled(pattern::kMaxPictureScale)) + ")")
            ->type_name("WxH")
            ->check(PictureSizeFromTo(Scaled(pattern::kMinPictureScale), Scaled(pattern::kMaxPictureScale)))
            ->excludes(ops);
    // The picture was once sized by a magnification; that spelling still
    // works. It is checked by hand: the help does not list it, and CLI11
    // names a hidden option in no message.
    CLI::Option* scale = command->add_option("--scale", options->scaleText)->group("")->each([](const std::string&) {
        std::cerr << "repeat-orbit pattern: --scale is now --size WxH (" << PictureSizeText(kPatternAtScale1)
                  << " at --scale 1); the old spelling still works\n";
    });
    for (CLI::Option* picture : {options->picture.png, options->picture.svg, options->picture.output})
        picture->excludes(ops);
    command->callback([options, ops, size, scale] {
        if (scale->count() > 0) {
            if (ops->count() + size->count() > 0)
                throw UsageError(std::string("--scale excludes ") + (ops->count() > 0 ? "--ops" : "--size"));
            std::string text = options->scaleText;
            const std::string refused = NumberFromTo(pattern::kMinPictureScale, pattern::kMaxPictureScale)(text);
            if (!refused.empty())
                throw UsageError("--scale: " + refused);
        }
        if (PictureOptionCount(options->picture) + ops->count() == 0)
            throw UsageError("pattern: choose one of --png FILE, --svg FILE, --output FILE.png|.svg or --ops");
        RunPatternCommand(*options);
    });
}

}  // namespace orbit::cli

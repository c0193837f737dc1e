#include "cli/picture_options.h"

#include "cli/command_line.h"
#include "cli/option_checks.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace orbit::cli {

namespace {

bool ParseWhole(std::string_view text, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool EndsWithNoCase(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                      });
}

}  // namespace

void AddPictureFileOptions(CLI::App& command, PictureFileOptions& options, const std::string& what, PictureRole role)
{
    const bool answer = role == PictureRole::Answer;
    // A chart accompanies a table, which takes standard output.
    const CLI::Validator fileName = answer ? OutputFileName() : ChartFileName();
    const std::string verb = answer ? "Write " : "Also draw ";
    const std::string standardOutput = answer ? " (- for standard output)" : "";
    options.png = command.add_option("--png", options.pngPath, verb + what + " as a PNG file" + standardOutput)
                      ->type_name("FILE")
                      ->check(fileName);
    options.svg = command.add_option("--svg", options.svgPath, verb + what + " as an SVG file" + standardOutput)
                      ->type_name("FILE")
                      ->check(fileName);
    options.png->excludes(options.svg);
    if (!answer)
        return;
    options.output = command
                         .add_option("--output", options.outputPath,
                                     "Write " + what + " to FILE, as PNG or SVG as its name ends (.png, .svg)")
                         ->type_name("FILE")
                         ->check(OutputFileName())
                         ->excludes(options.png)
                         ->excludes(options.svg);
}

std::size_t PictureOptionCount(const PictureFileOptions& options)
{
    return options.png->count() + options.svg->count() + (options.output ? options.output->count() : 0);
}

std::optional<PictureFile> ChosenPictureFile(const std::string& command, const PictureFileOptions& options)
{
    if (options.png->count() > 0)
        return PictureFile{PictureFormat::Png, options.pngPath};
    if (options.svg->count() > 0)
        return PictureFile{PictureFormat::Svg, options.svgPath};
    if (!options.output || options.output->count() == 0)
        return std::nullopt;
    if (EndsWithNoCase(options.outputPath, ".png"))
        return PictureFile{PictureFormat::Png, options.outputPath};
    if (EndsWithNoCase(options.outputPath, ".svg"))
        return PictureFile{PictureFormat::Svg, options.outputPath};
    throw UsageError(command + ": --output " + options.outputPath +
                     ": the picture's format follows the file's name, which must end in .png or .svg "
                     "(--png FILE or --svg FILE take any name)");
}

std::string PictureSizeText(PictureSizePx size) { return std::to_string(size.widthPx) + "x" + std::to_string(size.heightPx); }

std::optional<PictureSizePx> ParsePictureSize(std::string_view text)
{
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos)
        return std::nullopt;
    PictureSizePx size;
    if (!ParseWhole(text.substr(0, x), size.widthPx) || !ParseWhole(text.substr(x + 1), size.heightPx))
        return std::nullopt;
    return size;
}

CLI::Validator PictureSizeFromTo(PictureSizePx smallest, PictureSizePx largest)
{
    const std::string range = PictureSizeText(smallest) + " to " + PictureSizeText(largest);
    return CLI::Validator(
        [smallest, largest, range](std::string& text) -> std::string {
            const std::optional<PictureSizePx> size = ParsePictureSize(text);
            if (!size || size->widthPx < smallest.widthPx || size->heightPx < smallest.heightPx ||
                size->widthPx > largest.widthPx || size->heightPx > largest.heightPx)
                return "the picture size must be WxH from " + range + ", not " + text;
            return {};
        },
        range);
}

}  // namespace orbit::cli

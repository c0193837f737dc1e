#pragma once
// How every command that draws is told where its picture goes and how large
// it is drawn, in the same words everywhere:
//   --png FILE, --svg FILE   the picture in that format (- for standard output
//                            where the picture is the whole answer);
//   --output FILE            where the picture is the command's answer
//                            (pattern, map): the format from FILE's
//                            extension, .png or .svg;
//   --size WxH               the picture's size in pixels, where it can be sized.

#include "cli/picture_files.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace orbit::cli {

// Whether the picture is the command's whole answer, or a chart drawn beside
// the table the command prints.
enum class PictureRole { Answer, Chart };

struct PictureFileOptions {
    std::string pngPath, svgPath, outputPath;
    CLI::Option* png = nullptr;
    CLI::Option* svg = nullptr;
    CLI::Option* output = nullptr;  // only for an answer
};

struct PictureFile {
    PictureFormat format;
    std::string path;
};

// Adds --png and --svg, which exclude each other, and for an answer --output.
// `what` names the picture in the help: "the map", "beta and the umbra".
void AddPictureFileOptions(CLI::App& command, PictureFileOptions& options, const std::string& what, PictureRole role);

// The picture file asked for, if any. Throws a usage error for an --output
// whose name ends in neither .png nor .svg.
std::optional<PictureFile> ChosenPictureFile(const std::string& command, const PictureFileOptions& options);

// How many of the picture options were given.
std::size_t PictureOptionCount(const PictureFileOptions& options);

struct PictureSizePx {
    int widthPx = 0;
    int heightPx = 0;
};

// Reads "WxH" (1600x800); nothing when the text is not one.
std::optional<PictureSizePx> ParsePictureSize(std::string_view text);

// "1600x800".
std::string PictureSizeText(PictureSizePx size);

// A "WxH" from `smallest` to `largest` in each direction.
CLI::Validator PictureSizeFromTo(PictureSizePx smallest, PictureSizePx largest);

}  // namespace orbit::cli

#pragma once
// Writing the pictures of `repeat-orbit` to files. A build with the windows
// draws them with the windows' own code, in the picture module the command
// opens the first time a picture is asked for (cli/picture_module_loader.h);
// a build without them has no picture support and says so.

#include "analysis/swath_coverage.h"
#include "core/repeat_orbit_solver.h"
#include "map/ground_track_map.h"
#include "sun/sun_figures.h"

#include <optional>
#include <string>

namespace orbit::cli {

enum class PictureFormat { Png, Svg };

// Whether this build can write pictures at all.
bool PictureSupport();

// Makes the pictures ready now, so a command can refuse a picture before it
// writes the rest of its answer. Throws orbit::OrbitError: NoPictureSupport
// in a build without pictures, File when the picture module cannot be
// loaded.
void RequirePictures();

// The relative ground-track pattern of a completed design, magnified by
// `scale`. Throws orbit::OrbitError when the drawing or the file fails, and
// when this build has no picture support or its module cannot be loaded.
void WritePatternPicture(const DesignRecord& design, PictureFormat format, const std::string& path, double scale);

// The revisit-by-latitude chart of a coverage table, under `title`. Throws
// orbit::OrbitError when the file fails, and when there is no picture
// support (as RequirePictures).
void WriteCoveragePicture(const analysis::CoverageTable& table, const std::string& title, PictureFormat format,
                          const std::string& path);

// The chart of beta and the umbra minutes over a span of day rows, under
// `title`. Throws orbit::OrbitError when the file fails, and when there is no
// picture support (as RequirePictures).
void WriteSunPicture(const sun::SunFigures& figures, const std::string& title, PictureFormat format,
                     const std::string& path);

// What a ground track map shows and how large it is drawn.
struct MapPicture {
    int days = 1;
    double swathKm = 0;  // none
    int widthPx = 1600;
    int heightPx = 800;
    // Day and night this long after the epoch (only for a design with one).
    std::optional<double> nightAtS;
};

// The ground track map of a completed design over the world's land, read
// beside the program. Throws orbit::OrbitError when the land cannot be read,
// the drawing or the file fails, and when there is no picture support.
void WriteMapPicture(const world_map::MapDesign& design, const MapPicture& picture, PictureFormat format,
                     const std::string& path);

}  // namespace orbit::cli

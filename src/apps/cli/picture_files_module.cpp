// The picture writers of a build with the windows: each hands its records to
// the picture module, loaded the first time a picture is asked for, so the
// command links no Qt of its own.

#include "cli/picture_files.h"

#include "cli/picture_module_loader.h"

namespace orbit::cli {

namespace {

int FormatNumber(PictureFormat format)
{
    return format == PictureFormat::Png ? REPEAT_ORBIT_PICTURE_PNG : REPEAT_ORBIT_PICTURE_SVG;
}

}  // namespace

bool PictureSupport() { return true; }

void RequirePictures() { LoadedPictureModule(); }

void WritePatternPicture(const DesignRecord& design, PictureFormat format, const std::string& path, double scale)
{
    RepeatOrbitPictureStatus status;
    LoadedPictureModule().writePattern(&design, FormatNumber(format), path.c_str(), scale, &status);
    ThrowIfFailed(status);
}

void WriteCoveragePicture(const analysis::CoverageTable& table, const std::string& title, PictureFormat format,
                          const std::string& path)
{
    RepeatOrbitPictureStatus status;
    LoadedPictureModule().writeCoverageChart(&table, title.c_str(), FormatNumber(format), path.c_str(), &status);
    ThrowIfFailed(status);
}

void WriteSunPicture(const sun::SunFigures& figures, const std::string& title, PictureFormat format,
                     const std::string& path)
{
    RepeatOrbitPictureStatus status;
    LoadedPictureModule().writeSunChart(&figures, title.c_str(), FormatNumber(format), path.c_str(), &status);
    ThrowIfFailed(status);
}

void WriteMapPicture(const world_map::MapDesign& design, const MapPicture& picture, PictureFormat format,
                     const std::string& path)
{
    const RepeatOrbitMapRequest request{picture.days,
                                        picture.swathKm,
                                        picture.widthPx,
                                        picture.heightPx,
                                        picture.nightAtS.has_value() ? 1 : 0,
                                        picture.nightAtS.value_or(0.0)};
    RepeatOrbitPictureStatus status;
    LoadedPictureModule().writeMap(&design, &request, FormatNumber(format), path.c_str(), &status);
    ThrowIfFailed(status);
}

}  // namespace orbit::cli

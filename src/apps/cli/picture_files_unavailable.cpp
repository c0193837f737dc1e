// The picture writers of a build without the windows: every request for a
// picture fails with one plain explanation.

#include "cli/picture_files.h"

#include "core/orbit_error.h"

namespace orbit::cli {

bool PictureSupport() { return false; }

void RequirePictures() { throw OrbitError(ErrorKind::NoPictureSupport); }

void WritePatternPicture(const DesignRecord&, PictureFormat, const std::string&, double)
{
    throw OrbitError(ErrorKind::NoPictureSupport);
}

void WriteCoveragePicture(const analysis::CoverageTable&, const std::string&, PictureFormat, const std::string&)
{
    throw OrbitError(ErrorKind::NoPictureSupport);
}

void WriteSunPicture(const sun::SunFigures&, const std::string&, PictureFormat, const std::string&)
{
    throw OrbitError(ErrorKind::NoPictureSupport);
}

void WriteMapPicture(const world_map::MapDesign&, const MapPicture&, PictureFormat, const std::string&)
{
    throw OrbitError(ErrorKind::NoPictureSupport);
}

}  // namespace orbit::cli

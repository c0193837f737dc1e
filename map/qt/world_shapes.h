#pragma once
// The land of the world map as Qt draws it, read once per run from the data
// file shipped with the program.

#include "map/world.h"

#include <QPainterPath>
#include <QString>

#include <memory>

namespace world_map {

struct WorldShapes {
    World world;
    // All land rings on the map in degrees (x = longitude, y = latitude),
    // filled even-odd so that lakes stay open.
    QPainterPath land;
};

std::shared_ptr<const WorldShapes> MakeWorldShapes(World world);

// The land file beside the program (<executable's folder>/../share/
// repeat-orbit/land-50m.json), read on first use and kept for the run.
// Throws orbit::OrbitError (File) naming the file when it cannot be read;
// the next call tries again. Needs a QCoreApplication.
std::shared_ptr<const WorldShapes> InstalledWorld();

// Reads the land from `landFile` instead from now on (the tests, which run
// from their own folders); an empty path returns to the file beside the
// program. Drops the land read so far when the file changes.
void UseLandFile(const QString& landFile);

}  // namespace world_map

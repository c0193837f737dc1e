#pragma once
// The land of the world map as Qt draws it, read once per run from the data
// file shipped with the program.

#include "map/world.h"

#include <QPolygonF>
#include <QString>

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace world_map {

class WorldShapes {
public:
    explicit WorldShapes(World world) : world_(std::move(world)) {}

    const World& Data() const { return world_; }
    // Each land polygon on the map as its rings in degrees (x = longitude,
    // y = latitude), to be filled even-odd so that lakes stay open, thinned
    // to the level of detail `detail` (see map/simplify.h). Made on first
    // use, then never changed: any thread may read it, several at once.
    // A painter makes its own paths from it (see LandPath): a QPainterPath
    // keeps a fill cache of its own inside, which no two threads may share.
    using LandPolygon = std::vector<QPolygonF>;
    const std::vector<LandPolygon>& Land(int detail) const;

private:
    World world_;
    mutable std::mutex mutex_;
    mutable std::array<std::optional<std::vector<LandPolygon>>, 4> land_;
};

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

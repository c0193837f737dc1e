#include "map/world.h"

#include "core/orbit_error.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace world_map {

std::filesystem::path LandFilePath(const std::filesystem::path& executableDir)
{
    return (executableDir / ".." / "share" / "repeat-orbit" / kLandFileName).lexically_normal();
}

World DecodeWorld(std::string_view topoJson)
{
    World world;
    world.land = DecodeTopoJsonPolygons(topoJson, "land");
    world.landOnMap.reserve(world.land.size());
    for (const Polygon& polygon : world.land) {
        Polygon onMap;
        for (const Ring& ring : polygon)
            for (Ring& piece : ToMapRings(ring))
                onMap.push_back(std::move(piece));
        if (!onMap.empty())
            world.landOnMap.push_back(std::move(onMap));
    }
    return world;
}

World LoadWorld(const std::filesystem::path& landFile)
{
    const std::string name = landFile.string();
    std::error_code error;
    if (std::filesystem::is_directory(landFile, error))
        throw orbit::OrbitError(orbit::ErrorKind::File,
                                "Cannot read the world map's land from " + name + ": it is a folder");
    std::ifstream in(landFile, std::ios::binary);
    std::ostringstream text;
    if (in)
        text << in.rdbuf();
    if (!in || in.bad())
        throw orbit::OrbitError(orbit::ErrorKind::File,
                                "Cannot read the world map's land from " + name + ": " + std::strerror(errno));
    try {
        return DecodeWorld(text.str());
    } catch (const orbit::OrbitError& e) {
        throw orbit::OrbitError(orbit::ErrorKind::File,
                                "Cannot read the world map's land from " + name + ": " + e.what());
    }
}

}  // namespace world_map

#include "map_qt/world_shapes.h"

#include "map/simplify.h"

#include <QCoreApplication>

#include <filesystem>

namespace world_map {

namespace {

QString landFileOverride;
std::shared_ptr<const WorldShapes> installed;

}  // namespace

const std::vector<WorldShapes::LandPolygon>& WorldShapes::Land(int detail) const
{
    const std::lock_guard lock(mutex_);
    std::optional<std::vector<LandPolygon>>& land = land_.at(static_cast<std::size_t>(detail));
    if (!land) {
        land.emplace();
        land->reserve(world_.landOnMap.size());
        const double tolerance = kDetailToleranceDeg.at(static_cast<std::size_t>(detail));
        for (const Polygon& polygon : world_.landOnMap) {
            LandPolygon rings;
            for (const Ring& full : polygon) {
                const Ring ring = SimplifiedRing(full, tolerance);
                if (ring.empty())
                    continue;
                QPolygonF points;
                points.reserve(static_cast<qsizetype>(ring.size()));
                for (const LonLat& p : ring)
                    points << QPointF(p.lonDeg, p.latDeg);
                rings.push_back(std::move(points));
            }
            if (!rings.empty())
                land->push_back(std::move(rings));
        }
    }
    return *land;
}

std::shared_ptr<const WorldShapes> InstalledWorld()
{
    if (!installed) {
        const std::filesystem::path file =
            landFileOverride.isEmpty()
                ? LandFilePath(std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()))
                : std::filesystem::path(landFileOverride.toStdString());
        installed = std::make_shared<const WorldShapes>(LoadWorld(file));
    }
    return installed;
}

void UseLandFile(const QString& landFile)
{
    if (landFile == landFileOverride)
        return;
    landFileOverride = landFile;
    installed.reset();
}

}  // namespace world_map

#include "map/qt/world_shapes.h"

#include <QCoreApplication>

#include <filesystem>

namespace world_map {

namespace {

QString landFileOverride;
std::shared_ptr<const WorldShapes> installed;

}  // namespace

std::shared_ptr<const WorldShapes> MakeWorldShapes(World world)
{
    auto shapes = std::make_shared<WorldShapes>();
    shapes->land.setFillRule(Qt::OddEvenFill);
    for (const Ring& ring : world.landRings) {
        shapes->land.moveTo(ring.front().lonDeg, ring.front().latDeg);
        for (std::size_t i = 1; i < ring.size(); ++i)
            shapes->land.lineTo(ring[i].lonDeg, ring[i].latDeg);
        shapes->land.closeSubpath();
    }
    shapes->world = std::move(world);
    return shapes;
}

std::shared_ptr<const WorldShapes> InstalledWorld()
{
    if (!installed) {
        const std::filesystem::path file =
            landFileOverride.isEmpty()
                ? LandFilePath(std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()))
                : std::filesystem::path(landFileOverride.toStdString());
        installed = MakeWorldShapes(LoadWorld(file));
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

#include "map/qt/world_shapes.h"

#include "map/simplify.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>

#include <filesystem>

namespace world_map {

namespace {

QString landFileOverride;
std::shared_ptr<const WorldShapes> installed;

// A painter keeps the form in which it fills a path inside the path itself,
// made the first time the path is drawn. Drawn once here, while the lock is
// held, the paths are only ever read afterwards, so painters on several
// threads may draw them at once.
void PrepareForThreads(const std::vector<QPainterPath>& paths)
{
    QImage pixel(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&pixel);
    for (const QPainterPath& path : paths)
        painter.drawPath(path);
}

}  // namespace

const std::vector<QPainterPath>& WorldShapes::Land(int detail) const
{
    const std::lock_guard lock(mutex_);
    std::optional<std::vector<QPainterPath>>& land = land_.at(static_cast<std::size_t>(detail));
    if (!land) {
        land.emplace();
        land->reserve(world_.landOnMap.size());
        const double tolerance = kDetailToleranceDeg.at(static_cast<std::size_t>(detail));
        for (const Polygon& polygon : world_.landOnMap) {
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);
            for (const Ring& full : polygon) {
                const Ring ring = SimplifiedRing(full, tolerance);
                if (ring.empty())
                    continue;
                path.moveTo(ring.front().lonDeg, ring.front().latDeg);
                for (std::size_t i = 1; i < ring.size(); ++i)
                    path.lineTo(ring[i].lonDeg, ring[i].latDeg);
                path.closeSubpath();
            }
            if (!path.isEmpty())
                land->push_back(std::move(path));
        }
        PrepareForThreads(*land);
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

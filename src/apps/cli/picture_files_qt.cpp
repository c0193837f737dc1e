// The picture writers of a build with the windows: the same drawing code as
// the windows, on an application object that needs no display.

#include "cli/picture_files.h"

#include "chart/coverage_chart.h"
#include "chart/sun_chart.h"
#include "map_qt/map_export.h"
#include "map_qt/map_scene.h"
#include "map_qt/world_shapes.h"
#include "pattern_qt/picture_export.h"

#include <QApplication>

#include <memory>

namespace orbit::cli {

namespace {

// Images need an application object but never a display: unless the user
// chose a platform, the offscreen one is used. The charts are widgets of a
// graphics scene, so the object is a full QApplication. An application object
// that already exists (the command run inside a GUI program) is used as it is.
std::unique_ptr<QGuiApplication> MakeGuiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "repeat-orbit";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

bool PictureSupport() { return true; }

void WritePatternPicture(const DesignRecord& design, PictureFormat format, const std::string& path, double scale)
{
    const auto application = MakeGuiApplication();
    const QString file = QString::fromStdString(path);
    if (format == PictureFormat::Png)
        pattern::WritePatternPng(design, file, scale);
    else
        pattern::WritePatternSvg(design, file, scale);
}

void WriteCoveragePicture(const analysis::CoverageTable& table, const std::string& title, PictureFormat format,
                          const std::string& path)
{
    const auto application = MakeGuiApplication();
    const QString file = QString::fromStdString(path);
    if (format == PictureFormat::Png)
        chart::WriteCoverageChartPng(table, QString::fromStdString(title), file);
    else
        chart::WriteCoverageChartSvg(table, QString::fromStdString(title), file);
}

void WriteSunPicture(const sun::SunFigures& figures, const std::string& title, PictureFormat format,
                     const std::string& path)
{
    const auto application = MakeGuiApplication();
    const QString file = QString::fromStdString(path);
    if (format == PictureFormat::Png)
        chart::WriteSunChartPng(figures, QString::fromStdString(title), file);
    else
        chart::WriteSunChartSvg(figures, QString::fromStdString(title), file);
}

void WriteMapPicture(const world_map::MapDesign& design, const MapPicture& picture, PictureFormat format,
                     const std::string& path)
{
    const auto application = MakeGuiApplication();
    world_map::MapScene scene(world_map::InstalledWorld(), design, picture.swathKm);
    scene.SetNightAt(picture.nightAtS);
    const QString file = QString::fromStdString(path);
    const QSize size(picture.widthPx, picture.heightPx);
    if (format == PictureFormat::Png)
        world_map::WriteMapPng(scene, picture.days, file, size);
    else
        world_map::WriteMapSvg(scene, picture.days, file, size);
}

}  // namespace orbit::cli

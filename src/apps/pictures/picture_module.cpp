// The entry points of repeat-orbit-pictures.so: the command's pictures drawn
// by the windows' own code, on an application object that needs no display.

#include "pictures/picture_module.h"

#include "chart/coverage_chart.h"
#include "chart/sun_chart.h"
#include "core/orbit_error.h"
#include "map_qt/map_export.h"
#include "map_qt/map_scene.h"
#include "map_qt/world_shapes.h"
#include "pattern_qt/picture_export.h"

#include <QApplication>

#include <cstring>
#include <exception>
#include <memory>
#include <string>

#define REPEAT_ORBIT_ENTRY extern "C" __attribute__((visibility("default")))

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

void Fail(RepeatOrbitPictureStatus& status, int outcome, const char* text)
{
    status.outcome = outcome;
    std::strncpy(status.message, text, sizeof status.message - 1);
    status.message[sizeof status.message - 1] = '\0';
}

// Runs one drawing and reports how it ended; nothing escapes the module.
template <typename Draw>
void Report(RepeatOrbitPictureStatus* status, Draw&& draw)
{
    *status = RepeatOrbitPictureStatus{};
    try {
        const auto application = MakeGuiApplication();
        draw();
        status->outcome = REPEAT_ORBIT_PICTURE_WRITTEN;
    } catch (const orbit::OrbitError& e) {
        Fail(*status, REPEAT_ORBIT_PICTURE_ORBIT_ERROR, e.what());
        status->errorKind = static_cast<int>(e.Kind());
        status->requestInput = static_cast<int>(e.Input());
        status->value = e.Value();
    } catch (const std::exception& e) {
        Fail(*status, REPEAT_ORBIT_PICTURE_OTHER_ERROR, e.what());
    } catch (...) {
        Fail(*status, REPEAT_ORBIT_PICTURE_OTHER_ERROR, "The picture could not be drawn");
    }
}

bool IsPng(int format) { return format == REPEAT_ORBIT_PICTURE_PNG; }

}  // namespace

REPEAT_ORBIT_ENTRY const char* repeat_orbit_pictures_identity(void) { return REPEAT_ORBIT_PICTURES_IDENTITY; }

REPEAT_ORBIT_ENTRY void repeat_orbit_write_pattern(const orbit::DesignRecord* design, int format, const char* path,
                                                   double scale, RepeatOrbitPictureStatus* status)
{
    Report(status, [&] {
        const QString file = QString::fromUtf8(path);
        if (IsPng(format))
            pattern::WritePatternPng(*design, file, scale);
        else
            pattern::WritePatternSvg(*design, file, scale);
    });
}

REPEAT_ORBIT_ENTRY void repeat_orbit_write_coverage_chart(const orbit::analysis::CoverageTable* table,
                                                          const char* title, int format, const char* path,
                                                          RepeatOrbitPictureStatus* status)
{
    Report(status, [&] {
        const QString file = QString::fromUtf8(path);
        if (IsPng(format))
            chart::WriteCoverageChartPng(*table, QString::fromUtf8(title), file);
        else
            chart::WriteCoverageChartSvg(*table, QString::fromUtf8(title), file);
    });
}

REPEAT_ORBIT_ENTRY void repeat_orbit_write_sun_chart(const orbit::sun::SunFigures* figures, const char* title,
                                                     int format, const char* path, RepeatOrbitPictureStatus* status)
{
    Report(status, [&] {
        const QString file = QString::fromUtf8(path);
        if (IsPng(format))
            chart::WriteSunChartPng(*figures, QString::fromUtf8(title), file);
        else
            chart::WriteSunChartSvg(*figures, QString::fromUtf8(title), file);
    });
}

REPEAT_ORBIT_ENTRY void repeat_orbit_write_map(const world_map::MapDesign* design,
                                               const RepeatOrbitMapRequest* request, int format, const char* path,
                                               RepeatOrbitPictureStatus* status)
{
    Report(status, [&] {
        world_map::MapScene scene(world_map::InstalledWorld(), *design, request->swathKm);
        scene.SetNightAt(request->hasNightAt ? std::optional<double>(request->nightAtS) : std::nullopt);
        const QString file = QString::fromUtf8(path);
        const QSize size(request->widthPx, request->heightPx);
        if (IsPng(format))
            world_map::WriteMapPng(scene, request->days, file, size);
        else
            world_map::WriteMapSvg(scene, request->days, file, size);
    });
}

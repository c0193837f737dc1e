// Cost of the ground track map where a user waits on it: redrawing the
// window's map on a resize and on a change of days or swath, opening it on a
// design, and the command's picture. Designs of Q = 3, 10 and 30 days, all
// days shown, about 14.3 revolutions a day. Run on the offscreen platform
// unless another one is chosen, from the build tree (the land is read from
// build/share/repeat-orbit/):
//   build/bench/map_bench

#include "core/repeat_orbit_solver.h"
#include "map/ground_track_map.h"
#include "map_qt/map_export.h"
#include "map_qt/map_scene.h"
#include "map_qt/map_widget.h"
#include "map_qt/world_shapes.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The map widget's size in a Ground Track Map window opened at its first size.
const QSize kWidgetSize(980, 540);
constexpr double kSwathKm = 290;

world_map::MapDesign SunSync(int q)
{
    // N 14 with M the largest below Q prime to it: a cycle of the full Q days.
    const double m = q == 3 ? 1 : q == 10 ? 3 : 7;
    orbit::DesignRecord record;
    orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(14, m, q, orbit::OrbitType::SunSynchronous), {}, record);
    return world_map::MapDesignOf(record, orbit::OrbitType::SunSynchronous);
}

// A shown map widget with every day of the cycle drawn once already.
struct ShownMap {
    explicit ShownMap(int q, double swathKm)
        : scene(std::make_shared<world_map::MapScene>(world_map::InstalledWorld(), SunSync(q), swathKm))
    {
        widget.resize(kWidgetSize);
        widget.SetScene(scene, q);
        widget.show();
        widget.Refresh();
    }
    std::shared_ptr<world_map::MapScene> scene;
    world_map::MapWidget widget;
};

void BM_RedrawOnResize(benchmark::State& state)
{
    ShownMap map(static_cast<int>(state.range(0)), static_cast<double>(state.range(1)));
    bool wider = false;
    for (auto _ : state) {
        wider = !wider;
        map.widget.resize(kWidgetSize + QSize(wider ? 10 : 0, 0));  // redraws at once
    }
    state.counters["days"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_RedrawOnResize)->ArgsProduct({{3, 10, 30}, {0, 290}})->Unit(benchmark::kMillisecond);

void BM_RedrawOnDays(benchmark::State& state)
{
    const int q = static_cast<int>(state.range(0));
    ShownMap map(q, kSwathKm);
    bool fewer = false;
    for (auto _ : state) {
        fewer = !fewer;
        map.widget.SetDays(fewer ? q - 1 : q);
    }
}
BENCHMARK(BM_RedrawOnDays)->Arg(3)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);

// A new swath width: every shown day's band laid again, then drawn.
void BM_RedrawOnSwath(benchmark::State& state)
{
    ShownMap map(static_cast<int>(state.range(0)), kSwathKm);
    bool wider = false;
    for (auto _ : state) {
        wider = !wider;
        map.scene->SetSwathKm(wider ? kSwathKm + 10 : kSwathKm);
        map.widget.Refresh();
    }
}
BENCHMARK(BM_RedrawOnSwath)->Arg(3)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);

// "Ground track map…" on a new design: its days sampled, cut and drawn.
void BM_OpenOnDesign(benchmark::State& state)
{
    const int q = static_cast<int>(state.range(0));
    const double swathKm = static_cast<double>(state.range(1));
    const world_map::MapDesign design = SunSync(q);
    world_map::MapWidget widget;
    widget.resize(kWidgetSize);
    widget.show();
    for (auto _ : state)
        widget.SetScene(std::make_shared<world_map::MapScene>(world_map::InstalledWorld(), design, swathKm), q);
}
BENCHMARK(BM_OpenOnDesign)->ArgsProduct({{3, 10, 30}, {0, 290}})->Unit(benchmark::kMillisecond);

// `repeat-orbit map`'s 1600 x 800 picture, its geometry already made.
void BM_Picture1600x800(benchmark::State& state)
{
    const int q = static_cast<int>(state.range(0));
    const world_map::MapScene scene(world_map::InstalledWorld(), SunSync(q), kSwathKm);
    for (auto _ : state)
        benchmark::DoNotOptimize(world_map::RenderMapImage(scene, q, world_map::kDefaultPictureSize));
}
BENCHMARK(BM_Picture1600x800)->Arg(3)->Arg(30)->Unit(benchmark::kMillisecond);

// Reading and decoding the land file, once a run.
void BM_LoadLand(benchmark::State& state)
{
    for (auto _ : state) {
        world_map::UseLandFile(QStringLiteral("."));
        world_map::UseLandFile(QString());
        benchmark::DoNotOptimize(world_map::InstalledWorld());
    }
}
BENCHMARK(BM_LoadLand)->Unit(benchmark::kMillisecond);

}  // namespace

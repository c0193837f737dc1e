// The exports' speed: a cycle's ephemeris as an OEM, propagated and written.

#include "cli/design_run.h"
#include "cli/export_refined.h"
#include "export/orbit/export_formats.h"
#include "ephemeris/instant.h"
#include "propagation/gravity_model.h"

#include <benchmark/benchmark.h>

namespace {

using namespace orbit;

// The 10-day cycle of the Sentinel-2-like design, every 60 s: 14,400 states
// propagated under the zonal field and written as KVN.
void TenDayOemEvery60s(benchmark::State& state)
{
    const cli::DesignRun design = cli::RunDesign({"14", "3", "10", OrbitType::SunSynchronous});
    const exports::ExportOrbit orbit =
        exports::DesignExportOrbit(cli::ExportDesignOf(design), ephemeris::ParseIsoUtc("2027-03-21T00:00Z"),
                               {ephemeris::NodeGiven::Ltdn, 10.5}, propagation::Egm2008ZonalModel());
    exports::ExportChoices choices;
    choices.format = exports::ExportFormat::Oem;
    choices.spanS = 10 * 86400;
    choices.stepS = 60;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const exports::ExportText text = exports::RenderExport(orbit, choices);
        bytes = text.text.size();
        benchmark::DoNotOptimize(text.text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(TenDayOemEvery60s)->Unit(benchmark::kMillisecond);

}  // namespace

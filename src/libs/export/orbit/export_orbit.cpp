#include "export/orbit/export_orbit.h"

#include "core/constants.h"
#include "propagation/closure.h"
#include "propagation/mean_elements.h"
#include "propagation/propagator.h"

#include <cmath>
#include <cstdio>

namespace orbit::exports {

namespace {


std::string Printed(const char* format, auto... values)
{
    char line[512];
    std::snprintf(line, sizeof line, format, values...);
    return line;
}

}  // namespace

ExportOrbit DesignExportOrbit(const ExportDesign& design, const ephemeris::Instant& epoch,
                              const ephemeris::NodeRequest& node, const propagation::GravityModel& model)
{
    using namespace propagation;
    const DesignRecord& record = design.record;
    ExportOrbit orbit{design,  epoch, ephemeris::TrueOfEpochFrame(epoch),
                      ephemeris::ResolveNode(epoch, node, record.Incl, record.NodeRate), model, {}, {}};
    // As the refinement starts from it: the inclination and the node against
    // the true equator of the epoch, the field's own.
    orbit.mean.semiMajorAxisKm = design.solution.SemiMajorAxis;
    orbit.mean.inclinationRad = record.Incl;
    orbit.mean.raanRad = orbit.node.raanOfDateRad;
    orbit.state = ToCartesian(MeanToOsculating(orbit.mean, model), model.gmKm3S2);
    const RepeatCycle cycle{design.solution.RevCount, record.NodalPeriod, record.NodeRate};
    orbit.earthAngleAtEpochRad = EarthAngleForFirstNode(Propagator(model, orbit.state), cycle, orbit.node.longitudeRad);
    orbit.cycleS = cycle.revolutions * cycle.nodalPeriodS;
    return orbit;
}

propagation::CartesianState InEme2000(const ephemeris::TrueOfEpochFrame& frame, const propagation::CartesianState& state)
{
    return {frame.ToEme2000(state.positionKm), frame.ToEme2000(state.velocityKmS)};
}

std::vector<std::string> OrbitDescription(const ExportOrbit& orbit)
{
    const DesignRecord& r = orbit.design.record;
    const bool sunSync = orbit.design.type == OrbitType::SunSynchronous;
    std::vector<std::string> lines;
    lines.push_back(Printed("Repeat orbit N %g, M %g, Q %g%s: %d revolutions in the cycle, nodal period %.6f min",
                            r.N, r.M, r.Q, sunSync ? ", sun-synchronous" : "",
                            static_cast<int>(orbit.design.solution.RevCount), r.NodalPeriod / 60));
    const double e = std::hypot(orbit.mean.ex, orbit.mean.ey);
    lines.push_back(Printed("%s mean elements at the epoch: a %.6f km, e %.7f, i %.6f deg, RAAN %.6f deg (of the epoch), "
                            "argument of latitude %.6f deg",
                            orbit.refined ? "Refined" : "J2 design", orbit.mean.semiMajorAxisKm, e,
                            orbit.mean.inclinationRad * kDegreesPerRadian, orbit.mean.raanRad * kDegreesPerRadian,
                            orbit.mean.meanArgumentOfLatitudeRad * kDegreesPerRadian));
    lines.push_back(Printed("Model %s: GM %.7f km3/s2, Re %.4f km, zonal J2 to J%d about the true pole of the epoch; "
                            "the Earth turns at %.10e rad/s about it (precession and nutation held at the epoch)",
                            orbit.model.name.c_str(), orbit.model.gmKm3S2, orbit.model.equatorialRadiusKm,
                            ZonalDegree(orbit.model), orbit.model.earthRateRadS));
    return lines;
}

int ZonalDegree(const propagation::GravityModel& model)
{
    int degree = 2;
    for (int n = 3; n <= 6; ++n)
        if (model.J(n) != 0)
            degree = n;
    return degree;
}

}  // namespace orbit::exports

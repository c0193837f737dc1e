#include "cli/refine_output.h"

#include "cli/design_output.h"
#include "core/constants.h"
#include "export/orbit/export_orbit.h"

#include <cmath>
#include <iomanip>
#include <sstream>

namespace orbit::cli {
namespace {

using namespace propagation;


nlohmann::ordered_json StateJson(const CartesianState& s)
{
    return {{"x_km", s.positionKm[0]},   {"y_km", s.positionKm[1]},   {"z_km", s.positionKm[2]},
            {"vx_km_s", s.velocityKmS[0]}, {"vy_km_s", s.velocityKmS[1]}, {"vz_km_s", s.velocityKmS[2]}};
}

double ArgumentOfPerigeeDeg(const NonsingularElements& el) { return WrapTwoPi(std::atan2(el.ey, el.ex)) * kDegreesPerRadian; }

double DeltaAxisM(const RefineRun& run) { return (run.refined.mean.semiMajorAxisKm - run.designMean.semiMajorAxisKm) * 1000; }
double DeltaInclinationMdeg(const RefineRun& run)
{
    return (run.refined.mean.inclinationRad - run.designMean.inclinationRad) * kDegreesPerRadian * 1000;
}

std::string Fixed(double value, int decimals)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

std::string Line(const std::string& caption, const std::string& value)
{
    std::ostringstream text;
    text << "  " << std::left << std::setw(34) << caption << value << '\n';
    return text.str();
}

// The state the orbit was followed from, as the files hold it: in EME2000.
std::string StateText(const RefineRun& run, const CartesianState& ofEpoch)
{
    const CartesianState s = exports::InEme2000(run.frame, ofEpoch);
    return Line("Position EME2000 (km)", Fixed(s.positionKm[0], 6) + "  " + Fixed(s.positionKm[1], 6) + "  " +
                                             Fixed(s.positionKm[2], 6)) +
           Line("Velocity EME2000 (km/s)", Fixed(s.velocityKmS[0], 9) + "  " + Fixed(s.velocityKmS[1], 9) + "  " +
                                               Fixed(s.velocityKmS[2], 9));
}

}  // namespace

void WriteRefineText(const RefineRun& run, const std::string& epochText, const std::string& nodeText,
                     std::ostream& out)
{
    const bool sunSync = run.design.type == OrbitType::SunSynchronous;
    const int r = run.cycle.revolutions;
    out << "J2 design\n";
    WriteDesignText(run.design, out);
    out << "\nEpoch " << epochText << '\n' << nodeText;
    if (!nodeText.empty() && nodeText.back() != '\n') out << '\n';
    out << "Followed in the " << ephemeris::kTrueOfEpochFrameName << ": elements of that frame, states in EME2000\n";
    out << "\nModel " << run.model.name << ": GM " << Fixed(run.model.gmKm3S2, 4) << " km^3/s^2, Re "
        << Fixed(run.model.equatorialRadiusKm, 4) << " km";
    for (int n = 2; n <= 6; ++n) {
        std::ostringstream j;
        j << std::setprecision(6) << run.model.J(n);
        out << ", J" << n << ' ' << j.str();
    }
    out << "\n\nClosure of the J2 design under the model\n"
        << StateText(run, run.designState)
        << Line("Miss of node " + std::to_string(r) + " (east +)", Fixed(run.designClosure.closureKm, 3) + " km")
        << Line("Time of node " + std::to_string(r), Fixed(run.designClosure.tRS, 3) + " s, " +
                                                         Fixed(run.designClosure.closureTimeS, 3) + " s against " +
                                                         std::to_string(r) + " nodal periods")
        << Line("Node local time drift", Fixed(run.designClosure.ltanDriftSPerCycle, 3) + " s per cycle, " +
                                             Fixed(run.designClosure.ltanDriftMinPerYear, 3) + " min per year");

    const ClassicalElements osc = ToClassical(run.refined.osculating);
    out << "\nRefined design (" << run.refined.iterations << " iterations)\n"
        << StateText(run, run.refined.state)
        << Line("Osculating a, e, i", Fixed(osc.semiMajorAxisKm, 6) + " km, " + Fixed(osc.eccentricity, 7) + ", " +
                                          Fixed(osc.inclinationRad * kDegreesPerRadian, 6) + " deg")
        << Line("Osculating RAAN, argp, M", Fixed(osc.raanRad * kDegreesPerRadian, 6) + ", " +
                                                Fixed(osc.argumentOfPerigeeRad * kDegreesPerRadian, 6) + ", " +
                                                Fixed(osc.meanAnomalyRad * kDegreesPerRadian, 6) + " deg")
        << Line("Mean a, i", Fixed(run.refined.mean.semiMajorAxisKm, 6) + " km, " +
                                 Fixed(run.refined.mean.inclinationRad * kDegreesPerRadian, 6) + " deg")
        << Line("Mean e, argp", Fixed(std::hypot(run.refined.mean.ex, run.refined.mean.ey), 7) + ", " +
                                    Fixed(ArgumentOfPerigeeDeg(run.refined.mean), 3) + " deg")
        << Line("Change of mean a, i", Fixed(DeltaAxisM(run), 3) + " m, " + Fixed(DeltaInclinationMdeg(run), 3) +
                                           " mdeg");
    out << "\nRemaining closure\n"
        << Line("Miss of node " + std::to_string(r) + " (east +)", Fixed(run.refined.closure.closureKm * 1000, 3) + " m")
        << Line("Time of node " + std::to_string(r), Fixed(run.refined.closure.tRS, 3) + " s")
        << Line("Node local time drift", Fixed(run.refined.closure.ltanDriftSPerCycle, 3) + " s per cycle, " +
                                             Fixed(run.refined.closure.ltanDriftMinPerYear, 3) + " min per year");
    if (sunSync) out << "  (sun-synchronous: the cycle lasts Q turns of the Earth against the mean Sun)\n";
    out << "\nFrozen eccentricity (argument of perigee 90 deg)\n"
        << Line("J2/J3 closed form", Fixed(run.frozenEJ2J3, 7))
        << Line("Whole zonal field", run.frozenEZonal ? Fixed(*run.frozenEZonal, 7) : "none: " + run.frozenMissing)
        << Line("Excursion over the cycle",
                Fixed(run.excursionFree, 7) + " started circular" +
                    (run.excursionFrozen ? ", " + Fixed(*run.excursionFrozen, 7) + " started frozen" : ""));
}

nlohmann::ordered_json RefineJson(const RefineRun& run, const std::string& epochText,
                                  const nlohmann::ordered_json& nodeJson)
{
    nlohmann::ordered_json j;
    j["design"] = DesignJson(run.design);
    j["epoch"] = epochText;
    j["node"] = nodeJson;
    nlohmann::ordered_json zonal;
    for (int n = 2; n <= 6; ++n) zonal["J" + std::to_string(n)] = run.model.J(n);
    j["model"] = {{"name", run.model.name},
                  {"gm_km3_s2", run.model.gmKm3S2},
                  {"re_km", run.model.equatorialRadiusKm},
                  {"zonal", zonal},
                  {"earth_rate_rad_s", run.model.earthRateRadS},
                  {"sun_rate_rad_s", kMeanSunRateRadS}};
    j["integration_frame"] = ephemeris::kTrueOfEpochFrameName;
    j["j2_design"] = {{"state_eme2000", StateJson(exports::InEme2000(run.frame, run.designState))},
                      {"state_true_of_epoch", StateJson(run.designState)},
                      {"closure_km", run.designClosure.closureKm},
                      {"t_r_s", run.designClosure.tRS},
                      {"closure_time_s", run.designClosure.closureTimeS},
                      {"ltan_drift_s_per_cycle", run.designClosure.ltanDriftSPerCycle},
                      {"ltan_drift_min_per_year", run.designClosure.ltanDriftMinPerYear}};
    const ClassicalElements osc = ToClassical(run.refined.osculating);
    j["refined"] = {{"state_eme2000", StateJson(exports::InEme2000(run.frame, run.refined.state))},
                    {"state_true_of_epoch", StateJson(run.refined.state)},
                    {"osculating",
                     {{"a_km", osc.semiMajorAxisKm},
                      {"e", osc.eccentricity},
                      {"i_deg", osc.inclinationRad * kDegreesPerRadian},
                      {"raan_deg", osc.raanRad * kDegreesPerRadian},
                      {"argp_deg", osc.argumentOfPerigeeRad * kDegreesPerRadian},
                      {"mean_anomaly_deg", osc.meanAnomalyRad * kDegreesPerRadian}}},
                    {"mean",
                     {{"a_km", run.refined.mean.semiMajorAxisKm},
                      {"i_deg", run.refined.mean.inclinationRad * kDegreesPerRadian},
                      {"e", std::hypot(run.refined.mean.ex, run.refined.mean.ey)},
                      {"argp_deg", ArgumentOfPerigeeDeg(run.refined.mean)}}},
                    {"delta_a_m", DeltaAxisM(run)},
                    {"delta_i_mdeg", DeltaInclinationMdeg(run)},
                    {"closure_m", run.refined.closure.closureKm * 1000},
                    {"t_r_s", run.refined.closure.tRS},
                    {"ltan_drift_s_per_cycle", run.refined.closure.ltanDriftSPerCycle},
                    {"ltan_drift_min_per_year", run.refined.closure.ltanDriftMinPerYear},
                    {"iterations", run.refined.iterations}};
    const auto optional = [](const std::optional<double>& value) {
        return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
    };
    j["frozen"] = {{"e_j2_j3", run.frozenEJ2J3},
                   {"e_zonal", optional(run.frozenEZonal)},
                   {"argp_deg", 90.0},
                   {"e_excursion_free", run.excursionFree},
                   {"e_excursion_frozen", optional(run.excursionFrozen)}};
    if (!run.frozenEZonal)
        j["frozen"]["e_zonal_missing"] = run.frozenMissing;
    return j;
}

}  // namespace orbit::cli

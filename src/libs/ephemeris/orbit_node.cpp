#include "ephemeris/orbit_node.h"

#include "core/angle_wrap.h"
#include "core/constants.h"
#include "core/orbit_error.h"
#include "ephemeris/sun_position.h"

#include <cmath>
#include <cstdio>

namespace orbit::ephemeris {

namespace {

constexpr double kRadPerHour = kPi / 12;
// Newton on the J2000 node: the map from the node of date to the J2000
// crossing has a slope within a few thousandths of 1, so three or four steps
// settle it to the last bit; a plane that will not settle is one lying so
// close to the equator that its J2000 crossing cannot reach every direction.
constexpr int kMaxNodeSteps = 50;
constexpr double kNodeToleranceRad = 1e-13;
constexpr double kNodeSlopeStepRad = 1e-6;
constexpr double kFlattestSlope = 0.05;

// The node of date whose plane crosses the J2000 equator at `raanEme2000Rad`.
double RaanOfDateFor(const Matrix3& eme2000ToTrueOfDate, double raanEme2000Rad, double inclinationRad) {
    auto miss = [&](double raanOfDate) {
        return WrapPlusMinusPiFromTurn(PlaneInEme2000(eme2000ToTrueOfDate, raanOfDate, inclinationRad).raanRad - raanEme2000Rad);
    };
    double raan = raanEme2000Rad;
    for (int step = 0; step < kMaxNodeSteps; ++step) {
        const double m = miss(raan);
        const double slope =
            WrapPlusMinusPiFromTurn(miss(raan + kNodeSlopeStepRad) - miss(raan - kNodeSlopeStepRad)) / (2 * kNodeSlopeStepRad);
        if (!(std::abs(slope) > kFlattestSlope)) break;
        const double change = m / slope;
        raan = WrapTwoPiOpen(raan - change);
        if (std::abs(change) < kNodeToleranceRad) return raan;
    }
    throw OrbitError(ErrorKind::NoConvergence,
                     "No convergence: no node of date puts this orbit plane across the J2000 equator at the "
                     "right ascension asked (the plane lies too close to the equator for its node to be defined)");
}

}  // namespace

PlaneEme2000 PlaneInEme2000(const Matrix3& eme2000ToTrueOfDate, double raanOfDateRad, double inclinationRad) {
    // The plane's pole (the orbit's angular momentum direction) in the true
    // frame of date, carried into EME2000: the ascending node is where the
    // orbit rises through the J2000 equator, the direction z x pole.
    const double s = std::sin(inclinationRad);
    const Vector3 poleOfDate{s * std::sin(raanOfDateRad), -s * std::cos(raanOfDateRad), std::cos(inclinationRad)};
    const Vector3 pole = MultiplyTransposed(eme2000ToTrueOfDate, poleOfDate);
    PlaneEme2000 plane;
    plane.raanRad = WrapTwoPiOpen(std::atan2(pole[0], -pole[1]));
    plane.inclinationRad = std::atan2(std::hypot(pole[0], pole[1]), pole[2]);
    return plane;
}

double LocalTimeDriftMinPerDay(double nodeRateRadS) {
    // 2 pi of node against the mean Sun is 24 h of local time.
    return (nodeRateRadS - kMeanSunRateRadS) * 86400.0 * (24.0 * 60.0 / kTwoPi);
}

OrbitNode ResolveNode(const Instant& epoch, const NodeRequest& request, double inclinationRad,
                      double nodeRateRadS) {
    const EarthOrientation earth = EarthOrientationAt(epoch);
    const SunPosition sun = SunAt(epoch, earth);
    const double ut1Hours = 24.0 * epoch.Ut1DayFraction();

    OrbitNode node;
    node.equationOfTimeMin = EquationOfTimeMin(epoch, earth, sun);
    // The Earth turns about the true pole of date, so an Earth-fixed
    // longitude lambda points at right ascension GAST + lambda of date.
    switch (request.given) {
        case NodeGiven::Ltan:
        case NodeGiven::Ltdn: {
            const double shift = request.given == NodeGiven::Ltdn ? 12.0 : 0.0;
            node.ltanMeanH = WrapHours24(request.value + shift);
            node.longitudeRad = WrapPlusMinusPiFromTurn((node.ltanMeanH - ut1Hours) * kRadPerHour);
            node.raanOfDateRad = WrapTwoPiOpen(earth.gastRad + node.longitudeRad);
            break;
        }
        case NodeGiven::RaanEme2000: {
            const double raanEme2000 = WrapTwoPiOpen(request.value * kPi / 180.0);
            node.raanOfDateRad = RaanOfDateFor(earth.eme2000ToTrueOfDate, raanEme2000, inclinationRad);
            node.longitudeRad = WrapPlusMinusPiFromTurn(node.raanOfDateRad - earth.gastRad);
            node.ltanMeanH = WrapHours24(ut1Hours + node.longitudeRad / kRadPerHour);
            break;
        }
    }
    const PlaneEme2000 plane = PlaneInEme2000(earth.eme2000ToTrueOfDate, node.raanOfDateRad, inclinationRad);
    node.raanEme2000Rad = plane.raanRad;
    node.inclinationEme2000Rad = plane.inclinationRad;
    node.ltanTrueH = WrapHours24(node.ltanMeanH + node.equationOfTimeMin / 60.0);
    node.ltdnMeanH = WrapHours24(node.ltanMeanH + 12.0);
    node.ltdnTrueH = WrapHours24(node.ltanTrueH + 12.0);
    node.ltanDriftMinPerDay = LocalTimeDriftMinPerDay(nodeRateRadS);
    return node;
}

double MeanLtanAfter(const OrbitNode& node, double secondsAfterEpoch, double nodeRateRadS) {
    return WrapHours24(node.ltanMeanH + (nodeRateRadS - kMeanSunRateRadS) * secondsAfterEpoch / kRadPerHour);
}

std::string LocalTimeText(double hours)
{
    long seconds = std::lround(hours * 3600);
    seconds = ((seconds % 86400) + 86400) % 86400;
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

}  // namespace orbit::ephemeris

#include "sun/sun_figures.h"

#include "analysis/ground_track.h"
#include "core/angle_wrap.h"
#include "core/constants.h"
#include "core/orbit_error.h"
#include "core/repbas.h"
#include "core/sun_elevation.h"
#include "ephemeris/sun_position.h"
#include "sun/sub_solar_sampling.h"
#include "sun/sun_table.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace orbit::sun {

namespace {

// A step that divides the span exactly may come out of the division a hair
// short of the whole number: count it as whole.
constexpr double kRowCountSlack = 1e-9;


std::string Figure(double value)
{
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

// The latitudes of the grid the track reaches, south to north.
std::vector<double> ReachedLatitudesDeg(double stepDeg, double turningDeg, double sinIncl)
{
    std::vector<double> latitudes;
    if (!(stepDeg > 0) || std::abs(sinIncl) < 1e-9)
        return latitudes;  // an equatorial track lies along one parallel and crosses none
    const int steps = static_cast<int>(std::floor(90 / stepDeg + kRowCountSlack));
    for (int k = -steps; k <= steps; ++k) {
        const double latitude = k * stepDeg;
        if (std::abs(latitude) <= turningDeg + 1e-9)
            latitudes.push_back(latitude);
    }
    return latitudes;
}

// The first instant at or after `fromS` whose argument of latitude is `u`.
double FirstCrossingS(double fromS, double u, double periodS)
{
    const double phase = u / kTwoPi;
    const double revolution = std::ceil(fromS / periodS - phase - kRowCountSlack);
    return periodS * (revolution + phase);
}

}  // namespace

void ValidateSunSpan(const SunSpan& span)
{
    if (!(span.days >= 0 && span.days <= kMaxSpanDays))
        throw OrbitError(ErrorKind::Usage, "the span of " + Figure(span.days) + " days is outside 0 to 3660 days");
    // A span of no length is one row, whatever the step.
    if (!(span.stepDays >= kMinStepDays) || !(span.days == 0 || span.stepDays <= span.days))
        throw OrbitError(ErrorKind::Usage, "the step of " + Figure(span.stepDays) +
                                               " days is outside 0.01 days to the span");
    if (!(span.latitudeStepDeg == 0 || (span.latitudeStepDeg >= 1 && span.latitudeStepDeg <= 90)))
        throw OrbitError(ErrorKind::Usage, "the latitude step of " + Figure(span.latitudeStepDeg) +
                                               " deg is outside 1 to 90 deg");
}

std::size_t RowCount(const SunSpan& span)
{
    return static_cast<std::size_t>(std::floor(span.days / span.stepDays + kRowCountSlack)) + 1;
}

double BetaRad(const ephemeris::Vector3& sun, double raanOfDateRad, double inclinationRad)
{
    // The orbit's angular momentum direction in the frame of date.
    const double s = std::sin(inclinationRad);
    const double pole[3] = {s * std::sin(raanOfDateRad), -s * std::cos(raanOfDateRad), std::cos(inclinationRad)};
    const double sinBeta = pole[0] * sun[0] + pole[1] * sun[1] + pole[2] * sun[2];
    return std::asin(std::clamp(sinBeta, -1.0, 1.0));
}

SunFigures SunFiguresOf(const DesignRecord& design, double semiMajorAxisKm, const ephemeris::Instant& epoch,
                        const ephemeris::OrbitNode& node, const SunSpan& span)
{
    ValidateSunSpan(span);
    const analysis::GroundTrack track(design);
    const double periodS = track.NodalPeriodS();
    const std::size_t rows = RowCount(span);
    const double stepS = span.stepDays * kSecondsPerDay;
    const double lastRowS = static_cast<double>(rows - 1) * stepS;
    // The last row's passes may come up to a revolution after it.
    const SunTable table(epoch, lastRowS + periodS);

    SunFigures figures;
    figures.days.reserve(rows);
    const std::vector<double> latitudes =
        ReachedLatitudesDeg(span.latitudeStepDeg, track.TurningLatitudeDeg(), std::sin(design.Incl));
    figures.latitudes.resize(latitudes.size());
    for (std::size_t l = 0; l < latitudes.size(); ++l) {
        LatitudeLight& light = figures.latitudes[l];
        light.latitudeDeg = latitudes[l];
        for (PassLight* pass : {&light.ascending, &light.descending}) {
            pass->localTimeH.reserve(rows);
            pass->sunElevationDeg.reserve(rows);
        }
    }
    // The argument of latitude of each parallel's crossing, going north (the
    // track's latitude rises while cos u > 0, whatever the inclination) and
    // going south.
    std::vector<double> northboundU(latitudes.size());
    for (std::size_t l = 0; l < latitudes.size(); ++l)
        northboundU[l] = std::asin(std::clamp(std::sin(latitudes[l] / kDegreesPerRadian) / std::sin(design.Incl), -1.0, 1.0));

    for (std::size_t k = 0; k < rows; ++k) {
        const double t = static_cast<double>(k) * stepS;
        const ephemeris::Instant at = epoch.PlusSeconds(t);
        const SunState sun = table.At(t);
        SunDay day;
        day.secondsAfterEpoch = t;
        day.mjdUtc = at.MjdUtc();
        const double raan = node.raanOfDateRad + design.NodeRate * t;
        const double beta = BetaRad(sun.directionTrueOfDate, raan, design.Incl);
        day.betaDeg = beta * kDegreesPerRadian;
        day.sunDistanceKm = sun.distanceKm;
        day.eclipse = EclipsePerRevolution(semiMajorAxisKm, beta, sun.distanceKm, periodS, RepBas::Re,
                                           ephemeris::kSunRadiusKm);
        day.ltanMeanH = ephemeris::MeanLtanAfter(node, t, design.NodeRate);
        day.ltanTrueH = WrapHours24(day.ltanMeanH + sun.equationOfTimeMin / 60);
        day.ltdnMeanH = WrapHours24(day.ltanMeanH + 12);
        day.ltdnTrueH = WrapHours24(day.ltanTrueH + 12);
        figures.days.push_back(day);

        if (latitudes.empty())
            continue;
        const double ut1Hours = 24 * at.Ut1DayFraction();
        for (std::size_t l = 0; l < latitudes.size(); ++l) {
            const double latitudeRad = latitudes[l] / kDegreesPerRadian;
            const double crossingU[2] = {northboundU[l], kPi - northboundU[l]};
            PassLight* passes[2] = {&figures.latitudes[l].ascending, &figures.latitudes[l].descending};
            for (int d = 0; d < 2; ++d) {
                const double crossingS = FirstCrossingS(t, crossingU[d], periodS);
                const double longitudeDeg = node.longitudeRad * kDegreesPerRadian + track.At(crossingS).longitudeDeg;
                const SubSolarTrack::Sample overhead = SubSolarPointOf(table.At(crossingS));
                passes[d]->localTimeH.push_back(WrapHours24(ut1Hours + (crossingS - t) / 3600 + longitudeDeg / 15));
                passes[d]->sunElevationDeg.push_back(SunElevationRad(latitudeRad, longitudeDeg / kDegreesPerRadian,
                                                                     overhead.declinationRad, overhead.longitudeRad) *
                                                     kDegreesPerRadian);
            }
        }
    }

    SunSummary& summary = figures.summary;
    summary.betaMinDeg = summary.betaMaxDeg = figures.days.front().betaDeg;
    bool inSeason = false;
    for (std::size_t k = 0; k < rows; ++k) {
        const SunDay& day = figures.days[k];
        summary.betaMinDeg = std::min(summary.betaMinDeg, day.betaDeg);
        summary.betaMaxDeg = std::max(summary.betaMaxDeg, day.betaDeg);
        if (day.eclipse.umbraMin > summary.umbraMaxMin) {
            summary.umbraMaxMin = day.eclipse.umbraMin;
            summary.umbraMaxRow = k;
        }
        const bool shadow = day.eclipse.umbraMin > 0 || day.eclipse.penumbraMin > 0;
        if (!shadow) {
            ++summary.eclipseFreeRows;
            inSeason = false;
            continue;
        }
        if (!inSeason)
            summary.seasons.push_back({k, k, 0});
        inSeason = true;
        EclipseSeason& season = summary.seasons.back();
        season.lastRow = k;
        season.umbraMaxMin = std::max(season.umbraMaxMin, day.eclipse.umbraMin);
    }
    return figures;
}

}  // namespace orbit::sun

#pragma once
// The Sun's figures of one orbit over a span of days: the Sun's angle to the
// orbit plane, the eclipse of each revolution, the node's local time, and at
// each latitude the track reaches the local time and light of the day's first
// pass. Row k lies at the epoch + k step, for k = 0 ... floor(span / step).
//
// The orbit is the design's circular one: its plane keeps the design's
// inclination to the equator of date and its node turns at the design's J2
// rate, counted in the frame of date (the rate a sun-synchronous design is
// solved to match against the mean Sun). The track is the design's relative
// ground track placed on the Earth by the node's longitude at the epoch.

#include "core/repeat_orbit_solver.h"
#include "ephemeris/instant.h"
#include "ephemeris/orbit_node.h"
#include "sun/eclipse.h"

#include <cstddef>
#include <vector>

namespace orbit::sun {

inline constexpr double kMaxSpanDays = 3660;
inline constexpr double kMinStepDays = 0.01;

struct SunSpan {
    double days = 365;
    double stepDays = 1;
    double latitudeStepDeg = 0;  // 0: no latitude rows; else 1 to 90
};

// Throws OrbitError (Usage) naming the figure and its bounds: span 0 to 3660
// days, step 0.01 days to the span (or any step for a span of 0), latitude
// step 0 or 1 to 90 degrees.
void ValidateSunSpan(const SunSpan& span);

struct SunDay {
    double secondsAfterEpoch = 0;
    double mjdUtc = 0;
    double betaDeg = 0;  // positive on the side of the orbit's angular momentum
    EclipseTimes eclipse;
    double sunDistanceKm = 0;
    double ltanMeanH = 0, ltanTrueH = 0, ltdnMeanH = 0, ltdnTrueH = 0;
};

// One direction of pass over one latitude: one value a row.
struct PassLight {
    std::vector<double> localTimeH;       // mean local solar time, [0, 24)
    std::vector<double> sunElevationDeg;  // at the sub-satellite point; negative at night
};

struct LatitudeLight {
    double latitudeDeg = 0;
    PassLight ascending, descending;
};

struct EclipseSeason {
    std::size_t firstRow = 0, lastRow = 0;  // rows with any shadow, inclusive
    double umbraMaxMin = 0;
};

struct SunSummary {
    double betaMinDeg = 0, betaMaxDeg = 0;
    double umbraMaxMin = 0;
    std::size_t umbraMaxRow = 0;   // the first row with the longest umbra
    std::size_t eclipseFreeRows = 0;  // rows with neither umbra nor penumbra
    std::vector<EclipseSeason> seasons;  // runs of rows with shadow
};

struct SunFigures {
    std::vector<SunDay> days;
    std::vector<LatitudeLight> latitudes;  // south to north, only those the track reaches
    SunSummary summary;
};

// `design` is a completed design and `semiMajorAxisKm` its axis. Throws
// OrbitError: Usage for a bad span, InvalidArgument for a design that has no
// track.
SunFigures SunFiguresOf(const DesignRecord& design, double semiMajorAxisKm, const ephemeris::Instant& epoch,
                        const ephemeris::OrbitNode& node, const SunSpan& span);

// The Sun's angle (rad) above the plane of node `raanOfDateRad` and
// inclination `inclinationRad` (true equator and equinox of date).
double BetaRad(const ephemeris::Vector3& sunTrueOfDate, double raanOfDateRad, double inclinationRad);

// Number of rows a span gives: floor(days / step) + 1, with a margin for the
// rounding of a step that divides the span.
std::size_t RowCount(const SunSpan& span);

}  // namespace orbit::sun

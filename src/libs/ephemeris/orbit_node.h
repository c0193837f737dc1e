#pragma once
// Where the orbit's ascending node lies at the epoch, from the way the user
// gives it: a mean local time of the ascending or descending node, or a right
// ascension in EME2000. Mean local time at longitude lambda is UT1 + lambda /
// 15 deg (hours, mod 24); the true local time adds the equation of time. So
// the node's Earth-fixed longitude at the epoch is 15 deg (LTAN - UT1).

#include "ephemeris/earth_orientation.h"
#include "ephemeris/instant.h"

#include <string>

namespace orbit::ephemeris {

enum class NodeGiven { Ltan, Ltdn, RaanEme2000 };

struct NodeRequest {
    NodeGiven given = NodeGiven::Ltan;
    double value = 0;  // hours in [0, 24) for Ltan and Ltdn, degrees for RaanEme2000
};

// Mean rate of the mean Sun: 2 pi per 365.2422 days of 86400 s.
inline constexpr double kMeanSunRateRadS = 2 * 3.14159265358979323846 / (365.2422 * 86400.0);

struct OrbitNode {
    double raanOfDateRad = 0;      // true equator and equinox of date, [0, 2 pi)
    double raanEme2000Rad = 0;     // where the orbit plane crosses the J2000 equator
    double inclinationEme2000Rad = 0;  // the plane's inclination to the J2000 equator
    double longitudeRad = 0;       // Earth-fixed longitude of day 0's node, (-pi, pi]
    double ltanMeanH = 0, ltanTrueH = 0;  // [0, 24)
    double ltdnMeanH = 0, ltdnTrueH = 0;  // [0, 24)
    double equationOfTimeMin = 0;
    double ltanDriftMinPerDay = 0;  // positive when the node's local time grows later
};

// The node at `epoch` of an orbit of inclination `inclinationRad` (to the
// equator of date) whose node turns at `nodeRateRadS` (the design's J2 rate).
OrbitNode ResolveNode(const Instant& epoch, const NodeRequest& request, double inclinationRad,
                      double nodeRateRadS);

// The orbit plane of node `raanOfDateRad` and inclination `inclinationRad`
// (both to the true equator and equinox of date), seen in EME2000: where it
// crosses the J2000 equator going north, and its inclination there.
struct PlaneEme2000 {
    double raanRad = 0;         // [0, 2 pi)
    double inclinationRad = 0;  // [0, pi]
};
PlaneEme2000 PlaneInEme2000(const Matrix3& eme2000ToTrueOfDate, double raanOfDateRad, double inclinationRad);

// Node-rate difference to the mean Sun turned into minutes of local time a day.
double LocalTimeDriftMinPerDay(double nodeRateRadS);

// Mean local time of the ascending node (hours, [0, 24)) `secondsAfterEpoch`
// later, following the node's drift against the mean Sun.
double MeanLtanAfter(const OrbitNode& node, double secondsAfterEpoch, double nodeRateRadS);

// Reads "HH:MM[:SS]" as hours in [0, 24); throws OrbitError (Usage) with the reason.
double ParseLocalTimeHours(const std::string& text);

// "22:30:00": hours [0, 24) rounded to the second, never "24:00:00".
std::string LocalTimeText(double hours);

}  // namespace orbit::ephemeris

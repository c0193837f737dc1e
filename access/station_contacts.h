#pragma once
// Contacts of a ground station with the satellite: the stretches of time in
// which the satellite stands above the station's elevation mask.
//
// The satellite flies the design's circular orbit of radius a above its
// absolute ground track; the station stands `heightM` above the model's
// sphere. The elevation falls steadily with the central angle gamma between
// the station and the sub-satellite point, so the satellite is above the
// mask exactly while gamma is below the angle at which it sits on the mask,
// and its highest elevation comes at the track's closest approach.

#include "access/track_scan.h"

#include <optional>
#include <vector>

namespace orbit::access {

inline constexpr double kDefaultMaskDeg = 5;

struct Station {
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    double heightM = 0;
    double maskDeg = kDefaultMaskDeg;
};

struct Contact {
    double aosS = 0, losS = 0;  // acquisition and loss, seconds since the epoch
    bool aosCut = false;        // in contact already at the span's start: aosS is that start
    bool losCut = false;        // still in contact at the span's end: losS is that end
    double maxElevationDeg = 0, maxElevationS = 0;
    double aosAzimuthDeg = 0, losAzimuthDeg = 0;  // from north through east, [0, 360)

    double DurationMin() const { return (losS - aosS) / 60; }
};

struct ContactSummary {
    int contacts = 0;
    double contactsPerDay = 0;
    double contactMinPerDayMean = 0;
    // Over the whole days of the span counted from the epoch (a remainder
    // shorter than a day would read as a short day); none without a whole day.
    std::optional<double> contactMinPerDayLeast, contactMinPerDayMost;
    // Between successive contacts; none with fewer than two.
    std::optional<double> longestGapMin;
};

// Throws OrbitError (InvalidArgument) for a station at or above the orbit.
std::vector<Contact> StationContacts(const TrackSamples& samples, const Station& station);

ContactSummary SummarizeContacts(const std::vector<Contact>& contacts, double spanS);

// The satellite's elevation and azimuth (degrees) seen from the station at
// the sub-satellite point `point`, the satellite at `orbitRadiusKm`.
struct LookAngles {
    double elevationDeg = 0, azimuthDeg = 0;
};
LookAngles LookAnglesFrom(const Station& station, const Vector3& point, double orbitRadiusKm);

}  // namespace orbit::access

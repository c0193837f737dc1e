#pragma once
// Contacts of a ground station with the satellite: the stretches of time in
// which the satellite stands above the station's elevation mask.
//
// The station is where its user's coordinates put it: geodetic latitude,
// longitude and height on the WGS84 ellipsoid. Its elevation is measured
// from the plane normal to the ellipsoid there, its azimuth from geodetic
// north. The satellite flies the design's circular orbit of radius a above
// its absolute ground track (access/satellite_track.h).
//
// The sine of the elevation is a smooth function of the satellite's place
// with one maximum a pass, so the contacts are the windows in which it stays
// above the mask's sine, found by the track scan (access/track_scan.h): its
// highest point is refined on its rate, its crossings of the mask in the
// monotonic pieces between.

#include "access/track_scan.h"

#include <optional>
#include <vector>

namespace orbit::access {

inline constexpr double kDefaultMaskDeg = 5;

struct Station {
    double latitudeDeg = 0;   // geodetic, WGS84
    double longitudeDeg = 0;
    double heightM = 0;       // above the ellipsoid
    double maskDeg = kDefaultMaskDeg;
};

struct Contact {
    double aosS = 0, losS = 0;  // acquisition and loss, seconds since the epoch
    bool aosCut = false;        // in contact already at the span's start: aosS is that start
    bool losCut = false;        // still in contact at the span's end: losS is that end
    double maxElevationDeg = 0, maxElevationS = 0;
    double aosAzimuthDeg = 0, losAzimuthDeg = 0;  // from geodetic north through east, [0, 360)

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

// The satellite's elevation and azimuth (degrees) seen from the station,
// the satellite at `satelliteKm` in the Earth-fixed frame.
struct LookAngles {
    double elevationDeg = 0, azimuthDeg = 0;
};
LookAngles LookAnglesFrom(const Station& station, const Vector3& satelliteKm);

}  // namespace orbit::access

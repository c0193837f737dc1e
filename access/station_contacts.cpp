#include "access/station_contacts.h"

#include "access/view_geometry.h"
#include "core/constants.h"
#include "core/orbit_error.h"
#include "core/repbas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orbit::access {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;
constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

double StationRadiusKm(const Station& station) { return RepBas::Re + station.heightM / 1000; }

Vector3 StationUp(const Station& station)
{
    return UnitVectorAt(station.latitudeDeg * kRadiansPerDegree, station.longitudeDeg * kRadiansPerDegree);
}

}  // namespace

LookAngles LookAnglesFrom(const Station& station, const Vector3& point, double orbitRadiusKm)
{
    const double lat = station.latitudeDeg * kRadiansPerDegree, lon = station.longitudeDeg * kRadiansPerDegree;
    const Vector3 up = StationUp(station);
    // The horizontal part of the line of sight, a s - r up, points along the
    // great circle toward the sub-satellite point; at a pole the station's
    // own longitude fixes which way is north.
    const Vector3 east = {-std::sin(lon), std::cos(lon), 0};
    const Vector3 north = {-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon), std::cos(lat)};
    LookAngles angles;
    angles.elevationDeg = ElevationRad(AngleBetween(up, point), orbitRadiusKm, StationRadiusKm(station)) * kDegreesPerRadian;
    double azimuth = std::atan2(Dot(point, east), Dot(point, north)) * kDegreesPerRadian;
    if (azimuth < 0)
        azimuth += 360;
    angles.azimuthDeg = azimuth >= 360 ? 0 : azimuth;
    return angles;
}

std::vector<Contact> StationContacts(const TrackSamples& samples, const Station& station)
{
    const SatelliteTrack& track = samples.Track();
    const double radiusKm = StationRadiusKm(station);
    if (!(radiusKm < track.OrbitRadiusKm()))
        throw OrbitError(ErrorKind::InvalidArgument, "The station stands at or above the orbit");
    const double maskAngle =
        CentralAngleAtElevation(station.maskDeg * kRadiansPerDegree, track.OrbitRadiusKm(), radiusKm);
    std::vector<Contact> contacts;
    for (const Window& w : WindowsWithin(samples, StationUp(station), maskAngle)) {
        Contact c;
        c.aosS = w.startS;
        c.losS = w.endS;
        c.aosCut = w.startCut;
        c.losCut = w.endCut;
        const double orbitKm = track.OrbitRadiusKm();
        c.maxElevationS = w.highest.timeS;
        c.maxElevationDeg = LookAnglesFrom(station, track.PointAt(w.highest.timeS), orbitKm).elevationDeg;
        c.aosAzimuthDeg = LookAnglesFrom(station, track.PointAt(c.aosS), orbitKm).azimuthDeg;
        c.losAzimuthDeg = LookAnglesFrom(station, track.PointAt(c.losS), orbitKm).azimuthDeg;
        contacts.push_back(c);
    }
    return contacts;
}

ContactSummary SummarizeContacts(const std::vector<Contact>& contacts, double spanS)
{
    ContactSummary summary;
    summary.contacts = static_cast<int>(contacts.size());
    const double spanDays = spanS / kSecondsPerDay;
    double totalS = 0;
    for (const Contact& c : contacts)
        totalS += c.losS - c.aosS;
    summary.contactsPerDay = static_cast<double>(contacts.size()) / spanDays;
    summary.contactMinPerDayMean = totalS / 60 / spanDays;

    // A day's share of each contact, the contacts in time order.
    const auto wholeDays = static_cast<long>(std::floor(spanDays + 1e-9));
    for (long d = 0; d < wholeDays; ++d) {
        const double from = static_cast<double>(d) * kSecondsPerDay, to = from + kSecondsPerDay;
        double dayS = 0;
        for (const Contact& c : contacts)
            dayS += std::max(0.0, std::min(c.losS, to) - std::max(c.aosS, from));
        const double minutes = dayS / 60;
        summary.contactMinPerDayLeast = std::min(summary.contactMinPerDayLeast.value_or(minutes), minutes);
        summary.contactMinPerDayMost = std::max(summary.contactMinPerDayMost.value_or(minutes), minutes);
    }
    for (std::size_t k = 1; k < contacts.size(); ++k) {
        const double gapMin = (contacts[k].aosS - contacts[k - 1].losS) / 60;
        summary.longestGapMin = std::max(summary.longestGapMin.value_or(gapMin), gapMin);
    }
    return summary;
}

}  // namespace orbit::access

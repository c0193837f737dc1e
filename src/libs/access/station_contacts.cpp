#include "access/station_contacts.h"

#include "access/ground_site.h"
#include "access/view_geometry.h"
#include "core/constants.h"
#include "core/orbit_error.h"

#include <algorithm>
#include <cmath>

namespace orbit::access {

namespace {


GroundSite SiteOf(const Station& station)
{
    return GroundSiteAt(station.latitudeDeg, station.longitudeDeg, station.heightM / 1000);
}

LookAngles AnglesOf(const GroundSite& site, const Vector3& satelliteKm)
{
    const SiteView view = ViewFrom(site, satelliteKm);
    return {view.elevationRad * kDegreesPerRadian, view.azimuthRad * kDegreesPerRadian};
}

}  // namespace

LookAngles LookAnglesFrom(const Station& station, const Vector3& satelliteKm)
{
    return AnglesOf(SiteOf(station), satelliteKm);
}

std::vector<Contact> StationContacts(const TrackSamples& samples, const Station& station)
{
    const SatelliteTrack& track = samples.Track();
    const double orbitKm = track.OrbitRadiusKm();
    const GroundSite site = SiteOf(station);
    const double radiusKm = Norm(site.positionKm);
    if (!(radiusKm < orbitKm))
        throw OrbitError(ErrorKind::InvalidArgument, "The station stands at or above the orbit");

    // The sine of the elevation, (d . up) / |d| with d = a s - r, and its rate.
    const Measure elevationSine = [&site, orbitKm](const TrackState& s) {
        const Vector3 d = Minus(Scaled(orbitKm, s.point), site.positionKm);
        const Vector3 dRate = Scaled(orbitKm, s.velocity);
        const double length = Norm(d), upward = Dot(d, site.up);
        return Reading{upward / length,
                       Dot(dRate, site.up) / length - upward * Dot(d, dRate) / (length * length * length)};
    };
    // The elevation above the plane normal to the station's own direction
    // from the Earth's centre differs from the one above the ellipsoid's by
    // at most the angle between the two normals, so the satellite is above
    // the mask only within the central angle where it stands that much
    // lower over the geocentric horizon.
    const double tilt = AngleBetween(site.up, site.direction);
    const double reach = CentralAngleAtElevation(station.maskDeg * kRadiansPerDegree - tilt, orbitKm, radiusKm);

    std::vector<Contact> contacts;
    const double level = std::sin(station.maskDeg * kRadiansPerDegree);
    for (const Window& w : WindowsAbove(samples, site.direction, reach, elevationSine, level)) {
        Contact c;
        c.aosS = w.startS;
        c.losS = w.endS;
        c.aosCut = w.startCut;
        c.losCut = w.endCut;
        c.maxElevationS = w.highestS;
        c.maxElevationDeg = AnglesOf(site, Scaled(orbitKm, track.PointAt(w.highestS))).elevationDeg;
        c.aosAzimuthDeg = AnglesOf(site, Scaled(orbitKm, track.PointAt(c.aosS))).azimuthDeg;
        c.losAzimuthDeg = AnglesOf(site, Scaled(orbitKm, track.PointAt(c.losS))).azimuthDeg;
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

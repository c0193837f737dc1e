#pragma once
// Places on the WGS84 ellipsoid, the Earth model of every user's coordinates
// (GPS receivers, maps, station lists, RFC 7946 GeoJSON): geodetic latitude,
// longitude and height turned into Earth-fixed positions and back, and the
// geodetic sub-satellite point of an EME2000 position. On ERFA (eraGd2gc,
// eraGc2gd, eraC2t06a).
//
// Earth-fixed is the terrestrial frame with UT1 = UTC and the pole's own
// wander (polar motion, under 15 m at the ground) left out, as everywhere in
// the program without Earth-orientation data. A geodetic latitude is the
// angle of the ellipsoid's normal to the equator; it differs from the
// geocentric latitude of the same point by up to 0.19 degrees (at 45
// degrees), some 21 km along the meridian.

#include "ephemeris/earth_orientation.h"
#include "ephemeris/instant.h"

namespace orbit::ephemeris {

struct GeodeticPoint {
    double latitudeDeg = 0;   // geodetic, [-90, 90]
    double longitudeDeg = 0;  // east positive, (-180, 180]
    double heightKm = 0;      // above the ellipsoid, along its normal
};

// The Earth-fixed position (km) of a geodetic point. Throws OrbitError
// (InvalidArgument) for a latitude beyond +-90 degrees, a coordinate that is
// not finite, or a height so far below the ellipsoid that ERFA refuses it.
Vector3 Wgs84EarthFixedKm(const GeodeticPoint& point);

// The geodetic point of an Earth-fixed position (km). Throws OrbitError
// (InvalidArgument) for a position that is not finite.
GeodeticPoint Wgs84GeodeticOf(const Vector3& earthFixedKm);

// The rotation taking EME2000 (taken as GCRS) components into Earth-fixed
// ones at `t`: IAU 2006/2000A precession-nutation, the Earth rotation angle.
Matrix3 Eme2000ToEarthFixed(const Instant& t);

// The geodetic point under (or at) an EME2000 position at `t`: for a
// satellite, latitude and longitude of its sub-satellite point on the
// ellipsoid and its height above it.
GeodeticPoint GeodeticOfEme2000(const Instant& t, const Vector3& positionKm);

}  // namespace orbit::ephemeris

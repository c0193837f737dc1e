"""GeoJSON and KML ground tracks against the OEM of the same orbit and span.

Each track point should be the geodetic (WGS84) sub-satellite point of the
orbit at its time. Here the OEM's EME2000 states, exported at the same
times, are taken to the Earth-fixed frame and onto the ellipsoid by Skyfield
(its own precession-nutation and sidereal time, UT1 = UTC as the program
assumes, no polar motion) and, as a second opinion, by ERFA's eraC2t06a and
eraGc2gd; both must lie within 1 km of every point the files hold.
"""
import json
import math
import re

import warnings

import erfa
import numpy as np
import pytest
from skyfield.api import load, wgs84
from skyfield.positionlib import Geocentric

ORBIT = ["--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", "2027-03-21T06:30:00Z", "--ltdn", "10:30"]
DAYS = "0.9"  # within the design's first day, so the track's samples fall every 30 s from the epoch
# TT - UTC in 2027 (TAI - UTC 37 s, no leap second announced): with it as
# Delta T, Skyfield's UT1 is UTC.
TS = load.timescale(builtin=True, delta_t=69.184)
AU_KM = 149597870.700


def oem_states(text):
    rows = []
    for line in text.splitlines():
        fields = line.split()
        if len(fields) == 7 and re.match(r"\d{4}-\d\d-\d\dT", fields[0]):
            rows.append((fields[0], np.array([float(v) for v in fields[1:4]])))
    return rows


def skyfield_geodetic(iso, position_km):
    year, month, day = (int(v) for v in iso[:10].split("-"))
    hour, minute, second = int(iso[11:13]), int(iso[14:16]), float(iso[17:])
    t = TS.utc(year, month, day, hour, minute, second)
    lat, lon = wgs84.latlon_of(Geocentric(position_km / AU_KM, t=t, center=399))
    return lat.degrees, lon.degrees


def erfa_geodetic(iso, position_km):
    # ERFA calls any year past its leap-second table's "dubious"; 2027's TAI - UTC is taken as 37 s.
    warnings.simplefilter("ignore", erfa.ErfaWarning)
    utc1, utc2 = erfa.dtf2d("UTC", int(iso[:4]), int(iso[5:7]), int(iso[8:10]), int(iso[11:13]), int(iso[14:16]),
                            float(iso[17:]))
    tai1, tai2 = erfa.utctai(utc1, utc2)
    tt1, tt2 = erfa.taitt(tai1, tai2)
    rotation = erfa.c2t06a(tt1, tt2, utc1, utc2, 0.0, 0.0)
    lon, lat, _ = erfa.gc2gd(1, rotation @ (position_km * 1000))
    return math.degrees(lat), math.degrees(lon)


def ground_km(a, b):
    """Great-circle distance (km) between two (lat, lon) pairs in degrees, on the mean Earth."""
    (la, oa), (lb, ob) = (np.radians(a), np.radians(b))
    h = math.sin((lb - la) / 2) ** 2 + math.cos(la) * math.cos(lb) * math.sin((ob - oa) / 2) ** 2
    return 2 * 6371.0 * math.asin(min(1.0, math.sqrt(h)))


@pytest.fixture(scope="module")
def reference(cli):
    states = oem_states(cli("export", *ORBIT, "--format", "oem", "--days", DAYS, "--step-s", "30").stdout)
    assert len(states) > 2000
    return [(iso, skyfield_geodetic(iso, r), erfa_geodetic(iso, r)) for iso, r in states]


def track_points(pairs):
    """The track's own samples in time order: the points the antimeridian cut adds lie on +-180."""
    return [(lat, lon) for lon, lat in pairs if abs(lon) != 180]


def check(points, reference):
    assert len(points) == len(reference)
    worst_skyfield = worst_erfa = 0.0
    for point, (iso, by_skyfield, by_erfa) in zip(points, reference):
        worst_skyfield = max(worst_skyfield, ground_km(point, by_skyfield))
        worst_erfa = max(worst_erfa, ground_km(point, by_erfa))
    assert worst_skyfield < 1.0
    assert worst_erfa < 1.0
    # The geocentric latitude of the same points would sit up to 21 km off.
    geocentric = [math.degrees(math.atan((1 - 1 / 298.257223563) ** 2 * math.tan(math.radians(lat))))
                  for lat, _ in points]
    assert max(abs(g - lat) for g, (lat, _) in zip(geocentric, points)) * 111 > 15


def test_geojson_track_is_the_oems_geodetic_sub_satellite_track(cli, reference):
    collection = json.loads(cli("export", *ORBIT, "--format", "geojson", "--days", DAYS).stdout)
    features = collection["features"]
    assert len(features) == 1
    properties = features[0]["properties"]
    assert properties["datum"] == "WGS84" and "geodetic" in properties["positions"]
    pairs = [tuple(p) for line in features[0]["geometry"]["coordinates"] for p in line]
    check(track_points(pairs), reference)


def test_kml_track_is_the_oems_geodetic_sub_satellite_track(cli, reference):
    kml = cli("export", *ORBIT, "--format", "kml", "--days", DAYS).stdout
    assert "geodetic latitude and longitude on the WGS84 ellipsoid" in kml
    placemark = kml[kml.index("<Placemark><name>Ground track"):]
    placemark = placemark[:placemark.index("</Placemark>")]
    pairs = [tuple(float(v) for v in tuple_text.split(",")[:2])
             for block in re.findall(r"<coordinates>(.*?)</coordinates>", placemark)
             for tuple_text in block.split()]
    check(track_points(pairs), reference)

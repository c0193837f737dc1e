"""Station contacts and site passes on WGS84, against Skyfield's wgs84 geometry.

The satellite is the one `repeat-orbit access` follows: the design's circular
orbit over its absolute ground track, rebuilt here from the figures the JSON
gives (inclination, nodal period, node spacing, semi-major axis, the node's
mean local time at the epoch). What is checked independently is the ground:
the station's position and its horizon come from Skyfield's `wgs84` (its own
ellipsoid and local frame), and the contacts are found by sampling the
elevation every second, not by the program's root finding.
"""
import math

import erfa
import numpy as np
import pytest
from skyfield.api import load, wgs84
from skyfield.framelib import itrs

EPOCH = "2027-03-21T06:30:00Z"
DESIGN = ["--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", EPOCH, "--ltdn", "10:30"]
TS = load.timescale(builtin=True)


def satellite_track(answer):
    """Earth-fixed satellite positions (km) at times t (s after the epoch), as access/satellite_track.h."""
    values = answer["design"]["values"]
    period = values["nodal_period_min"] * 60
    shift = values["node_spacing_rad"]
    incl = math.radians(values["inclination_deg"])
    radius = values["semi_major_axis_km"]
    epoch_hours = 6.5  # UT1 = UTC at the epoch, 06:30
    node = math.radians(15 * (answer["node"]["ltan_mean_h"] - epoch_hours))

    def at(t):
        t = np.asarray(t, dtype=float)
        u = 2 * math.pi * t / period
        alpha = node - shift * t / period
        x, y, z = np.cos(u), math.cos(incl) * np.sin(u), math.sin(incl) * np.sin(u)
        return radius * np.array([np.cos(alpha) * x - np.sin(alpha) * y, np.sin(alpha) * x + np.cos(alpha) * y, z])

    return at


def topocentric(lat, lon, height_m):
    """The station's ITRS position (km) and its rotation ITRS -> (north, east, up), from Skyfield."""
    station = wgs84.latlon(lat, lon, elevation_m=height_m)
    t = TS.utc(2027, 3, 21)
    rotation = station.rotation_at(t) @ itrs.rotation_at(t).T
    return station.itrs_xyz.km, rotation


def elevation_azimuth(station_km, rotation, satellite_km):
    local = rotation @ (satellite_km - station_km[:, None])
    north, east, up = local
    elevation = np.degrees(np.arctan2(up, np.hypot(north, east)))
    azimuth = np.degrees(np.arctan2(east, north)) % 360
    return elevation, azimuth


def sampled_contacts(track, station_km, rotation, mask_deg, span_s):
    """Contacts from the elevation every second, each crossing of the mask refined by bisection."""
    t = np.arange(0, math.floor(span_s) + 1, 1.0)
    elevation, _ = elevation_azimuth(station_km, rotation, track(t))
    above = elevation >= mask_deg

    def crossing(t0):
        lo, hi = t0, t0 + 1
        inside_lo = elevation_azimuth(station_km, rotation, track([lo])[:, :])[0][0] >= mask_deg
        for _ in range(40):
            mid = 0.5 * (lo + hi)
            if (elevation_azimuth(station_km, rotation, track([mid]))[0][0] >= mask_deg) == inside_lo:
                lo = mid
            else:
                hi = mid
        return 0.5 * (lo + hi)

    changes = np.nonzero(above[1:] != above[:-1])[0]
    contacts, start = [], 0.0 if above[0] else None
    for k in changes:
        when = crossing(t[k])
        if not above[k]:
            start = when
        elif start is not None:
            contacts.append((start, when))
            start = None
    if start is not None:
        contacts.append((start, span_s))
    return contacts


def seconds_after_epoch(iso):
    return (TS.from_datetime(_parse(iso)) - TS.from_datetime(_parse(EPOCH))) * 86400


def _parse(iso):
    from datetime import datetime, timezone

    return datetime.strptime(iso.rstrip("Z"), "%Y-%m-%dT%H:%M:%S" + (".%f" if "." in iso else "")).replace(
        tzinfo=timezone.utc
    )


STATIONS = {
    "kiruna": (67.86, 20.96, 390.0, 5.0),
    "toulouse": (43.6, 1.44, 150.0, 5.0),
    "hartebeesthoek": (-25.89, 27.69, 1540.0, 10.0),
}


@pytest.mark.parametrize("name", sorted(STATIONS))
def test_station_contacts_match_skyfield_wgs84_station(cli_json, name):
    lat, lon, height_m, mask = STATIONS[name]
    days = 3
    answer = cli_json("access", *DESIGN, "--station", f"{lat},{lon},{height_m}", "--mask", mask, "--days", days)
    span_s = days * 86400
    track = satellite_track(answer)
    station_km, rotation = topocentric(lat, lon, height_m)
    expected = sampled_contacts(track, station_km, rotation, mask, span_s)
    found = [(seconds_after_epoch(e["aos_utc"]), seconds_after_epoch(e["los_utc"])) for e in answer["events"]]
    assert len(found) == len(expected) > 0
    aos = np.array([f[0] - e[0] for f, e in zip(found, expected)])
    los = np.array([f[1] - e[1] for f, e in zip(found, expected)])
    assert abs(aos.mean()) < 2 and abs(los.mean()) < 2
    # Times are printed to the millisecond: each event agrees to a few.
    assert np.abs(aos).max() < 0.01 and np.abs(los).max() < 0.01
    minutes_per_day = sum(e[1] - e[0] for e in expected) / 60 / days
    assert answer["summary"]["contact_min_per_day_mean"] == pytest.approx(minutes_per_day, rel=0.005)
    # The peak and the azimuths seen from the same station.
    for event, (start, end) in zip(answer["events"], expected):
        peak_elevation, _ = elevation_azimuth(station_km, rotation, track([seconds_after_epoch(event["max_elevation_utc"])]))
        assert event["max_elevation_deg"] == pytest.approx(peak_elevation[0], abs=1e-3)
        _, azimuth = elevation_azimuth(station_km, rotation, track([start, end]))
        assert event["aos_azimuth_deg"] == pytest.approx(azimuth[0], abs=1e-3)
        assert event["los_azimuth_deg"] == pytest.approx(azimuth[1], abs=1e-3)


def test_kiruna_on_the_sphere_would_be_minutes_short(cli_json):
    # The check has teeth: the same figures taken as geocentric on a sphere
    # (as the access once did) lose about 3 minutes a day at Kiruna.
    lat, lon, height_m, mask = STATIONS["kiruna"]
    answer = cli_json("access", *DESIGN, "--station", f"{lat},{lon},{height_m}", "--days", 3)
    track = satellite_track(answer)
    up = np.array([math.cos(math.radians(lat)) * math.cos(math.radians(lon)),
                   math.cos(math.radians(lat)) * math.sin(math.radians(lon)), math.sin(math.radians(lat))])
    sphere_km = (6378.145 + height_m / 1000) * up
    _, rotation = topocentric(lat, lon, height_m)
    on_sphere = sampled_contacts(track, sphere_km, rotation, mask, 3 * 86400)
    sphere_minutes = sum(e[1] - e[0] for e in on_sphere) / 60 / 3
    assert answer["summary"]["contact_min_per_day_mean"] - sphere_minutes > 2


def test_site_passes_elevation_and_off_nadir_from_skyfield_and_erfa(cli_json):
    # Each pass's elevation seen from the site on WGS84 (Skyfield), and its
    # off-nadir angle from the satellite's geodetic nadir (ERFA's gc2gd).
    answer = cli_json("access", *DESIGN, "--site", "43.6,1.44", "--off-nadir", "30", "--days", 3)
    track = satellite_track(answer)
    station_km, rotation = topocentric(43.6, 1.44, 0)
    assert answer["events"]
    for event in answer["events"]:
        satellite = track([seconds_after_epoch(event["time_utc"])])
        elevation, _ = elevation_azimuth(station_km, rotation, satellite)
        assert event["elevation_deg"] == pytest.approx(elevation[0], abs=2e-3)
        lon, lat, _ = erfa.gc2gd(1, satellite[:, 0] * 1000)
        normal = np.array([math.cos(lat) * math.cos(lon), math.cos(lat) * math.sin(lon), math.sin(lat)])
        sight = station_km - satellite[:, 0]
        off_nadir = math.degrees(math.acos(np.dot(-normal, sight) / np.linalg.norm(sight)))
        assert event["off_nadir_deg"] == pytest.approx(off_nadir, abs=2e-3)
        assert event["look"] == (off_nadir <= 30 and elevation[0] >= 0)

#pragma once
// The ground track for the map tools: GeoJSON (RFC 7946) for a GIS, KML 2.2
// for a globe. Both hold one entry per day of the track, with its day number
// and its UTC start and end, and with a swath the day's band as polygons.

#include "export/ground_track_days.h"

#include <string>

namespace orbit::exports {

// A FeatureCollection: per day a MultiLineString feature of the track
// (properties "kind": "ground_track", "day", "start_utc", "end_utc",
// "datum": "WGS84" and "positions", the note of PositionNote) and, with a
// swath, a MultiPolygon feature of its band ("kind": "swath", the same,
// "swath_km" and "swath", the note of SwathNote). Coordinates are [lon, lat]
// in degrees with six decimals (a tenth of a metre), as RFC 7946 advises:
// geodetic, on WGS84, as RFC 7946 defines them.
std::string WriteGeoJson(const TrackExport& track);

// A Document with one Folder per day (its TimeSpan and ExtendedData day,
// start_utc, end_utc), holding the track's Placemark and the swath's; the
// Document's description ends with the notes on the positions (geodetic,
// WGS84, as KML takes them) and on the swath.
std::string WriteKml(const TrackExport& track);

}  // namespace orbit::exports

#include "export/map_formats.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace orbit::exports {

namespace {

// The positions are written by hand: a cycle holds tens of thousands of them,
// and six decimals keep the file a tenth the size of full precision.
void AppendPosition(std::string& out, const world_map::LonLat& p)
{
    char buffer[48];
    const int length = std::snprintf(buffer, sizeof buffer, "[%.6f,%.6f]", p.lonDeg, p.latDeg);
    out.append(buffer, static_cast<std::size_t>(length));
}

template <typename Points>
void AppendPositions(std::string& out, const Points& points)
{
    out += '[';
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (k > 0)
            out += ',';
        AppendPosition(out, points[k]);
    }
    out += ']';
}

std::string Properties(const TrackDay& day, const TrackExport& track, const char* kind)
{
    nlohmann::ordered_json properties = {{"kind", kind},
                                         {"name", track.name},
                                         {"day", day.day},
                                         {"start_utc", day.startUtc},
                                         {"end_utc", day.endUtc},
                                         {"datum", "WGS84"},
                                         {"positions", PositionNote()}};
    if (std::string(kind) == "swath") {
        properties["swath_km"] = track.swathKm;
        properties["swath"] = SwathNote();
    }
    return properties.dump();
}

}  // namespace

std::string WriteGeoJson(const TrackExport& track)
{
    const std::vector<TrackDay> days = LayTrackDays(track);
    std::string out = "{\"type\":\"FeatureCollection\",";
    // A foreign member (RFC 7946 section 6.1): what the file is, for the reader.
    out += "\"description\":" + nlohmann::json(track.description).dump() + ",\"features\":[\n";
    bool first = true;
    const auto startFeature = [&] {
        if (!first)
            out += ",\n";
        first = false;
    };
    for (const TrackDay& day : days) {
        startFeature();
        out += "{\"type\":\"Feature\",\"properties\":" + Properties(day, track, "ground_track");
        out += ",\"geometry\":{\"type\":\"MultiLineString\",\"coordinates\":[";
        for (std::size_t k = 0; k < day.lines.size(); ++k) {
            if (k > 0)
                out += ',';
            AppendPositions(out, day.lines[k]);
        }
        out += "]}}";
        if (track.swathKm > 0) {
            startFeature();
            out += "{\"type\":\"Feature\",\"properties\":" + Properties(day, track, "swath");
            out += ",\"geometry\":{\"type\":\"MultiPolygon\",\"coordinates\":[";
            for (std::size_t k = 0; k < day.swathRings.size(); ++k) {
                if (k > 0)
                    out += ',';
                out += '[';
                AppendPositions(out, day.swathRings[k]);
                out += ']';
            }
            out += "]}}";
        }
    }
    out += "\n]}\n";
    return out;
}

}  // namespace orbit::exports

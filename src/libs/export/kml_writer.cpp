#include "export/map_formats.h"

#include "export/text_lines.h"

#include <cstdio>

namespace orbit::exports {

namespace {

std::string Escaped(const std::string& text)
{
    std::string out;
    for (const char c : PlainText(text, "name")) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

template <typename Points>
void AppendCoordinates(std::string& out, const Points& points)
{
    out += "<coordinates>";
    char buffer[48];
    for (std::size_t k = 0; k < points.size(); ++k) {
        const int length = std::snprintf(buffer, sizeof buffer, "%s%.6f,%.6f,0", k > 0 ? " " : "", points[k].lonDeg,
                                         points[k].latDeg);
        out.append(buffer, static_cast<std::size_t>(length));
    }
    out += "</coordinates>";
}

void AppendData(std::string& out, const char* name, const std::string& value)
{
    out += "<Data name=\"";
    out += name;
    out += "\"><value>" + Escaped(value) + "</value></Data>";
}

}  // namespace

std::string WriteKml(const TrackExport& track)
{
    const std::vector<TrackDay> days = LayTrackDays(track);
    // The description's lines stay lines: each was checked on its own.
    std::string description;
    for (const std::string& line : track.description)
        description += Escaped(line) + '\n';
    description += Escaped(PositionNote() + '.');
    if (track.swathKm > 0)
        description += '\n' + Escaped(SwathNote() + '.');

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n";
    out += "<Document>\n<name>" + Escaped(track.name) + "</name>\n";
    out += "<description>" + description + "</description>\n";
    out += "<Style id=\"track\"><LineStyle><color>ff00ffff</color><width>2</width></LineStyle></Style>\n";
    out += "<Style id=\"swath\"><LineStyle><color>8000a5ff</color><width>1</width></LineStyle>"
           "<PolyStyle><color>4000a5ff</color></PolyStyle></Style>\n";
    for (const TrackDay& day : days) {
        const std::string dayText = std::to_string(day.day);
        out += "<Folder>\n<name>Day " + dayText + "</name>\n";
        out += "<TimeSpan><begin>" + day.startUtc + "</begin><end>" + day.endUtc + "</end></TimeSpan>\n";
        out += "<ExtendedData>";
        AppendData(out, "day", dayText);
        AppendData(out, "start_utc", day.startUtc);
        AppendData(out, "end_utc", day.endUtc);
        out += "</ExtendedData>\n";

        out += "<Placemark><name>Ground track, day " + dayText + "</name><styleUrl>#track</styleUrl><MultiGeometry>\n";
        for (const world_map::Polyline& line : day.lines) {
            out += "<LineString><tessellate>1</tessellate>";
            AppendCoordinates(out, line);
            out += "</LineString>\n";
        }
        out += "</MultiGeometry></Placemark>\n";

        if (track.swathKm > 0) {
            char width[32];
            std::snprintf(width, sizeof width, "%.3f", track.swathKm);
            out += "<Placemark><name>Swath, day " + dayText + "</name><styleUrl>#swath</styleUrl><ExtendedData>";
            AppendData(out, "swath_km", width);
            out += "</ExtendedData><MultiGeometry>\n";
            for (const world_map::Ring& ring : day.swathRings) {
                out += "<Polygon><tessellate>1</tessellate><outerBoundaryIs><LinearRing>";
                AppendCoordinates(out, ring);
                out += "</LinearRing></outerBoundaryIs></Polygon>\n";
            }
            out += "</MultiGeometry></Placemark>\n";
        }
        out += "</Folder>\n";
    }
    out += "</Document>\n</kml>\n";
    return out;
}

}  // namespace orbit::exports

#pragma once
// The places `repeat-orbit access` is asked about, as the user gives them:
// --site LAT,LON and --station LAT,LON[,HEIGHT_M], each as often as wanted,
// or a CSV file of them with the header line
// name,latitude_deg,longitude_deg[,height_m]. Every mistake is a usage error
// naming the option (and the file's line).

#include <string>
#include <vector>

namespace orbit::cli {

// A place as read: geodetic latitude and longitude on the WGS84 ellipsoid,
// height above it 0 unless given.
struct NamedPlace {
    std::string name;
    double latitudeDeg = 0, longitudeDeg = 0, heightM = 0;
    bool fromFile = false;  // named in a file, not by its typed coordinates
};

// The lowest and highest station heights taken, metres above the
// ellipsoid: from below the Dead Sea's shore to well above any mountain or balloon.
inline constexpr double kLowestStationHeightM = -1000;
inline constexpr double kHighestStationHeightM = 100000;

// "LAT,LON" (a site) or "LAT,LON[,HEIGHT_M]" (a station, withHeight), named
// by the text itself.
NamedPlace ReadPlaceOption(const std::string& option, const std::string& text, bool withHeight);

// The places of a CSV file; a height_m column is taken for stations only.
std::vector<NamedPlace> ReadPlacesFile(const std::string& option, const std::string& path, bool withHeight);

}  // namespace orbit::cli

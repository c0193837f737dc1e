#include "cli/access_places.h"

#include "cli/command_line.h"
#include "cli/option_checks.h"
#include "cli/coverage_output.h"
#include "core/number_text.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace orbit::cli {

namespace {

// Files of places are lists typed or exported by hand; anything larger than
// this is not one, and is refused before it fills the memory.
constexpr std::size_t kLargestPlacesFileBytes = 64 * 1024 * 1024;

std::vector<std::string> Fields(const std::string& text)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(text);
    while (std::getline(in, field, ','))
        fields.push_back(field);
    if (!text.empty() && text.back() == ',')
        fields.emplace_back();
    return fields;
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The checks every place shares, worded for `where` (an option, or an
// option and a file's line).
void CheckPlace(const std::string& where, const NamedPlace& place)
{
    if (!(std::fabs(place.latitudeDeg) <= 90))
        throw UsageError(where + ": latitude " + ShortestNumberText(place.latitudeDeg) + " is beyond ±90 degrees");
    if (!(std::fabs(place.longitudeDeg) <= 180))
        throw UsageError(where + ": longitude " + ShortestNumberText(place.longitudeDeg) + " is beyond ±180 degrees");
    if (!(place.heightM >= kLowestStationHeightM && place.heightM <= kHighestStationHeightM))
        throw UsageError(where + ": height " + ShortestNumberText(place.heightM) + " m is outside -1000 to 100000 m");
}

NamedPlace PlaceOfFields(const std::string& where, const std::vector<std::string>& numbers, bool withHeight)
{
    NamedPlace place;
    place.latitudeDeg = ArgumentNumber(where, Trimmed(numbers[0]));
    place.longitudeDeg = ArgumentNumber(where, Trimmed(numbers[1]));
    if (withHeight && numbers.size() > 2)
        place.heightM = ArgumentNumber(where, Trimmed(numbers[2]));
    CheckPlace(where, place);
    return place;
}

}  // namespace

NamedPlace ReadPlaceOption(const std::string& option, const std::string& text, bool withHeight)
{
    const std::vector<std::string> fields = Fields(text);
    const bool fits = fields.size() == 2 || (withHeight && fields.size() == 3);
    if (!fits)
        throw UsageError(option + ": '" + text + "' is not " + (withHeight ? "LAT,LON[,HEIGHT_M]" : "LAT,LON"));
    NamedPlace place = PlaceOfFields(option, fields, withHeight);
    place.name = text;
    return place;
}

std::vector<NamedPlace> ReadPlacesFile(const std::string& option, const std::string& path, bool withHeight)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw UsageError(option + ": cannot read '" + path + "'");
    std::string content;
    {
        std::ostringstream whole;
        whole << file.rdbuf();
        content = whole.str();
    }
    if (file.bad())
        throw UsageError(option + ": cannot read '" + path + "'");
    if (content.size() > kLargestPlacesFileBytes)
        throw UsageError(option + ": '" + path + "' is larger than 64 MB, too large for a list of places");

    std::istringstream lines(content);
    std::string line;
    int number = 0;
    bool header = false, heights = false;
    std::vector<NamedPlace> places;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (Trimmed(line).empty())
            continue;
        const std::string where = option + ": " + path + " line " + std::to_string(number);
        std::vector<std::string> fields = Fields(line);
        if (!header) {
            for (std::string& f : fields)
                f = Trimmed(f);
            const std::vector<std::string> plain = {"name", "latitude_deg", "longitude_deg"};
            std::vector<std::string> withHeightColumn = plain;
            withHeightColumn.push_back("height_m");
            if (fields == withHeightColumn && !withHeight)
                throw UsageError(where + ": a site lies on the ground (the WGS84 ellipsoid) and has no height_m column");
            if (fields != plain && fields != withHeightColumn)
                throw UsageError(where + ": the header must be name,latitude_deg,longitude_deg" +
                                 (withHeight ? "[,height_m]" : ""));
            header = true;
            heights = fields.size() == 4;
            continue;
        }
        const std::size_t wanted = heights ? 4 : 3;
        if (fields.size() != wanted)
            throw UsageError(where + ": " + std::to_string(fields.size()) + " fields where the header has " +
                             std::to_string(wanted));
        NamedPlace place = PlaceOfFields(where, {fields.begin() + 1, fields.end()}, withHeight);
        place.name = Trimmed(fields[0]);
        place.fromFile = true;
        if (place.name.empty())
            throw UsageError(where + ": the place has no name");
        // A name goes to the terminal as it is: no control characters, which
        // could move the cursor or rewrite what was printed.
        for (const char c : place.name)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                throw UsageError(where + ": the name holds a control character");
        places.push_back(std::move(place));
    }
    if (!header)
        throw UsageError(option + ": '" + path + "' has no header line name,latitude_deg,longitude_deg");
    if (places.empty())
        throw UsageError(option + ": '" + path + "' lists no place");
    return places;
}

}  // namespace orbit::cli

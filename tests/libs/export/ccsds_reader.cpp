#include "tests/libs/export/ccsds_reader.h"

#include <charconv>
#include <regex>
#include <sstream>

namespace orbit::exports::testing {

namespace {

enum class Kind { Text, Number, Integer, Time };

struct Field {
    std::string keyword;
    Kind kind;
    std::string unit;  // the unit it must carry; empty for none
    bool mandatory;
};

struct Section {
    std::string name;
    bool commentsAtHead;
    std::vector<Field> fields;
};

const std::vector<Field> kHeader = {{"CLASSIFICATION", Kind::Text, "", false},
                                    {"CREATION_DATE", Kind::Time, "", true},
                                    {"ORIGINATOR", Kind::Text, "", true},
                                    {"MESSAGE_ID", Kind::Text, "", false}};

std::vector<Section> OpmSections()
{
    return {{"version", false, {{"CCSDS_OPM_VERS", Kind::Text, "", true}}},
            {"header", true, kHeader},
            {"metadata", true,
             {{"OBJECT_NAME", Kind::Text, "", true},
              {"OBJECT_ID", Kind::Text, "", true},
              {"CENTER_NAME", Kind::Text, "", true},
              {"REF_FRAME", Kind::Text, "", true},
              {"REF_FRAME_EPOCH", Kind::Time, "", false},
              {"TIME_SYSTEM", Kind::Text, "", true}}},
            {"state", true,
             {{"EPOCH", Kind::Time, "", true},
              {"X", Kind::Number, "km", true},
              {"Y", Kind::Number, "km", true},
              {"Z", Kind::Number, "km", true},
              {"X_DOT", Kind::Number, "km/s", true},
              {"Y_DOT", Kind::Number, "km/s", true},
              {"Z_DOT", Kind::Number, "km/s", true}}},
            {"keplerian", true,
             {{"SEMI_MAJOR_AXIS", Kind::Number, "km", true},
              {"ECCENTRICITY", Kind::Number, "", true},
              {"INCLINATION", Kind::Number, "deg", true},
              {"RA_OF_ASC_NODE", Kind::Number, "deg", true},
              {"ARG_OF_PERICENTER", Kind::Number, "deg", true},
              {"TRUE_ANOMALY", Kind::Number, "deg", false},
              {"MEAN_ANOMALY", Kind::Number, "deg", false},
              {"GM", Kind::Number, "km**3/s**2", true}}}};
}

std::vector<Section> OmmSections()
{
    return {{"version", false, {{"CCSDS_OMM_VERS", Kind::Text, "", true}}},
            {"header", true, kHeader},
            {"metadata", true,
             {{"OBJECT_NAME", Kind::Text, "", true},
              {"OBJECT_ID", Kind::Text, "", true},
              {"CENTER_NAME", Kind::Text, "", true},
              {"REF_FRAME", Kind::Text, "", true},
              {"REF_FRAME_EPOCH", Kind::Time, "", false},
              {"TIME_SYSTEM", Kind::Text, "", true},
              {"MEAN_ELEMENT_THEORY", Kind::Text, "", true}}},
            {"mean_elements", true,
             {{"EPOCH", Kind::Time, "", true},
              {"SEMI_MAJOR_AXIS", Kind::Number, "km", false},
              {"MEAN_MOTION", Kind::Number, "rev/day", false},
              {"ECCENTRICITY", Kind::Number, "", true},
              {"INCLINATION", Kind::Number, "deg", true},
              {"RA_OF_ASC_NODE", Kind::Number, "deg", true},
              {"ARG_OF_PERICENTER", Kind::Number, "deg", true},
              {"MEAN_ANOMALY", Kind::Number, "deg", true},
              {"GM", Kind::Number, "km**3/s**2", false}}},
            {"tle_parameters", true,
             {{"EPHEMERIS_TYPE", Kind::Integer, "", false},
              {"CLASSIFICATION_TYPE", Kind::Text, "", false},
              {"NORAD_CAT_ID", Kind::Integer, "", false},
              {"ELEMENT_SET_NO", Kind::Integer, "", false},
              {"REV_AT_EPOCH", Kind::Integer, "", false},
              {"BSTAR", Kind::Number, "1/ER", false},
              {"MEAN_MOTION_DOT", Kind::Number, "rev/day**2", true},
              {"MEAN_MOTION_DDOT", Kind::Number, "rev/day**3", true}}}};
}

std::vector<Section> OemSections()
{
    return {{"version", false, {{"CCSDS_OEM_VERS", Kind::Text, "", true}}},
            {"header", true, kHeader},
            {"metadata", true,
             {{"OBJECT_NAME", Kind::Text, "", true},
              {"OBJECT_ID", Kind::Text, "", true},
              {"CENTER_NAME", Kind::Text, "", true},
              {"REF_FRAME", Kind::Text, "", true},
              {"REF_FRAME_EPOCH", Kind::Time, "", false},
              {"TIME_SYSTEM", Kind::Text, "", true},
              {"START_TIME", Kind::Time, "", true},
              {"USEABLE_START_TIME", Kind::Time, "", false},
              {"USEABLE_STOP_TIME", Kind::Time, "", false},
              {"STOP_TIME", Kind::Time, "", true},
              {"INTERPOLATION", Kind::Text, "", false},
              {"INTERPOLATION_DEGREE", Kind::Integer, "", false}}}};
}

[[noreturn]] void Fail(int line, const std::string& what)
{
    throw KvnFormatError("line " + std::to_string(line) + ": " + what);
}

std::string Trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool IsTime(const std::string& text)
{
    static const std::regex time(R"(\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}(\.\d+)?Z?)");
    return std::regex_match(text, time);
}

bool ReadDouble(const std::string& text, double& value)
{
    const char* begin = text.data();
    if (!text.empty() && text.front() == '+')
        ++begin;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && begin != end;
}

// Reads the keyword lines of `sections` in order from `lines`, from `next`
// on, up to a line `stopAt` (exclusive; empty: the end). Comments wait for
// the keyword after them, which must open a section that takes them.
void ReadSections(const std::vector<std::string>& lines, std::size_t& next, const std::vector<Section>& sections,
                  const std::string& stopAt, KvnMessage& message)
{
    std::size_t section = 0, field = 0;
    bool sectionOpened = false;
    std::vector<std::string> pendingComments;
    for (; next < lines.size(); ++next) {
        const int lineNo = static_cast<int>(next) + 1;
        const std::string line = Trim(lines[next]);
        if (line.empty())
            continue;
        if (!stopAt.empty() && line == stopAt)
            break;
        if (line.rfind("COMMENT", 0) == 0 && (line.size() == 7 || line[7] == ' ')) {
            pendingComments.push_back(Trim(line.substr(7)));
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            Fail(lineNo, "not a keyword line: " + line);
        const std::string keyword = Trim(line.substr(0, equals));
        std::string value = Trim(line.substr(equals + 1));
        std::string unit;
        if (const auto bracket = value.find('['); bracket != std::string::npos) {
            if (value.back() != ']')
                Fail(lineNo, "a unit not closed by ]");
            unit = value.substr(bracket + 1, value.size() - bracket - 2);
            value = Trim(value.substr(0, bracket));
        }
        // Find the keyword at or after the cursor; what it skips must be optional.
        std::size_t s = section, f = field;
        for (;;) {
            if (s >= sections.size())
                Fail(lineNo, "unknown or misplaced keyword " + keyword);
            if (f >= sections[s].fields.size()) {
                ++s;
                f = 0;
                continue;
            }
            if (sections[s].fields[f].keyword == keyword)
                break;
            if (sections[s].fields[f].mandatory && !(s == section && f < field))
                Fail(lineNo, "missing " + sections[s].fields[f].keyword + " before " + keyword);
            ++f;
        }
        const bool opensSection = s != section || !sectionOpened;
        if (!pendingComments.empty()) {
            if (!opensSection || !sections[s].commentsAtHead)
                Fail(lineNo, "COMMENT where the standard takes none (before " + keyword + ")");
            auto& list = message.comments[sections[s].name];
            list.insert(list.end(), pendingComments.begin(), pendingComments.end());
            pendingComments.clear();
        }
        section = s;
        field = f + 1;
        sectionOpened = true;

        const Field& expected = sections[s].fields[f];
        if (value.empty())
            Fail(lineNo, keyword + " has no value");
        if (unit != expected.unit)
            Fail(lineNo, keyword + " carries the unit [" + unit + "], not [" + expected.unit + "]");
        switch (expected.kind) {
        case Kind::Time:
            if (!IsTime(value))
                Fail(lineNo, keyword + " is not a time: " + value);
            break;
        case Kind::Integer:
            if (value.find_first_not_of("0123456789") != std::string::npos)
                Fail(lineNo, keyword + " is not a whole number: " + value);
            message.numbers[keyword] = std::stod(value);
            break;
        case Kind::Number: {
            double number = 0;
            if (!ReadDouble(value, number))
                Fail(lineNo, keyword + " is not a number: " + value);
            message.numbers[keyword] = number;
            break;
        }
        case Kind::Text:
            break;
        }
        message.text[keyword] = value;
    }
    if (!pendingComments.empty())
        Fail(static_cast<int>(next), "COMMENT at the end of a section");
    // Every mandatory keyword after the last one read is missing.
    for (std::size_t s = section; s < sections.size(); ++s)
        for (std::size_t f = s == section ? field : 0; f < sections[s].fields.size(); ++f)
            if (sections[s].fields[f].mandatory)
                Fail(static_cast<int>(next), "missing " + sections[s].fields[f].keyword);
}

std::vector<std::string> Lines(const std::string& message)
{
    std::vector<std::string> lines;
    std::istringstream in(message);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    if (!message.empty() && message.back() != '\n')
        throw KvnFormatError("the last line does not end");
    return lines;
}

void CheckFirstLine(const std::vector<std::string>& lines, const std::string& versionKeyword)
{
    if (lines.empty() || lines.front().rfind(versionKeyword, 0) != 0)
        throw KvnFormatError("the message does not open with " + versionKeyword);
}

long long DaysFromCivil(int y, int m, int d)
{
    // Days since 1970-01-01 in the proleptic Gregorian calendar.
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

double SecondsOf(const std::string& time)
{
    const int y = std::stoi(time.substr(0, 4)), mo = std::stoi(time.substr(5, 2)), d = std::stoi(time.substr(8, 2));
    const int h = std::stoi(time.substr(11, 2)), mi = std::stoi(time.substr(14, 2));
    std::string secondText = time.substr(17);
    if (!secondText.empty() && secondText.back() == 'Z')
        secondText.pop_back();
    return static_cast<double>(DaysFromCivil(y, mo, d)) * 86400.0 + h * 3600.0 + mi * 60.0 + std::stod(secondText);
}

}  // namespace

double KvnMessage::Number(const std::string& keyword) const
{
    const auto found = numbers.find(keyword);
    if (found == numbers.end())
        throw KvnFormatError("no number " + keyword);
    return found->second;
}

const std::string& KvnMessage::Text(const std::string& keyword) const
{
    const auto found = text.find(keyword);
    if (found == text.end())
        throw KvnFormatError("no keyword " + keyword);
    return found->second;
}

double SecondsBetween(const std::string& from, const std::string& to) { return SecondsOf(to) - SecondsOf(from); }

KvnMessage ReadOpm(const std::string& message)
{
    const std::vector<std::string> lines = Lines(message);
    CheckFirstLine(lines, "CCSDS_OPM_VERS");
    KvnMessage read;
    std::size_t next = 0;
    ReadSections(lines, next, OpmSections(), "", read);
    if (read.text.count("TRUE_ANOMALY") + read.text.count("MEAN_ANOMALY") != 1)
        throw KvnFormatError("the Keplerian elements need one of TRUE_ANOMALY and MEAN_ANOMALY");
    return read;
}

KvnMessage ReadOmm(const std::string& message)
{
    const std::vector<std::string> lines = Lines(message);
    CheckFirstLine(lines, "CCSDS_OMM_VERS");
    KvnMessage read;
    std::size_t next = 0;
    ReadSections(lines, next, OmmSections(), "", read);
    if (read.text.count("SEMI_MAJOR_AXIS") + read.text.count("MEAN_MOTION") != 1)
        throw KvnFormatError("the mean elements need one of SEMI_MAJOR_AXIS and MEAN_MOTION");
    return read;
}

KvnMessage ReadOem(const std::string& message)
{
    const std::vector<std::string> lines = Lines(message);
    CheckFirstLine(lines, "CCSDS_OEM_VERS");
    const std::vector<Section> sections = OemSections();
    KvnMessage read;
    std::size_t next = 0;
    // The version and the header, up to META_START.
    ReadSections(lines, next, {sections[0], sections[1]}, "META_START", read);
    if (next >= lines.size())
        throw KvnFormatError("no META_START");
    ++next;
    ReadSections(lines, next, {sections[2]}, "META_STOP", read);
    if (next >= lines.size())
        throw KvnFormatError("no META_STOP");
    ++next;

    const std::string start = read.Text("START_TIME"), stop = read.Text("STOP_TIME");
    bool recordsBegun = false;
    for (; next < lines.size(); ++next) {
        const int lineNo = static_cast<int>(next) + 1;
        const std::string line = Trim(lines[next]);
        if (line.empty())
            continue;
        if (line.rfind("COMMENT", 0) == 0) {
            if (recordsBegun)
                Fail(lineNo, "COMMENT between ephemeris lines");
            read.comments["data"].push_back(Trim(line.substr(7)));
            continue;
        }
        recordsBegun = true;
        std::istringstream fields(line);
        EphemerisRecord record;
        fields >> record.time;
        if (!IsTime(record.time))
            Fail(lineNo, "an ephemeris line without a time: " + line);
        for (double& value : record.values) {
            std::string token;
            if (!(fields >> token) || !ReadDouble(token, value))
                Fail(lineNo, "an ephemeris line without six numbers: " + line);
        }
        if (std::string rest; fields >> rest)
            Fail(lineNo, "an ephemeris line with more than six numbers: " + line);
        record.secondsSinceStart = SecondsBetween(start, record.time);
        if (!read.records.empty() && !(record.secondsSinceStart > read.records.back().secondsSinceStart))
            Fail(lineNo, "ephemeris lines out of time order");
        if (record.secondsSinceStart < 0 || SecondsBetween(record.time, stop) < 0)
            Fail(lineNo, "an ephemeris line outside START_TIME to STOP_TIME");
        read.records.push_back(record);
    }
    if (read.records.empty())
        throw KvnFormatError("no ephemeris lines");
    return read;
}

}  // namespace orbit::exports::testing

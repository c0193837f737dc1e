// The two texts of time the user types: an ISO 8601 UTC instant and a local
// time of day. Each is read strictly, character by character: a date that is
// almost right is a mistake to report, not one to guess at.

#include "core/orbit_error.h"
#include "ephemeris/instant.h"
#include "ephemeris/orbit_node.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace orbit::ephemeris {

namespace {

[[noreturn]] void Refuse(const std::string& reason) { throw OrbitError(ErrorKind::Usage, reason); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads exactly `count` digits at `pos`, or returns -1.
int Digits(const std::string& text, std::size_t pos, std::size_t count) {
    if (pos + count > text.size()) return -1;
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (!IsDigit(text[i])) return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Seconds "ss" or "ss.fff...", the whole rest of `text` from `pos`; -1 when malformed.
double Seconds(const std::string& text, std::size_t pos) {
    const int whole = Digits(text, pos, 2);
    if (whole < 0) return -1;
    pos += 2;
    if (pos == text.size()) return whole;
    if (text[pos] != '.' || pos + 1 == text.size()) return -1;
    double fraction = 0, scale = 0.1;
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        if (!IsDigit(text[i])) return -1;
        fraction += (text[i] - '0') * scale;
        scale /= 10;
    }
    // Enough nines must not round up into the next second (59.999... is not 60).
    return std::min(whole + fraction, std::nextafter(whole + 1.0, 0.0));
}

}  // namespace

Instant ParseIsoUtc(const std::string& text) {
    const std::string form = "\"" + text + "\" is not YYYY-MM-DDThh:mm[:ss[.fff]]Z";
    if (text.empty() || text.back() != 'Z') {
        Refuse(text.empty() || text.back() == 'z' || IsDigit(text.back()) ? "no Z (UTC) at the end of \"" + text + "\""
                                                                           : form);
    }
    const std::string body = text.substr(0, text.size() - 1);
    UtcCalendar utc;
    utc.year = Digits(body, 0, 4);
    utc.month = Digits(body, 5, 2);
    utc.day = Digits(body, 8, 2);
    utc.hour = Digits(body, 11, 2);
    utc.minute = Digits(body, 14, 2);
    if (body.size() < 16 || utc.year < 0 || body[4] != '-' || utc.month < 0 || body[7] != '-' || utc.day < 0 ||
        body[10] != 'T' || utc.hour < 0 || body[13] != ':' || utc.minute < 0) {
        Refuse(form);
    }
    utc.second = 0;
    if (body.size() > 16) {
        if (body[16] != ':') Refuse(form);
        utc.second = Seconds(body, 17);
        if (utc.second < 0) Refuse(form);
    }
    return Instant::FromUtc(utc);
}

double ParseLocalTimeHours(const std::string& text) {
    const std::string form = "\"" + text + "\" is not a time of day HH:MM or HH:MM:SS";
    const std::size_t colon = text.find(':');
    if (colon != 1 && colon != 2) Refuse(form);
    const int hours = Digits(text, 0, colon);
    const int minutes = Digits(text, colon + 1, 2);
    if (hours < 0 || minutes < 0) Refuse(form);
    int seconds = 0;
    const std::size_t end = colon + 3;
    if (text.size() != end) {
        if (text.size() != end + 3 || text[end] != ':') Refuse(form);
        seconds = Digits(text, end + 1, 2);
        if (seconds < 0) Refuse(form);
    }
    if (hours > 23) Refuse("\"" + text + "\": the hour is outside 0 to 23 (a local time lies in 0 to 24 h)");
    if (minutes > 59) Refuse("\"" + text + "\": the minutes are outside 0 to 59");
    if (seconds > 59) Refuse("\"" + text + "\": the seconds are outside 0 to 59");
    return hours + minutes / 60.0 + seconds / 3600.0;
}

}  // namespace orbit::ephemeris

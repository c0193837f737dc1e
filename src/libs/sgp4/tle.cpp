#include "sgp4/tle.h"

#include "core/orbit_error.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace orbit::sgp4 {

namespace {

constexpr std::size_t kLineLength = 69;

constexpr long long PowerOfTen(int n)
{
    long long p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// Each fixed-point field in units of its last digit.
constexpr long long kDayUnits = PowerOfTen(TleDecimals::kEpochDay);
constexpr long long kMeanMotionDotUnits = PowerOfTen(TleDecimals::kMeanMotionDot);
constexpr long long kAngleUnits = PowerOfTen(TleDecimals::kAngle);
constexpr long long kEccentricityUnits = PowerOfTen(TleDecimals::kEccentricity);
constexpr long long kMeanMotionUnits = PowerOfTen(TleDecimals::kMeanMotion);

[[noreturn]] void Fault(int line, std::size_t column, const std::string& what)
{
    throw OrbitError(ErrorKind::InvalidArgument,
                     "TLE line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what);
}

// A field by its 1-based first and last columns, as the format is described.
std::string_view Field(const std::string& line, std::size_t first, std::size_t last)
{
    return std::string_view(line).substr(first - 1, last - first + 1);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A right-aligned unsigned integer: leading blanks, then digits only.
// A blank field is zero when `blankIsZero`.
int ParseInteger(const std::string& line, int lineNo, std::size_t first, std::size_t last, const char* name,
                 bool blankIsZero)
{
    const std::string_view f = Field(line, first, last);
    std::size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    if (i == f.size()) {
        if (blankIsZero) return 0;
        Fault(lineNo, first, std::string(name) + " is blank");
    }
    int value = 0;
    for (; i < f.size(); ++i) {
        if (!IsDigit(f[i])) Fault(lineNo, first + i, std::string(name) + " is not a whole number");
        value = value * 10 + (f[i] - '0');
    }
    return value;
}

// A fixed-point decimal: leading blanks, an optional sign where `signed_`,
// digits with one decimal point, which stands `decimals` columns before the
// field's end (the format fixes every field's point).
double ParseDecimal(const std::string& line, int lineNo, std::size_t first, std::size_t last, int decimals,
                    const char* name, bool signed_)
{
    const std::string_view f = Field(line, first, last);
    const std::size_t pointColumn = last - static_cast<std::size_t>(decimals);
    if (line[pointColumn - 1] != '.') {
        Fault(lineNo, pointColumn, std::string(name) + " has no decimal point in this column");
    }
    std::size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    double sign = 1.0;
    if (signed_ && i < f.size() && (f[i] == '-' || f[i] == '+')) {
        sign = f[i] == '-' ? -1.0 : 1.0;
        ++i;
    }
    const std::string_view body = f.substr(i);
    int points = 0, digits = 0;
    for (std::size_t k = 0; k < body.size(); ++k) {
        if (body[k] == '.') {
            ++points;
        } else if (IsDigit(body[k])) {
            ++digits;
        } else {
            Fault(lineNo, first + i + k, std::string(name) + " is not a number of the form d.ddd");
        }
    }
    if (points != 1 || digits == 0) Fault(lineNo, first, std::string(name) + " is not a number of the form d.ddd");
    double value = 0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec != std::errc() || end != body.data() + body.size()) {
        Fault(lineNo, first, std::string(name) + " is not a number");
    }
    return sign * value;
}

// The implied-decimal form "SMMMMMSE": sign (blank, + or -), five mantissa
// digits read as 0.MMMMM, the exponent's sign and one digit.
double ParseImpliedExponent(const std::string& line, int lineNo, std::size_t first, const char* name)
{
    const std::string_view f = Field(line, first, first + 7);
    const char s = f[0];
    if (s != ' ' && s != '+' && s != '-') Fault(lineNo, first, std::string(name) + " has no sign column");
    int mantissa = 0;
    for (std::size_t k = 1; k <= 5; ++k) {
        const char c = f[k] == ' ' ? '0' : f[k];  // some sources pad the mantissa with blanks
        if (!IsDigit(c)) Fault(lineNo, first + k, std::string(name) + " mantissa is not five digits");
        mantissa = mantissa * 10 + (c - '0');
    }
    if (f[6] != '-' && f[6] != '+') {
        Fault(lineNo, first + 6, std::string(name) + " has no exponent sign");
    }
    if (!IsDigit(f[7])) Fault(lineNo, first + 7, std::string(name) + " exponent is not a digit");
    const int exponent = (f[6] == '-' ? -1 : 1) * (f[7] - '0');
    // One value, one text: a mantissa keeps a leading zero only where the
    // exponent can go no lower ("00615-0" is "61500-2" written twice over).
    if (mantissa != 0 && mantissa < 10000 && exponent != -9)
        Fault(lineNo, first + 1, std::string(name) + " mantissa has a leading zero");
    return (s == '-' ? -1.0 : 1.0) * mantissa * 1e-5 * std::pow(10.0, exponent);
}

// Catalogue number, five columns: digits, or alpha-5 (a letter then four digits).
int ParseCatalogNumber(const std::string& line, int lineNo)
{
    const std::string_view f = Field(line, 3, 7);
    const char lead = f[0];
    int value = 0;
    if (lead >= 'A' && lead <= 'Z') {
        if (lead == 'I' || lead == 'O') Fault(lineNo, 3, "alpha-5 catalogue numbers skip the letters I and O");
        int letter = lead - 'A' + 10;
        if (lead > 'I') --letter;
        if (lead > 'O') --letter;
        value = letter;
    } else if (lead == ' ' || IsDigit(lead)) {
        value = lead == ' ' ? 0 : lead - '0';
    } else {
        Fault(lineNo, 3, "the catalogue number is not a number");
    }
    for (std::size_t k = 1; k < 5; ++k) {
        const char c = f[k] == ' ' && value == 0 ? '0' : f[k];
        if (!IsDigit(c)) Fault(lineNo, 3 + k, "the catalogue number is not a number");
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string CleanLine(const std::string& text, int lineNo)
{
    std::string line = text;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() != kLineLength) {
        Fault(lineNo, std::min(line.size(), kLineLength) + 1,
              "a line has 69 columns, this one " + std::to_string(line.size()));
    }
    if (line[0] != static_cast<char>('0' + lineNo) || line[1] != ' ') {
        Fault(lineNo, 1, "the line must begin \"" + std::to_string(lineNo) + " \"");
    }
    for (char c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e) {
            Fault(lineNo, 1, "the line holds a character that is not printable ASCII");
        }
    }
    const int checksum = line[68] - '0';
    if (!IsDigit(line[68]) || checksum != TleChecksum(line)) {
        Fault(lineNo, 69, "the check digit should be " + std::to_string(TleChecksum(line)));
    }
    return line;
}

void RequireBlanks(const std::string& line, int lineNo, std::initializer_list<std::size_t> columns)
{
    for (std::size_t c : columns) {
        if (line[c - 1] != ' ') Fault(lineNo, c, "this column must be blank");
    }
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

void Refuse(const std::string& what) { throw OrbitError(ErrorKind::InvalidArgument, "TLE: " + what); }

// "SMMMMMSE" for a value, rounded to five significant digits.
std::string FormatImpliedExponent(double value, const char* name)
{
    if (!std::isfinite(value)) Refuse(std::string(name) + " is not a finite number");
    const char sign = value < 0 ? '-' : ' ';
    const double magnitude = std::fabs(value);
    int exponent = 0;
    long long mantissa = 0;
    if (magnitude > 0) {
        exponent = static_cast<int>(std::floor(std::log10(magnitude))) + 1;  // 0.1 <= m < 1
        mantissa = std::llround(magnitude / std::pow(10.0, exponent) * 1e5);
        if (mantissa >= 100000) {
            mantissa /= 10;
            ++exponent;
        } else if (mantissa < 10000) {  // log10's rounding put it one decade high
            mantissa = std::llround(magnitude / std::pow(10.0, exponent - 1) * 1e5);
            --exponent;
        }
        if (exponent > 9) Refuse(std::string(name) + " is too large for its field");
        if (exponent < -9) {  // below 1e-10 the mantissa gives up its leading digits
            exponent = -9;
            mantissa = std::llround(magnitude * 1e14);
        }
    }
    // The catalogues write a zero exponent as "-0" ("13519-0", "00000-0").
    if (mantissa == 0) return " 00000-0";
    char buf[48];
    std::snprintf(buf, sizeof buf, "%c%05lld%c%d", sign, mantissa, exponent <= 0 ? '-' : '+', std::abs(exponent));
    return buf;
}

// An angle in degrees as "ddd.dddd", reduced to [0, 360) after the rounding.
std::string FormatAngle(double degrees, bool wrap, const char* name)
{
    if (!std::isfinite(degrees)) Refuse(std::string(name) + " is not a finite number");
    long long units = std::llround(degrees * static_cast<double>(kAngleUnits));
    if (wrap) {
        units %= 360 * kAngleUnits;
        if (units < 0) units += 360 * kAngleUnits;
    } else if (units < 0 || units > 180 * kAngleUnits) {
        Refuse(std::string(name) + " is outside 0 to 180 degrees");
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "%3lld.%0*lld", units / kAngleUnits, TleDecimals::kAngle, units % kAngleUnits);
    return buf;
}

std::string CatalogField(int number)
{
    if (!IsCatalogNumber(number))
        Refuse("the catalogue number " + std::to_string(number) + " is outside " + CatalogNumberRange());
    char buf[24];
    if (number <= 99999) {
        std::snprintf(buf, sizeof buf, "%05d", number);
    } else {
        static constexpr char kLetters[] = "ABCDEFGHJKLMNPQRSTUVWXYZ";  // 10 ... 33, no I or O
        std::snprintf(buf, sizeof buf, "%c%04d", kLetters[number / 10000 - 10], number % 10000);
    }
    return buf;
}

std::string WithChecksum(std::string line)
{
    line += static_cast<char>('0' + TleChecksum(line));
    return line;
}

}  // namespace

int TleChecksum(const std::string& line)
{
    int sum = 0;
    for (std::size_t k = 0; k < std::min<std::size_t>(line.size(), 68); ++k) {
        if (IsDigit(line[k])) sum += line[k] - '0';
        if (line[k] == '-') sum += 1;
    }
    return sum % 10;
}

TleElements ParseTle(const std::string& text1, const std::string& text2)
{
    const std::string l1 = CleanLine(text1, 1);
    const std::string l2 = CleanLine(text2, 2);
    RequireBlanks(l1, 1, {9, 18, 33, 44, 53, 62, 64});
    RequireBlanks(l2, 2, {8, 17, 26, 34, 43, 52});

    TleElements tle;
    tle.catalogNumber = ParseCatalogNumber(l1, 1);
    if (ParseCatalogNumber(l2, 2) != tle.catalogNumber) Fault(2, 3, "the catalogue number differs from line 1's");
    tle.classification = l1[7];
    if (tle.classification != 'U' && tle.classification != 'C' && tle.classification != 'S') {
        Fault(1, 8, "the classification is not U, C or S");
    }
    std::string designator(Field(l1, 10, 17));
    for (std::size_t k = 0; k < designator.size(); ++k) {
        const char c = designator[k];
        if (!(IsDigit(c) || (c >= 'A' && c <= 'Z') || c == ' ')) {
            Fault(1, 10 + k, "the international designator holds a character other than digits and capitals");
        }
    }
    while (!designator.empty() && designator.back() == ' ') designator.pop_back();
    tle.internationalDesignator = designator;

    const int yy = ParseInteger(l1, 1, 19, 20, "the epoch year", false);
    tle.epochYear = yy < 57 ? 2000 + yy : 1900 + yy;
    tle.epochDayOfYear = ParseDecimal(l1, 1, 21, 32, TleDecimals::kEpochDay, "the epoch day", false);
    const double daysInYear = IsLeapYear(tle.epochYear) ? 366.0 : 365.0;
    if (tle.epochDayOfYear < 1.0 || tle.epochDayOfYear >= daysInYear + 1.0) {
        Fault(1, 21, "the epoch day is outside 1 to " + std::to_string(static_cast<int>(daysInYear)));
    }
    tle.meanMotionDotRevDay2 = ParseDecimal(l1, 1, 34, 43, TleDecimals::kMeanMotionDot, "the mean motion's first derivative", true);
    if (l1[33] != ' ' && l1[33] != '+' && l1[33] != '-') {
        Fault(1, 34, "the mean motion's first derivative has no sign column");
    }
    tle.meanMotionDdotRevDay3 = ParseImpliedExponent(l1, 1, 45, "the mean motion's second derivative");
    tle.bstarPerEarthRadius = ParseImpliedExponent(l1, 1, 54, "B*");
    tle.ephemerisType = ParseInteger(l1, 1, 63, 63, "the ephemeris type", true);
    tle.elementSetNumber = ParseInteger(l1, 1, 65, 68, "the element set number", true);

    tle.inclinationDeg = ParseDecimal(l2, 2, 9, 16, TleDecimals::kAngle, "the inclination", false);
    if (tle.inclinationDeg > 180.0) Fault(2, 9, "the inclination is above 180 degrees");
    tle.raanDeg = ParseDecimal(l2, 2, 18, 25, TleDecimals::kAngle, "the right ascension of the node", false);
    if (tle.raanDeg >= 360.0) Fault(2, 18, "the right ascension of the node is 360 degrees or more");
    const int eccDigits = ParseInteger(l2, 2, 27, 33, "the eccentricity", false);
    if (Field(l2, 27, 33).find(' ') != std::string_view::npos) Fault(2, 27, "the eccentricity is not seven digits");
    tle.eccentricity = eccDigits * (1.0 / static_cast<double>(kEccentricityUnits));
    tle.argumentOfPerigeeDeg = ParseDecimal(l2, 2, 35, 42, TleDecimals::kAngle, "the argument of perigee", false);
    if (tle.argumentOfPerigeeDeg >= 360.0) Fault(2, 35, "the argument of perigee is 360 degrees or more");
    tle.meanAnomalyDeg = ParseDecimal(l2, 2, 44, 51, TleDecimals::kAngle, "the mean anomaly", false);
    if (tle.meanAnomalyDeg >= 360.0) Fault(2, 44, "the mean anomaly is 360 degrees or more");
    tle.meanMotionRevDay = ParseDecimal(l2, 2, 53, 63, TleDecimals::kMeanMotion, "the mean motion", false);
    if (!(tle.meanMotionRevDay > 0)) Fault(2, 53, "the mean motion is not above zero");
    tle.revolutionNumber = ParseInteger(l2, 2, 64, 68, "the revolution number", true);
    return tle;
}

TleLines FormatTle(const TleElements& el)
{
    const std::string catalog = CatalogField(el.catalogNumber);
    if (el.epochYear < 1957 || el.epochYear > 2056) Refuse("the epoch year is outside 1957 to 2056");
    if (el.internationalDesignator.size() > 8) Refuse("the international designator is longer than 8 characters");
    for (char c : el.internationalDesignator) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == ' ')) {
            Refuse("the international designator holds a character other than digits and capitals");
        }
    }
    if (el.classification != 'U' && el.classification != 'C' && el.classification != 'S') {
        Refuse("the classification is not U, C or S");
    }
    if (el.ephemerisType < 0 || el.ephemerisType > 9) Refuse("the ephemeris type is not one digit");
    if (el.elementSetNumber < 0 || el.elementSetNumber > 9999) Refuse("the element set number is outside 0 to 9999");
    if (el.revolutionNumber < 0 || el.revolutionNumber > 99999) Refuse("the revolution number is outside 0 to 99999");

    // The epoch to 1e-8 day; a rounding that reaches the year's end moves
    // into the next year.
    if (!std::isfinite(el.epochDayOfYear) || el.epochDayOfYear < 1.0) Refuse("the epoch day is before 1.0");
    int year = el.epochYear;
    long long dayUnits = std::llround(el.epochDayOfYear * static_cast<double>(kDayUnits));
    const long long yearEnd = (IsLeapYear(year) ? 367LL : 366LL) * kDayUnits;
    if (dayUnits >= yearEnd) {
        if (dayUnits - yearEnd >= kDayUnits) Refuse("the epoch day is beyond its year");
        dayUnits -= yearEnd - kDayUnits;
        ++year;
        if (year > 2056) Refuse("the epoch year is outside 1957 to 2056");
    }

    const double ndot = el.meanMotionDotRevDay2;
    if (!std::isfinite(ndot)) Refuse("the mean motion's first derivative is not a finite number");
    const long long ndotUnits = std::llround(std::fabs(ndot) * static_cast<double>(kMeanMotionDotUnits));
    if (ndotUnits >= kMeanMotionDotUnits) Refuse("the mean motion's first derivative is 1 rev/day^2 or more");

    char line1[80];
    std::snprintf(line1, sizeof line1, "1 %s%c %-8s %02d%03lld.%0*lld %c.%0*lld %s %s %d %4d", catalog.c_str(),
                  el.classification, el.internationalDesignator.c_str(), year % 100, dayUnits / kDayUnits,
                  TleDecimals::kEpochDay, dayUnits % kDayUnits, ndot < 0 && ndotUnits > 0 ? '-' : ' ',
                  TleDecimals::kMeanMotionDot, ndotUnits,
                  FormatImpliedExponent(el.meanMotionDdotRevDay3, "the mean motion's second derivative").c_str(),
                  FormatImpliedExponent(el.bstarPerEarthRadius, "B*").c_str(), el.ephemerisType, el.elementSetNumber);

    if (!(el.eccentricity >= 0.0)) Refuse("the eccentricity is negative");
    const long long eccUnits = std::llround(el.eccentricity * static_cast<double>(kEccentricityUnits));
    if (eccUnits >= kEccentricityUnits) Refuse("the eccentricity rounds to 1 or more");
    if (!(el.meanMotionRevDay > 0.0)) Refuse("the mean motion is not above zero");
    const long long nUnits = std::llround(el.meanMotionRevDay * static_cast<double>(kMeanMotionUnits));
    if (nUnits >= 100 * kMeanMotionUnits) Refuse("the mean motion is 100 rev/day or more");

    char line2[80];
    std::snprintf(line2, sizeof line2, "2 %s %s %s %0*lld %s %s %2lld.%0*lld%5d", catalog.c_str(),
                  FormatAngle(el.inclinationDeg, false, "the inclination").c_str(),
                  FormatAngle(el.raanDeg, true, "the right ascension of the node").c_str(),
                  TleDecimals::kEccentricity, eccUnits,
                  FormatAngle(el.argumentOfPerigeeDeg, true, "the argument of perigee").c_str(),
                  FormatAngle(el.meanAnomalyDeg, true, "the mean anomaly").c_str(), nUnits / kMeanMotionUnits,
                  TleDecimals::kMeanMotion, nUnits % kMeanMotionUnits, el.revolutionNumber);
    return {WithChecksum(line1), WithChecksum(line2)};
}

}  // namespace orbit::sgp4

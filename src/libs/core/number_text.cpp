#include "core/number_text.h"

#include "core/orbit_error.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace orbit {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The exponent written after the 'e' of a validated decimal text (optional
// sign, then digits), saturated at +-kExponentLimit. A double needs no
// exponent beyond a few hundred, but a typed one may have any number of
// digits: saturating keeps the sum below well defined, and its sign and
// hugeness, which are all that matter there, survive.
constexpr long long kExponentLimit = 100'000'000'000'000'000;

long long SaturatedExponent(std::string_view digits)
{
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    long long exponent = 0;
    for (const char c : digits) {
        exponent = exponent * 10 + (c - '0');  // below 10 kExponentLimit: no overflow
        if (exponent >= kExponentLimit) {
            exponent = kExponentLimit;
            break;
        }
    }
    return negative ? -exponent : exponent;
}

// Converts an already validated decimal text (no leading '+') to a double.
// A magnitude beyond the double range is "Overflow"; one below it is zero.
double DecimalToDouble(std::string_view text)
{
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        const auto e = text.find_first_of("eE");
        const std::string_view mantissa = text.substr(0, e);
        const double zero = mantissa.front() == '-' ? -0.0 : 0.0;
        // A zero mantissa is zero whatever its exponent.
        const auto firstSignificant = mantissa.find_first_of("123456789");
        if (firstSignificant == std::string_view::npos)
            return zero;
        // Tell overflow from underflow by the decimal exponent of the first
        // significant digit. The text's length is far below the saturation
        // limit, so the sum stays in range.
        const long long exponent = e == std::string_view::npos ? 0 : SaturatedExponent(text.substr(e + 1));
        const auto point = mantissa.find('.');
        const auto integerDigits = static_cast<long long>(point == std::string_view::npos ? mantissa.size() : point);
        const auto position = static_cast<long long>(firstSignificant);
        const long long magnitude =
            exponent + (position < integerDigits ? integerDigits - position : integerDigits - position + 1);
        if (magnitude > 0)
            throw OrbitError(ErrorKind::Overflow);
        return zero;
    }
    if (ec != std::errc() || end != text.data() + text.size())
        throw OrbitError(ErrorKind::TypeMismatch);
    return value;
}

// Length of the plain decimal number (sign, digits with at most one point,
// optional exponent) at the start of `text`; `digits` tells whether the
// mantissa had any digit.
std::size_t ScanDecimal(std::string_view text, bool& digits)
{
    std::size_t i = 0;
    digits = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i]))
            digits = true;
        else if (text[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

// printf's "%.14e": the value with 15 significant digits, correctly rounded
// (ties to even on the exact binary value). 10^14 <= digits < 10^15 and the
// value is digits x 10^(exponent - 14).
constexpr long kSignificantDigits = 15;

constexpr std::array<std::uint64_t, 16> kPowersOfTen = [] {
    std::array<std::uint64_t, 16> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

struct SignificantDigits {
    std::uint64_t digits;
    long exponent;
};

// The library's conversion with 14 places after the point: right for every
// double, but some ten times slower than the integer arithmetic below.
SignificantDigits FifteenDigitsByText(double magnitude)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific,
                                   static_cast<int>(kSignificantDigits - 1))
                         .ptr;
    // d.dddddddddddddde[+-]xx
    SignificantDigits decimal{static_cast<std::uint64_t>(buffer[0] - '0'), 0};
    for (const char* c = buffer + 2; c < buffer + 2 + kSignificantDigits - 1; ++c)
        decimal.digits = decimal.digits * 10 + static_cast<std::uint64_t>(*c - '0');
    const char* exponent = buffer + kSignificantDigits + 2;
    if (*exponent == '+')
        ++exponent;
    std::from_chars(exponent, end, decimal.exponent);
    return decimal;
}

__extension__ typedef unsigned __int128 Uint128;

// 10^0 .. 10^22: a 53-bit significand times any of them fits in 128 bits.
constexpr std::array<Uint128, 23> kWidePowersOfTen = [] {
    std::array<Uint128, 23> powers{};
    Uint128 power = 1;
    for (Uint128& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// The same digits by integer arithmetic for the magnitudes results have,
// 1e-8 up to 1e15: the value is m 2^-k exactly (m the 53-bit significand),
// so its 15 digits are m 10^s 2^-k rounded to an integer, s = 14 - exponent,
// and m 10^s fits in 128 bits.
SignificantDigits FifteenDigits(double magnitude)
{
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const auto biased = static_cast<int>(bits >> 52);
    // floor((e + 52) log10 2) by the integer ratio 78913 / 2^18; the decimal
    // exponent is it or one more, as 2^(e+52) <= magnitude < 2^(e+53).
    const int binaryExponent = biased - 1075;
    const int estimate = ((binaryExponent + 52) * 78913) >> 18;
    if (biased == 0 || estimate < -8 || estimate > 13)
        return FifteenDigitsByText(magnitude);
    const Uint128 significand = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const auto shift = static_cast<unsigned>(-binaryExponent);  // 6 to 79 in this range

    long exponent = estimate;
    Uint128 scaled = significand * kWidePowersOfTen[static_cast<std::size_t>(14 - exponent)];
    if ((scaled >> shift) >= kPowersOfTen[kSignificantDigits]) {
        ++exponent;
        scaled = significand * kWidePowersOfTen[static_cast<std::size_t>(14 - exponent)];
    }
    auto digits = static_cast<std::uint64_t>(scaled >> shift);
    const Uint128 remainder = scaled & ((Uint128{1} << shift) - 1);
    const Uint128 half = Uint128{1} << (shift - 1);
    if (remainder > half || (remainder == half && (digits & 1) != 0))
        ++digits;
    if (digits == kPowersOfTen[kSignificantDigits]) {  // 9.99...95 carried into the next decade
        digits = kPowersOfTen[kSignificantDigits - 1];
        ++exponent;
    }
    return {digits, exponent};
}

std::string WithoutPlus(std::string_view number)
{
    std::string s(number);
    if (!s.empty() && s.front() == '+')
        s.erase(0, 1);
    return s;
}

}  // namespace

double ParseNumberStrict(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    bool digits = false;
    if (text.empty() || ScanDecimal(text, digits) != text.size() || !digits)
        throw OrbitError(ErrorKind::TypeMismatch);
    return DecimalToDouble(WithoutPlus(text));
}

NumberPattern::NumberPattern(std::string_view pattern)
{
    const auto pointAt = pattern.find('.');
    hasPoint = pointAt != std::string_view::npos;
    const std::string_view integerPattern = pattern.substr(0, pointAt);
    const std::string_view fractionPattern = hasPoint ? pattern.substr(pointAt + 1) : std::string_view{};
    minIntegerDigits = static_cast<std::size_t>(std::count(integerPattern.begin(), integerPattern.end(), '0'));
    places = fractionPattern.size();
    minFractionDigits = static_cast<std::size_t>(std::count(fractionPattern.begin(), fractionPattern.end(), '0'));
}

std::string FormatPattern(double value, std::string_view pattern)
{
    std::string text;
    AppendPattern(text, value, NumberPattern(pattern));
    return text;
}

void AppendPattern(std::string& out, double value, const NumberPattern& pattern)
{
    if (!std::isfinite(value))
        throw OrbitError(ErrorKind::Overflow);

    // The value as the decimal it prints as with 15 significant digits,
    // digits x 10^(exponent - 14), then rounded half away from zero at the
    // pattern's places: the rounded magnitude is `rounded` x 10^-places, its
    // decimal digits those of `rounded` followed by `zerosAfter` zeros.
    std::uint64_t rounded = 0;
    std::size_t zerosAfter = 0;
    if (value != 0) {
        const SignificantDigits decimal = FifteenDigits(std::fabs(value));
        // Digits of the 15 that lie before the rounding place.
        const long kept = decimal.exponent + 1 + static_cast<long>(pattern.places);
        if (kept >= kSignificantDigits) {
            rounded = decimal.digits;
            zerosAfter = static_cast<std::size_t>(kept - kSignificantDigits);
        } else if (kept >= 0) {
            const std::uint64_t unit = kPowersOfTen[static_cast<std::size_t>(kSignificantDigits - kept)];
            rounded = decimal.digits / unit + (decimal.digits % unit >= unit / 2 ? 1 : 0);
        }
    }

    char digitBuffer[24];
    std::size_t digitCount = 0;
    if (rounded != 0)
        digitCount = static_cast<std::size_t>(std::to_chars(digitBuffer, digitBuffer + sizeof digitBuffer, rounded).ptr -
                                              digitBuffer);
    const std::size_t length = digitCount + zerosAfter;
    // Appends digits [from, to) of the rounded magnitude.
    const auto appendDigits = [&](std::size_t from, std::size_t to) {
        if (from < digitCount)
            out.append(digitBuffer + from, std::min(to, digitCount) - from);
        if (to > std::max(from, digitCount))
            out.append(to - std::max(from, digitCount), '0');
    };

    if (value < 0 && rounded != 0)
        out += '-';
    // The integer part: the digits before the last `places`, never truncated,
    // padded with zeros to the pattern's minimum.
    const std::size_t integerDigits = length > pattern.places ? length - pattern.places : 0;
    if (integerDigits < pattern.minIntegerDigits)
        out.append(pattern.minIntegerDigits - integerDigits, '0');
    appendDigits(0, integerDigits);
    if (!pattern.hasPoint)
        return;
    out += '.';
    // The fraction: zeros where the number has fewer digits than places, then
    // its digits; trailing zeros dropped down to the pattern's minimum.
    const std::size_t fractionStart = out.size();
    out.append(pattern.places - (length - integerDigits), '0');
    appendDigits(integerDigits, length);
    while (out.size() > fractionStart + pattern.minFractionDigits && out.back() == '0')
        out.pop_back();
}

double ReadLeadingNumber(std::string_view text)
{
    std::string packed;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            packed += c;

    if (packed.size() >= 2 && packed[0] == '&') {
        const char kind = static_cast<char>(packed[1] | 0x20);
        const int base = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
        if (base == 0)
            return 0;
        double value = 0;
        for (std::size_t i = 2; i < packed.size(); ++i) {
            const char c = static_cast<char>(packed[i] | 0x20);
            const int digit = IsDigit(packed[i]) ? packed[i] - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : 99;
            if (digit >= base)
                break;
            value = value * base + digit;
        }
        if (!std::isfinite(value))
            throw OrbitError(ErrorKind::Overflow);
        return value;
    }

    bool digits = false;
    const std::size_t length = ScanDecimal(packed, digits);
    if (!digits)
        return 0;
    return DecimalToDouble(WithoutPlus(std::string_view(packed).substr(0, length)));
}

std::int16_t ToInt16(double value)
{
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw OrbitError(ErrorKind::Overflow);
    return static_cast<std::int16_t>(rounded);
}

std::string StepValueText(long long value)
{
    const std::string digits = std::to_string(value < 0 ? -static_cast<unsigned long long>(value)
                                                        : static_cast<unsigned long long>(value));
    return (value < 0 ? "-" : " ") + digits;
}

std::string PrintedNumberText(long long value) { return StepValueText(value) + " "; }

std::string ShortestNumberText(double value)
{
    std::string text;
    AppendShortestNumber(text, value);
    return text;
}

void AppendShortestNumber(std::string& out, double value)
{
    char buffer[32];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

}  // namespace orbit

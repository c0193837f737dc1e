#include "core/number_text.h"

#include "core/orbit_error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
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

std::string FormatPattern(double value, std::string_view pattern)
{
    if (!std::isfinite(value))
        throw OrbitError(ErrorKind::Overflow);
    const auto pointAt = pattern.find('.');
    const bool hasPoint = pointAt != std::string_view::npos;
    const std::string_view integerPattern = pattern.substr(0, pointAt);
    const std::string_view fractionPattern = hasPoint ? pattern.substr(pointAt + 1) : std::string_view{};
    const auto minIntegerDigits = static_cast<std::size_t>(std::count(integerPattern.begin(), integerPattern.end(), '0'));
    const auto places = static_cast<long>(fractionPattern.size());
    const auto minFractionDigits = static_cast<std::size_t>(std::count(fractionPattern.begin(), fractionPattern.end(), '0'));

    // The value as the decimal it prints as with 15 significant digits:
    // digits d1 d2 ... d15 with the point after `pointPos` of them.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    digits += buffer[0];
    digits.append(buffer + 2, 14);
    long pointPos = std::strtol(buffer + 17, nullptr, 10) + 1;
    if (value == 0)
        pointPos = 1;

    // Pad so that every digit up to the rounding place exists, with at least
    // one digit before the point.
    if (pointPos < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - pointPos), '0');
        pointPos = 1;
    }
    const long keep = pointPos + places;
    if (static_cast<long>(digits.size()) < keep + 1)
        digits.append(static_cast<std::size_t>(keep + 1 - static_cast<long>(digits.size())), '0');

    // Round half away from zero at `keep` digits.
    const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (roundUp) {
        long i = keep - 1;
        for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i)
            digits[static_cast<std::size_t>(i)] = '0';
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits.insert(0, 1, '1');
            ++pointPos;
        }
    }

    std::string integerPart = digits.substr(0, static_cast<std::size_t>(pointPos));
    std::string fractionPart = digits.substr(static_cast<std::size_t>(pointPos));
    const bool isZero = digits.find_first_not_of('0') == std::string::npos;

    const auto firstNonZero = integerPart.find_first_not_of('0');
    integerPart.erase(0, std::min(firstNonZero, integerPart.size()));
    if (integerPart.size() < minIntegerDigits)
        integerPart.insert(0, minIntegerDigits - integerPart.size(), '0');
    while (fractionPart.size() > minFractionDigits && fractionPart.back() == '0')
        fractionPart.pop_back();

    std::string text = (value < 0 && !isZero) ? "-" : "";
    text += integerPart;
    if (hasPoint)
        text += '.' + fractionPart;
    return text;
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

}  // namespace orbit

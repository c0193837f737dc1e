// The number text rules on any text: the strict field reader and the leading
// number reader may only give a number or the documented errors, agree with
// each other, and what the formatter writes reads back within its rounding.

#include "core/number_text.h"
#include "core/orbit_error.h"
#include "fuzz/fuzz_check.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using orbit::ErrorKind;
using orbit::OrbitError;

struct Pattern {
    const char* text;
    int places;
};
constexpr Pattern kPatterns[] = {{"#####", 0},    {"#####.##", 2}, {"#0.#######", 7},
                                 {"####.###", 3}, {"###.###", 3},  {"00.00", 2}};

// A formatted text: an optional minus, the whole digits (none only for a
// pattern without a '0' before its point, such as "###.###" writing zero as
// "."), and the point with at most `places` digits when the pattern has one.
bool WellFormed(const std::string& text, const Pattern& pattern)
{
    std::string_view s = text;
    if (!s.empty() && s.front() == '-')
        s.remove_prefix(1);
    const auto point = s.find('.');
    const std::string_view whole = s.substr(0, point);
    const std::string_view patternWhole = std::string_view(pattern.text).substr(0, std::string_view(pattern.text).find('.'));
    if (whole.empty() && patternWhole.find('0') != std::string_view::npos)
        return false;
    if (whole.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    if ((point != std::string_view::npos) != (pattern.places > 0))
        return false;
    if (point == std::string_view::npos)
        return true;
    const std::string_view fraction = s.substr(point + 1);
    return fraction.size() <= static_cast<std::size_t>(pattern.places) &&
           fraction.find_first_not_of("0123456789") == std::string_view::npos;
}

void CheckFormat(double value, const Pattern& pattern)
{
    const std::string text = orbit::FormatPattern(value, pattern.text);
    fuzz::Check(WellFormed(text, pattern), "formatted text", text + " for " + pattern.text);
    // "." is zero without a digit, which no reader takes back.
    const bool anyDigit = text.find_first_of("0123456789") != std::string::npos;
    const double back = anyDigit ? orbit::ParseNumberStrict(text) : 0.0;
    // Rounded at `places` after taking 15 significant digits.
    const double tolerance = 0.5 * std::pow(10.0, -pattern.places) + std::fabs(value) * 1e-14;
    fuzz::Check(std::fabs(back - value) <= tolerance * (1 + 1e-12), "round trip", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Pattern& pattern = kPatterns[data[0] % std::size(kPatterns)];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    double strict = 0;
    bool read = false;
    try {
        strict = orbit::ParseNumberStrict(text);
        read = true;
    } catch (const OrbitError& e) {
        fuzz::CheckError(e, {ErrorKind::TypeMismatch, ErrorKind::Overflow});
    }

    double leading = 0;
    bool leadingRead = false;
    try {
        leading = orbit::ReadLeadingNumber(text);
        leadingRead = true;
        fuzz::Check(std::isfinite(leading), "leading number finite");
    } catch (const OrbitError& e) {
        fuzz::CheckError(e, {ErrorKind::Overflow});
    }

    if (!read)
        return 0;
    fuzz::Check(std::isfinite(strict), "strict number finite", text);
    // A text the strict reader takes has no blank inside it, so the leading
    // reader sees the same number, to the bit.
    fuzz::Check(leadingRead && std::signbit(leading) == std::signbit(strict) && leading == strict,
                "readers agree", text);

    CheckFormat(strict, pattern);

    try {
        const std::int16_t whole = orbit::ToInt16(strict);
        fuzz::Check(std::fabs(whole - strict) <= 0.5, "nearest 16-bit integer", text);
        fuzz::Check(orbit::ParseNumberStrict(orbit::StepValueText(whole)) == whole, "step text reads back");
    } catch (const OrbitError& e) {
        fuzz::CheckError(e, {ErrorKind::Overflow});
        fuzz::Check(!(std::nearbyint(strict) >= -32768 && std::nearbyint(strict) <= 32767), "in range refused", text);
    }
    return 0;
}

#pragma once
// How a number is written with a pattern of '#' and '0' ("#0.00"), spelt out
// on printf's digits: the reference the program's own integer-arithmetic
// writer is checked against. It takes the 15 significant digits of "%.14e"
// and rounds that decimal text half away from zero by hand, as the numbers
// have always been written.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace test_support {

// The decimal text rule, written out on printf's digits.
inline std::string ReferenceText(double value, const std::string& pattern)
{
    const auto point = pattern.find('.');
    const bool hasPoint = point != std::string::npos;
    const std::string integerPattern = pattern.substr(0, point);
    const std::string fractionPattern = hasPoint ? pattern.substr(point + 1) : std::string();
    const auto minInteger = static_cast<std::size_t>(std::count(integerPattern.begin(), integerPattern.end(), '0'));
    const auto minFraction = static_cast<std::size_t>(std::count(fractionPattern.begin(), fractionPattern.end(), '0'));
    const auto places = static_cast<long>(fractionPattern.size());

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    // "d.dddddddddddddde+xx": the digits as one string with a leading zero to
    // take a carry, the point after `whole` of them.
    std::string digits = std::string("0") + buffer[0] + std::string(buffer + 2, 14);
    long whole = value == 0 ? 2 : std::strtol(buffer + 17, nullptr, 10) + 2;
    if (whole < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - whole), '0');
        whole = 1;
    }
    const long cut = whole + places;  // digits kept
    if (static_cast<long>(digits.size()) <= cut)
        digits.append(static_cast<std::size_t>(cut + 1 - static_cast<long>(digits.size())), '0');
    const bool up = digits[static_cast<std::size_t>(cut)] >= '5';
    digits.resize(static_cast<std::size_t>(cut));
    for (long i = cut - 1; up && i >= 0; --i) {
        char& d = digits[static_cast<std::size_t>(i)];
        d = d == '9' ? '0' : static_cast<char>(d + 1);
        if (d != '0')
            break;
    }
    std::string integer = digits.substr(0, static_cast<std::size_t>(whole));
    std::string fraction = digits.substr(static_cast<std::size_t>(whole));
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    if (integer.size() < minInteger)
        integer.insert(0, minInteger - integer.size(), '0');
    while (fraction.size() > minFraction && fraction.back() == '0')
        fraction.pop_back();
    return (value < 0 && !zero ? "-" : "") + integer + (hasPoint ? "." + fraction : "");
}

}  // namespace test_support

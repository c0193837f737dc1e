// The pattern writer against printf: every value of a family, written with
// every pattern the program uses (and some odd ones), must read exactly as
// the reference below writes it. The reference takes the 15 significant
// digits from printf's "%.14e" and rounds that decimal text by hand, the
// way the numbers were always written, so a fault in the writer's own digit
// arithmetic (a wrong decade, a tie rounded the wrong way, a lost carry)
// shows as a differing text.

#include "core/number_text.h"
#include "core/result_fields.h"
#include "tests/support/printf_pattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using test_support::ReferenceText;

// The patterns of the result boxes, of the search table's columns and of the
// labels, and a few shapes no one uses yet.
std::vector<std::string> Patterns()
{
    std::vector<std::string> patterns;
    for (const orbit::ResultFieldInfo& info : orbit::kResultFields)
        patterns.emplace_back(info.pattern);
    for (const char* p : {"#0.00", "#0.000", "#0.0000", "#0.0000000", "#0.0", "00.00", "#", "0", ".", "", "0.",
                          ".#", "000.0##", "#.0000000000000000000"})
        patterns.emplace_back(p);
    return patterns;
}

struct ValueFamily {
    const char* name;
    std::vector<double> (*values)();
};

std::vector<double> WithNegatives(std::vector<double> values)
{
    const std::size_t n = values.size();
    for (std::size_t i = 0; i < n; ++i)
        values.push_back(-values[i]);
    return values;
}

// Any bit pattern of a finite double: every decade from the subnormals up.
std::vector<double> AnyDoubles()
{
    std::mt19937_64 random(20261209);
    std::vector<double> values;
    while (values.size() < 20000) {
        const double v = std::bit_cast<double>(random());
        if (std::isfinite(v))
            values.push_back(v);
    }
    return values;
}

// Magnitudes results have, evenly over the logarithm from 1e-9 to 1e16: the
// integer path's whole range and both its edges.
std::vector<double> ResultMagnitudes()
{
    std::mt19937_64 random(7153);
    std::uniform_real_distribution<double> decade(-9, 16);
    std::vector<double> values;
    for (int i = 0; i < 20000; ++i)
        values.push_back(std::pow(10.0, decade(random)));
    return WithNegatives(values);
}

// Numbers a search writes: axes, altitudes, angles, periods, mean motions.
std::vector<double> SearchFigures()
{
    std::mt19937_64 random(1000);
    std::vector<double> values;
    for (const auto& [low, high] : {std::pair{6400.0, 9000.0}, {0.0, 2000.0}, {0.0, 180.0}, {85.0, 130.0},
                                     {0.0, 17.0}, {0.0, 0.01}}) {
        std::uniform_real_distribution<double> between(low, high);
        for (int i = 0; i < 4000; ++i)
            values.push_back(between(random));
    }
    return values;
}

// Decimals whose 15-digit text ends in a 5 at some pattern's rounding place
// (2.675 is just below the half in binary, 0.125 exactly on it): they round
// away from zero.
std::vector<double> DecimalHalves()
{
    std::vector<double> values{2.675, 1.005, 0.125, 0.0005, 14.5, 15.5, 0.5, 99.995, 7153.125, 0.00000005,
                               9.9999995, 0.05, 1e-8 * 5, 123456.785, 0.0000000005};
    for (int places = 0; places <= 8; ++places) {
        const double unit = std::pow(10.0, -places);
        for (const double whole : {0.0, 1.0, 9.0, 99.0, 774.0, 7164.0, 99999.0})
            values.push_back(whole + 5 * unit / 10);
    }
    return WithNegatives(values);
}

// Doubles exactly halfway between two 15-digit decimals, which printf rounds
// to the even digit: m 2^-(15-p) with m odd lies on a half of the 15th digit
// of the decade 10^p.
std::vector<double> BinaryTies()
{
    std::vector<double> values;
    for (int decade = -7; decade <= 14; ++decade) {
        const double start = std::ldexp(std::pow(10.0, decade), 15 - decade);
        for (double m = std::floor(start * 1.5) + 1, i = 0; i < 40; m += 2, ++i) {
            if (std::fmod(m, 2) == 0)
                m += 1;
            values.push_back(std::ldexp(m, decade - 15));
        }
    }
    // Above 10^15 whole numbers of 16 digits are ties too.
    for (const double v : {1234567890123455.0, 1234567890123465.0, 9999999999999995.0, 1000000000000005.0})
        values.push_back(v);
    return WithNegatives(values);
}

// Each power of ten, its neighbours and the 9.99...9 that carries into it.
std::vector<double> DecadeEdges()
{
    std::vector<double> values;
    for (int decade = -12; decade <= 18; ++decade) {
        const double power = std::pow(10.0, decade);
        values.push_back(power);
        values.push_back(std::nextafter(power, 0.0));
        values.push_back(std::nextafter(power, 2 * power));
        values.push_back(power * (1 - 5e-16));
        values.push_back(power * (1 - 4e-15));
        values.push_back(power * 0.999999999999999);
    }
    return WithNegatives(values);
}

// Zero of either sign, the smallest and largest doubles, values that round
// to zero (and then carry no sign) and the subnormals.
std::vector<double> ZerosAndExtremes()
{
    return WithNegatives({0.0, -0.0, std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::max(), 1e-300, 1e300, 0.004, 0.0049999999999999, 0.00000004,
                          1e-8, 9.999999999e-9, 1e15, 999999999999999.4, 999999999999999.5, 4503599627370496.5,
                          9007199254740993.0, 1e22, 1e23});
}

const ValueFamily kFamilies[] = {
    {"AnyDoubles", AnyDoubles},       {"ResultMagnitudes", ResultMagnitudes}, {"SearchFigures", SearchFigures},
    {"DecimalHalves", DecimalHalves}, {"BinaryTies", BinaryTies},             {"DecadeEdges", DecadeEdges},
    {"ZerosAndExtremes", ZerosAndExtremes},
};

void PrintTo(const ValueFamily& set, std::ostream* os) { *os << set.name; }

class PatternWriter : public ::testing::TestWithParam<ValueFamily> {};

TEST_P(PatternWriter, WritesWhatPrintfsDigitsRoundTo)
{
    const std::vector<double> values = GetParam().values();
    ASSERT_FALSE(values.empty());
    int differing = 0;
    for (const std::string& pattern : Patterns()) {
        const orbit::NumberPattern compiled(pattern);
        for (const double value : values) {
            const std::string expected = ReferenceText(value, pattern);
            std::string appended = "x";
            orbit::AppendPattern(appended, value, compiled);
            const std::string formatted = orbit::FormatPattern(value, pattern);
            if (formatted != expected || appended != "x" + expected) {
                ADD_FAILURE() << std::hexfloat << value << std::defaultfloat << " (" << value << ") with '" << pattern
                              << "': " << formatted << ", appended " << appended << ", expected " << expected;
                if (++differing == 20)
                    return;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, PatternWriter, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<ValueFamily>& family) {
                             return std::string(family.param.name);
                         });

}  // namespace

#include "core/number_text.h"

#include "core/orbit_error.h"

#include "tests/support/test_names.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using orbit::FormatPattern;

struct FormatCase {
    double value;
    const char* pattern;
    const char* text;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.value << " as " << c.pattern; }

// A case is named by what the pattern writes and the value: Axis_6592Point94161.
std::string CaseName(const testing::TestParamInfo<FormatCase>& testInfo)
{
    const std::string_view pattern = testInfo.param.pattern;
    const char* role = pattern == "#####"        ? "Count"
                       : pattern == "#####.##"   ? "Axis"
                       : pattern == "#0.#######" ? "MeanMotion"
                       : pattern == "####.###"   ? "Period"
                       : pattern == "###.###"    ? "Inclination"
                       : pattern == "00.00"      ? "Spacing"
                                                 : "Pattern";
    std::ostringstream value;
    value.precision(12);
    value << testInfo.param.value;
    return std::string(role) + "_" + test_names::FromText(value.str());
}

class PatternFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PatternFormat, WritesTheExpectedText)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatPattern(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    ResultBoxes, PatternFormat,
    ::testing::Values(
        // Revolution counts: digits only, zero is empty.
        FormatCase{16, "#####", "16"}, FormatCase{0, "#####", ""}, FormatCase{-15, "#####", "-15"},
        FormatCase{32767, "#####", "32767"},
        // Two places, trailing zeros dropped, the point always written.
        FormatCase{6592.941610, "#####.##", "6592.94"}, FormatCase{214.796610, "#####.##", "214.8"},
        FormatCase{7000, "#####.##", "7000."}, FormatCase{0.5, "#####.##", ".5"},
        FormatCase{0.004, "#####.##", "."}, FormatCase{123456.7, "#####.##", "123456.7"},
        FormatCase{-6121.601276, "#####.##", "-6121.6"}, FormatCase{-0.001, "#####.##", "."},
        FormatCase{99.995, "#####.##", "100."}, FormatCase{1e20, "#####.##", "100000000000000000000."},
        // Mean motion: always one integer digit.
        FormatCase{16.211796306, "#0.#######", "16.2117963"}, FormatCase{0.5, "#0.#######", "0.5"},
        FormatCase{0, "#0.#######", "0."}, FormatCase{14.341586991, "#0.#######", "14.341587"},
        FormatCase{0.00000004, "#0.#######", "0."}, FormatCase{0.00000005, "#0.#######", "0.0000001"},
        // Periods and inclination.
        FormatCase{96, "####.###", "96."}, FormatCase{100.465116279, "####.###", "100.465"},
        FormatCase{98.49743754, "###.###", "98.497"}, FormatCase{180, "###.###", "180."},
        // Orbit spacing label.
        FormatCase{25.116279, "00.00", "25.12"}, FormatCase{7.5, "00.00", "07.50"},
        FormatCase{123.456, "00.00", "123.46"}, FormatCase{0, "00.00", "00.00"},
        FormatCase{-3.14159, "00.00", "-03.14"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    RoundingOfTheDecimalValue, PatternFormat,
    ::testing::Values(
        // Halves round away from zero on the 15-digit decimal, as a user
        // expects, even where the binary double lies just below the half.
        FormatCase{2.675, "#####.##", "2.68"}, FormatCase{-2.675, "#####.##", "-2.68"},
        FormatCase{1.005, "#####.##", "1.01"}, FormatCase{0.125, "###.###", ".125"},
        FormatCase{0.0005, "###.###", ".001"}, FormatCase{14.5, "#####", "15"},
        FormatCase{15.5, "#####", "16"}, FormatCase{-0.5, "#####", "-1"},
        FormatCase{9.99999996, "#0.#######", "10."}, FormatCase{1e-300, "#####.##", "."}),
    CaseName);

TEST(PatternFormat, NonFiniteValuesOverflowInsteadOfPrintingGarbage)
{
    for (double v : {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW(FormatPattern(v, "#####.##"), orbit::OrbitError);
}

}  // namespace

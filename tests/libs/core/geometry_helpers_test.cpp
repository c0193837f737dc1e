// The small geometry every layer shares: bringing angles into one turn at the
// exact ends of their ranges, the products of three-vectors, and the shortest
// number text that reads back as the same double.

#include "core/angle_wrap.h"
#include "core/constants.h"
#include "core/number_text.h"
#include "core/vector3.h"

#include "tests/support/test_names.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>

namespace {

struct WrapCase {
    const char* description;
    double (*wrap)(double);
    double angle;
    double expected;
};

void PrintTo(const WrapCase& c, std::ostream* os) { *os << c.description; }

double Modulo360(double a) { return orbit::WrapModulo(a, 360.0); }
double Modulo360Open(double a) { return orbit::WrapModuloOpen(a, 360.0); }

// The angles at the ends of each range, the negative ones and the negative
// zero: the places where a reduction written slightly differently gives
// another answer.
const WrapCase kWrapCases[] = {
    {"degrees, a whole turn is 0", Modulo360, 360, 0},
    {"degrees, minus a whole turn is 0", Modulo360, -360, 0},
    {"degrees, two turns and a half degree", Modulo360, 720.5, 0.5},
    {"degrees, minus a quarter turn", Modulo360, -90, 270},
    {"degrees, minus zero stays zero", Modulo360, -0.0, 0},
    {"degrees, a hair below zero is 0 not 360", Modulo360, -1e-15, 0},
    {"open degrees, a hair below zero rounds to 360", Modulo360Open, -1e-15, 360},
    {"open degrees, minus a quarter turn", Modulo360Open, -90, 270},
    {"radians, a whole turn is 0", orbit::WrapTwoPi, orbit::kTwoPi, 0},
    {"radians, minus half a turn", orbit::WrapTwoPi, -orbit::kPi, orbit::kPi},
    {"radians, a hair below zero is 0 not 2 pi", orbit::WrapTwoPi, -1e-17, 0},
    {"open radians, a hair below zero rounds to 2 pi", orbit::WrapTwoPiOpen, -1e-17, orbit::kTwoPi},
    {"hours, midnight at 24 is 0", orbit::WrapHours24, 24, 0},
    {"hours, an hour before midnight", orbit::WrapHours24, -1, 23},
    {"longitude, 180 stays 180", orbit::WrapDegrees180, 180, 180},
    {"longitude, -180 is 180", orbit::WrapDegrees180, -180, 180},
    {"longitude, 540 is 180", orbit::WrapDegrees180, 540, 180},
    {"longitude, -540 is 180", orbit::WrapDegrees180, -540, 180},
    {"longitude, 190 is -170", orbit::WrapDegrees180, 190, -170},
    {"longitude, minus zero stays zero", orbit::WrapDegrees180, -0.0, 0},
    {"plus or minus pi, pi stays pi", orbit::WrapPlusMinusPi, orbit::kPi, orbit::kPi},
    {"plus or minus pi, -pi is pi", orbit::WrapPlusMinusPi, -orbit::kPi, orbit::kPi},
    {"plus or minus pi, a whole turn is 0", orbit::WrapPlusMinusPi, orbit::kTwoPi, 0},
    {"plus or minus pi from the turn, -pi is pi", orbit::WrapPlusMinusPiFromTurn, -orbit::kPi, orbit::kPi},
    {"plus or minus pi from the turn, minus a quarter", orbit::WrapPlusMinusPiFromTurn, -orbit::kPi / 2,
     -orbit::kPi / 2},
};

class AngleWrap : public testing::TestWithParam<WrapCase> {};

TEST_P(AngleWrap, LandsOnTheExpectedAngle)
{
    const WrapCase& c = GetParam();
    EXPECT_EQ(c.wrap(c.angle), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Ranges, AngleWrap, testing::ValuesIn(kWrapCases),
                         [](const testing::TestParamInfo<WrapCase>& testInfo) {
                             return test_names::FromDescription(testInfo.param.description);
                         });

TEST(Vector3, ProductsOfTheAxesFollowTheRightHandRule)
{
    const orbit::Vector3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
    EXPECT_EQ(orbit::Cross(x, y), z);
    EXPECT_EQ(orbit::Cross(y, z), x);
    EXPECT_EQ(orbit::Cross(z, x), y);
    EXPECT_EQ(orbit::Cross(y, x), (orbit::Vector3{0, 0, -1}));
    EXPECT_EQ(orbit::Dot(x, y), 0);
    EXPECT_EQ(orbit::Dot({1, 2, 3}, {4, -5, 6}), 12);
    EXPECT_EQ(orbit::Norm({3, 4, 12}), 13);
}

struct TextCase {
    const char* description;
    double value;
    const char* text;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.description; }

const TextCase kTextCases[] = {
    {"a tenth", 0.1, "0.1"},
    {"a tiny power of ten", 1e-300, "1e-300"},
    {"a third", 1.0 / 3, "0.3333333333333333"},
    {"a whole number", 14, "14"},
    {"minus zero keeps its sign", -0.0, "-0"},
};

class ShortestNumberText : public testing::TestWithParam<TextCase> {};

TEST_P(ShortestNumberText, IsShortAndReadsBackAsTheSameDouble)
{
    const TextCase& c = GetParam();
    const std::string text = orbit::ShortestNumberText(c.value);
    EXPECT_EQ(text, c.text);
    const double back = std::strtod(text.c_str(), nullptr);
    EXPECT_EQ(back, c.value);
    EXPECT_EQ(std::signbit(back), std::signbit(c.value));
    std::string appended = "x=";
    orbit::AppendShortestNumber(appended, c.value);
    EXPECT_EQ(appended, "x=" + text);
}

INSTANTIATE_TEST_SUITE_P(Values, ShortestNumberText, testing::ValuesIn(kTextCases),
                         [](const testing::TestParamInfo<TextCase>& testInfo) {
                             return test_names::FromDescription(testInfo.param.description);
                         });

}  // namespace

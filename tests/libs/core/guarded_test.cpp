#include "core/guarded.h"

#include "tests/support/error_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

using orbit::Guarded;
using orbit::OrbitError;

TEST(Guarded, DivisionFaultsAreToldApart)
{
    EXPECT_EQ(ErrorOf([] { return Guarded(1) / 0.0; }), "Division by zero");
    EXPECT_EQ(ErrorOf([] { return Guarded(-3) / 0.0; }), "Division by zero");
    EXPECT_EQ(ErrorOf([] { return Guarded(0) / 0.0; }), "Overflow");
    EXPECT_EQ(ErrorOf([] { return Guarded(0) / -0.0; }), "Overflow");
}

TEST(Guarded, ResultsBeyondTheDoubleRangeOverflow)
{
    const double big = std::numeric_limits<double>::max();
    EXPECT_EQ(ErrorOf([&] { return Guarded(big) * 2; }), "Overflow");
    EXPECT_EQ(ErrorOf([&] { return Guarded(big) + big; }), "Overflow");
    EXPECT_EQ(ErrorOf([&] { return Guarded(-big) - big; }), "Overflow");
    EXPECT_EQ(ErrorOf([&] { return Guarded(1e300) / 1e-300; }), "Overflow");
    EXPECT_EQ(ErrorOf([] { return orbit::Pow(1e100, 7); }), "Overflow");
    EXPECT_EQ(ErrorOf([] { return orbit::Pow(-2, 1.5); }), "Overflow");
    EXPECT_EQ(ErrorOf([] { return orbit::Pow(0, -3.5); }), "Division by zero");
}

TEST(Guarded, KeepsLeftToRightOrderOfPlainDoubles)
{
    // The same expression with plain doubles must give the same bits: the
    // wrapper adds checks, never a different rounding.
    const double S = 631.348715;
    const Guarded g = Guarded(S) * 3 * 0.00108264 * 6378.145 * 6378.145 / 2;
    EXPECT_EQ(g.value(), S * 3 * 0.00108264 * 6378.145 * 6378.145 / 2);
    EXPECT_EQ(orbit::Pow(-2, 7).value(), -128.0);
}

}  // namespace

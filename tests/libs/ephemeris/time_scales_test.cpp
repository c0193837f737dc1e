// UTC, TAI and TT against the published offsets, and seconds counted across
// leap seconds.

#include "ephemeris/instant.h"

#include "tests/support/error_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orbit::ephemeris {
namespace {

double TaiMinusUtcSeconds(const char* iso)
{
    const Instant t = ParseIsoUtc(iso);
    const JulianDate tai = t.Tai(), utc = t.Utc();
    return ((tai.jd1 - utc.jd1) + (tai.jd2 - utc.jd2)) * 86400.0;
}

// TAI - UTC from the IERS Bulletin C history: 10 s from 1972-01-01, 32 s from
// 1999-01-01, 37 s since 2017-01-01. (Read at midnight: within a day that ends
// with a leap second ERFA's quasi Julian date of UTC is stretched.)
TEST(TimeScales, TaiMinusUtcFollowsTheLeapSecondTable)
{
    EXPECT_NEAR(TaiMinusUtcSeconds("1972-01-01T00:00Z"), 10, 1e-6);
    EXPECT_NEAR(TaiMinusUtcSeconds("1999-01-01T00:00Z"), 32, 1e-6);
    EXPECT_NEAR(TaiMinusUtcSeconds("2016-12-31T00:00Z"), 36, 1e-6);
    EXPECT_NEAR(TaiMinusUtcSeconds("2017-01-01T00:00Z"), 37, 1e-6);
    EXPECT_NEAR(TaiMinusUtcSeconds("2027-03-21T00:00Z"), 37, 1e-6);
}

TEST(TimeScales, TtIsTaiPlus32Point184Seconds)
{
    const Instant t = ParseIsoUtc("2027-03-21T00:00Z");
    const JulianDate tt = t.Tt(), tai = t.Tai();
    EXPECT_NEAR(((tt.jd1 - tai.jd1) + (tt.jd2 - tai.jd2)) * 86400.0, 32.184, 1e-6);
}

TEST(TimeScales, SecondsCountTheLeapSecond)
{
    const Instant before = ParseIsoUtc("2016-12-31T23:59:59Z");
    const Instant leap = ParseIsoUtc("2016-12-31T23:59:60Z");
    const Instant after = ParseIsoUtc("2017-01-01T00:00:00Z");
    EXPECT_NEAR(leap.SecondsSince(before), 1, 1e-6);
    EXPECT_NEAR(after.SecondsSince(before), 2, 1e-6);  // the minute had 61 seconds
    EXPECT_NEAR(ParseIsoUtc("2017-12-31T23:59:59Z").SecondsSince(ParseIsoUtc("2016-12-31T23:59:59Z")),
                365 * 86400.0 + 1, 1e-5);
    EXPECT_EQ(before.PlusSeconds(1).IsoUtc(0), "2016-12-31T23:59:60Z");
    EXPECT_EQ(before.PlusSeconds(2).IsoUtc(0), "2017-01-01T00:00:00Z");
}

TEST(TimeScales, LongStepsKeepMillisecondPrecision)
{
    const Instant epoch = ParseIsoUtc("2027-03-21T00:00Z");
    // Ten years in one step and in 3653 steps of a day land on the same instant.
    Instant stepped = epoch;
    for (int day = 0; day < 3653; ++day) stepped = stepped.PlusSeconds(86400.0);
    const Instant jumped = epoch.PlusSeconds(3653 * 86400.0);
    EXPECT_NEAR(stepped.SecondsSince(jumped), 0, 1e-6);
    EXPECT_NEAR(jumped.SecondsSince(epoch), 3653 * 86400.0, 1e-6);
    EXPECT_NEAR(epoch.PlusSeconds(0.001).SecondsSince(epoch), 0.001, 1e-9);
    EXPECT_NEAR(epoch.PlusSeconds(-86400.5).SecondsSince(epoch), -86400.5, 1e-9);
}

// MJD 51544.5 is 2000-01-01 12:00 (J2000's UTC date, the MJD's definition).
TEST(TimeScales, ModifiedJulianDateAndDayFraction)
{
    EXPECT_NEAR(ParseIsoUtc("2000-01-01T12:00Z").MjdUtc(), 51544.5, 1e-9);
    EXPECT_NEAR(ParseIsoUtc("2027-03-21T00:00Z").MjdUtc(), 61485.0, 1e-9);
    EXPECT_NEAR(ParseIsoUtc("2027-03-21T18:00Z").Ut1DayFraction(), 0.75, 1e-10);
    EXPECT_NEAR(ParseIsoUtc("2027-03-21T00:00Z").Ut1DayFraction(), 0.0, 1e-10);
}

TEST(TimeScales, FromUtcRefusesWhatNamesNoInstant)
{
    EXPECT_EQ(ErrorKindOf([] { Instant::FromUtc({2027, 2, 30, 0, 0, 0}); }), ErrorKind::Usage);
    EXPECT_EQ(ErrorKindOf([] { Instant::FromUtc({2027, 1, 1, 0, 0, -1}); }), ErrorKind::Usage);
    EXPECT_EQ(ErrorKindOf([] { Instant::FromUtc({2027, 1, 1, 0, 0, std::nan("")}); }), ErrorKind::Usage);
    EXPECT_EQ(ErrorKindOf([] { Instant::FromUtc({1959, 1, 1, 0, 0, 0}); }), ErrorKind::Usage);
    EXPECT_TRUE(IsLeapSecondDay(2016, 12, 31));
    EXPECT_TRUE(IsLeapSecondDay(1972, 6, 30));
    EXPECT_FALSE(IsLeapSecondDay(2027, 6, 30));
}

}  // namespace
}  // namespace orbit::ephemeris

// The instant and local-time texts: every accepted form, every refusal with
// its reason, and the written form read back.

#include "ephemeris/instant.h"
#include "ephemeris/orbit_node.h"

#include "tests/support/error_text.h"
#include "tests/support/test_names.h"

#include <gtest/gtest.h>

namespace orbit::ephemeris {
namespace {

struct GoodInstant {
    const char* text;
    int year, month, day, hour, minute;
    double second;
};

TEST(IsoUtcText, AcceptedFormsGiveTheirCalendar)
{
    const GoodInstant cases[] = {
        {"2027-03-21T00:00Z", 2027, 3, 21, 0, 0, 0},
        {"2027-03-21T10:30:15Z", 2027, 3, 21, 10, 30, 15},
        {"2027-03-21T10:30:15.25Z", 2027, 3, 21, 10, 30, 15.25},
        {"2024-02-29T23:59:59.5Z", 2024, 2, 29, 23, 59, 59.5},
        {"2016-12-31T23:59:60Z", 2016, 12, 31, 23, 59, 60},   // the last leap second so far
        {"2016-12-31T23:59:60.75Z", 2016, 12, 31, 23, 59, 60.75},
        {"1960-01-01T00:00Z", 1960, 1, 1, 0, 0, 0},
        {"2100-12-31T23:59Z", 2100, 12, 31, 23, 59, 0},
        {"2000-02-29T12:00Z", 2000, 2, 29, 12, 0, 0},  // 2000 divides by 400: a leap year
    };
    for (const GoodInstant& c : cases) {
        SCOPED_TRACE(c.text);
        const UtcCalendar cal = ParseIsoUtc(c.text).Calendar();
        EXPECT_EQ(cal.year, c.year);
        EXPECT_EQ(cal.month, c.month);
        EXPECT_EQ(cal.day, c.day);
        EXPECT_EQ(cal.hour, c.hour);
        EXPECT_EQ(cal.minute, c.minute);
        EXPECT_NEAR(cal.second, c.second, 1e-5);
    }
}

struct BadText {
    const char* what;
    const char* text;
    const char* reasonWord;  // a word the reason must contain
};

class IsoUtcRefused : public ::testing::TestWithParam<BadText> {};

TEST_P(IsoUtcRefused, WithItsReason)
{
    const std::string error = ErrorOf([] { ParseIsoUtc(GetParam().text); });
    EXPECT_NE(error.find(GetParam().reasonWord), std::string::npos) << error;
    EXPECT_EQ(ErrorKindOf([] { ParseIsoUtc(GetParam().text); }), ErrorKind::Usage);
}

const BadText kBadInstants[] = {
    {"no Z", "2027-03-21T00:00", "no Z"},
    {"lower-case z", "2027-03-21T00:00z", "no Z"},
    {"time zone offset", "2027-03-21T00:00+01:00", "no Z"},
    {"February 30", "2027-02-30T00:00Z", "2027-02-30 is not a date"},
    {"February 29 of a common year", "2027-02-29T00:00Z", "is not a date"},
    {"2100 is no leap year", "2100-02-29T00:00Z", "is not a date"},
    {"month 13", "2027-13-01T00:00Z", "is not a date"},
    {"day 0", "2027-01-00T00:00Z", "is not a date"},
    {"hour 24", "2027-03-21T24:00Z", "hour"},
    {"minute 60", "2027-03-21T10:60Z", "minute"},
    {"leap second on a day without one", "2027-06-30T23:59:60Z", "not a leap second"},
    {"leap second at noon of a leap-second day", "2016-12-31T12:00:60Z", "not a leap second"},
    {"second 61", "2016-12-31T23:59:61Z", "second"},
    {"year 1959", "1959-12-31T23:59Z", "outside 1960 to 2100"},
    {"year 2101", "2101-01-01T00:00Z", "outside 1960 to 2100"},
    {"space for T", "2027-03-21 00:00Z", "is not YYYY"},
    {"no minutes", "2027-03-21T10Z", "is not YYYY"},
    {"one-digit month", "2027-3-21T00:00Z", "is not YYYY"},
    {"point without digits", "2027-03-21T00:00:00.Z", "is not YYYY"},
    {"one-digit second", "2027-03-21T00:00:5Z", "is not YYYY"},
    {"empty", "", "no Z"},
    {"a word", "tomorrowZ", "is not YYYY"},
};

INSTANTIATE_TEST_SUITE_P(EveryBadForm, IsoUtcRefused, ::testing::ValuesIn(kBadInstants),
                         [](const ::testing::TestParamInfo<BadText>& p) { return test_names::FromDescription(p.param.what); });

// So many nines that the double rounds them to 60 are still a second
// before midnight, not a leap second on a day without one.
TEST(IsoUtcText, NinesNeverRoundIntoALeapSecond)
{
    const Instant t = ParseIsoUtc("2027-06-30T23:59:59.99999999999999999999Z");
    EXPECT_NEAR(ParseIsoUtc("2027-07-01T00:00Z").SecondsSince(t), 0, 1e-6);
}

TEST(IsoUtcText, WrittenFormReadsBackToTheSameInstant)
{
    for (const char* text : {"2027-03-21T10:30:15.125Z", "2016-12-31T23:59:60.500Z", "1972-06-30T23:59:60.000Z",
                             "1965-07-04T06:07:08.900Z", "2099-12-31T23:59:59.999Z"}) {
        const Instant t = ParseIsoUtc(text);
        EXPECT_EQ(t.IsoUtc(3), text);
        EXPECT_NEAR(ParseIsoUtc(t.IsoUtc(3)).SecondsSince(t), 0, 1e-6) << text;
    }
    EXPECT_EQ(ParseIsoUtc("2027-03-21T10:30:15.6Z").IsoUtc(0), "2027-03-21T10:30:16Z");  // rounded
    EXPECT_EQ(ParseIsoUtc("2027-12-31T23:59:59.9996Z").IsoUtc(3), "2028-01-01T00:00:00.000Z");
}

struct GoodLocalTime {
    const char* text;
    double hours;
};

TEST(LocalTimeText, AcceptedForms)
{
    const GoodLocalTime cases[] = {{"10:30", 10.5}, {"22:30", 22.5}, {"06:00", 6},      {"6:00", 6},
                                   {"00:00", 0},    {"23:59:59", 23 + 59 / 60.0 + 59 / 3600.0},
                                   {"18:00:36", 18.01}};
    for (const GoodLocalTime& c : cases) EXPECT_NEAR(ParseLocalTimeHours(c.text), c.hours, 1e-12) << c.text;
}

class LocalTimeRefused : public ::testing::TestWithParam<BadText> {};

TEST_P(LocalTimeRefused, WithItsReason)
{
    const std::string error = ErrorOf([] { ParseLocalTimeHours(GetParam().text); });
    EXPECT_NE(error.find(GetParam().reasonWord), std::string::npos) << error;
    EXPECT_EQ(ErrorKindOf([] { ParseLocalTimeHours(GetParam().text); }), ErrorKind::Usage);
}

const BadText kBadLocalTimes[] = {
    {"hour 24", "24:00", "outside 0 to 23"},   {"hour 25", "25:10", "outside 0 to 23"},
    {"minute 60", "10:60", "minutes"},         {"second 60", "10:30:60", "seconds"},
    {"decimal hours", "10.5", "is not a time"}, {"no minutes", "10", "is not a time"},
    {"one-digit minute", "10:3", "is not a time"}, {"negative", "-1:00", "is not a time"},
    {"trailing text", "10:30h", "is not a time"}, {"empty", "", "is not a time"},
    {"three fields and more", "10:30:00:00", "is not a time"},
};

INSTANTIATE_TEST_SUITE_P(EveryBadForm, LocalTimeRefused, ::testing::ValuesIn(kBadLocalTimes),
                         [](const ::testing::TestParamInfo<BadText>& p) { return test_names::FromDescription(p.param.what); });

}  // namespace
}  // namespace orbit::ephemeris

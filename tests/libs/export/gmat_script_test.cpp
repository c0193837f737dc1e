// The GMAT script read back statement by statement, as GMAT's own parser
// sees it: each resource created before it is set, each field set once, the
// state and the field as given, and the propagation over the span.

#include "export/gmat_script.h"

#include "core/orbit_error.h"
#include "tests/libs/export/two_body_orbit.h"
#include "tests/support/test_names.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace orbit::exports {
namespace {

struct Script {
    std::map<std::string, std::string> createdAs;  // resource name -> type
    std::map<std::string, std::string> fields;     // "Name.Field" -> value
    std::vector<std::string> commands;             // after BeginMissionSequence
    std::vector<std::string> comments;
};

// Splits the script into statements; fails the test on anything GMAT would not take.
Script ReadScript(const std::string& text)
{
    Script s;
    std::istringstream in(text);
    bool mission = false;
    static const std::regex create(R"(Create (\w+) ([A-Za-z]\w*);)");
    static const std::regex assign(R"(([A-Za-z]\w*)\.([\w.]+) = (.+);)");
    for (std::string line; std::getline(in, line);) {
        if (line.empty())
            continue;
        if (line[0] == '%') {
            s.comments.push_back(line);
            continue;
        }
        std::smatch m;
        if (line == "BeginMissionSequence;") {
            mission = true;
        } else if (mission) {
            s.commands.push_back(line);
        } else if (std::regex_match(line, m, create)) {
            EXPECT_TRUE(s.createdAs.emplace(m[2], m[1]).second) << "created twice: " << line;
        } else if (std::regex_match(line, m, assign)) {
            EXPECT_TRUE(s.createdAs.count(m[1])) << "set before it is created: " << line;
            EXPECT_TRUE(s.fields.emplace(m[1].str() + '.' + m[2].str(), m[3]).second) << "set twice: " << line;
        } else {
            ADD_FAILURE() << "not a GMAT statement: " << line;
        }
    }
    EXPECT_TRUE(mission) << "no BeginMissionSequence";
    return s;
}

GmatContent SentinelScript()
{
    GmatContent c;
    c.spacecraftName = "Sentinel-2 like";
    c.epochUtc = "2027-03-21T10:30:15.250Z";
    c.state = testing::StateOnEllipse({7167.0, 0.0011, 98.6, 150, 90, 0}, 0);
    c.zonalDegree = 6;
    c.spanS = 864000;
    c.comments = {"Design: N 14, M 3, Q 10, sun-synchronous"};
    return c;
}

TEST(GmatScriptReadBack, FliesTheGivenStateFromTheEpoch)
{
    const GmatContent c = SentinelScript();
    const Script s = ReadScript(WriteGmatScript(c));
    EXPECT_EQ(s.createdAs.at("Sentinel_2_like"), "Spacecraft");
    EXPECT_EQ(s.fields.at("Sentinel_2_like.DateFormat"), "UTCGregorian");
    EXPECT_EQ(s.fields.at("Sentinel_2_like.Epoch"), "'21 Mar 2027 10:30:15.250'");
    EXPECT_EQ(s.fields.at("Sentinel_2_like.CoordinateSystem"), "EarthMJ2000Eq");
    const char* position[] = {"X", "Y", "Z"};
    const char* velocity[] = {"VX", "VY", "VZ"};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(std::stod(s.fields.at(std::string("Sentinel_2_like.") + position[k])), c.state.positionKm[k], 1e-9);
        EXPECT_NEAR(std::stod(s.fields.at(std::string("Sentinel_2_like.") + velocity[k])), c.state.velocityKmS[k], 1e-12);
    }
}

TEST(GmatScriptReadBack, HasTheZonalFieldAndThePropagationOverTheSpan)
{
    const Script s = ReadScript(WriteGmatScript(SentinelScript()));
    const std::string fm = "Sentinel_2_like_ForceModel", prop = "Sentinel_2_like_Propagator";
    EXPECT_EQ(s.createdAs.at(fm), "ForceModel");
    EXPECT_EQ(s.createdAs.at(prop), "Propagator");
    EXPECT_EQ(s.fields.at(fm + ".GravityField.Earth.Degree"), "6");
    EXPECT_EQ(s.fields.at(fm + ".GravityField.Earth.Order"), "0");
    EXPECT_EQ(s.fields.at(fm + ".GravityField.Earth.PotentialFile"), "'EGM96.cof'");
    EXPECT_EQ(s.fields.at(prop + ".FM"), fm);
    ASSERT_EQ(s.commands.size(), 1u);
    EXPECT_EQ(s.commands[0], "Propagate " + prop + "(Sentinel_2_like) {Sentinel_2_like.ElapsedSecs = 864000.000000};");
    bool saysEgm96 = false;
    for (const std::string& comment : s.comments)
        saysEgm96 = saysEgm96 || (comment.find("EGM96") != std::string::npos && comment.find("EGM2008") != std::string::npos);
    EXPECT_TRUE(saysEgm96) << "no comment says GMAT's EGM96 stands in for EGM2008";
}

TEST(GmatScriptWriter, RefusesWhatGmatCouldNotRun)
{
    GmatContent degree = SentinelScript();
    degree.zonalDegree = 1;
    EXPECT_THROW(WriteGmatScript(degree), OrbitError);
    GmatContent span = SentinelScript();
    span.spanS = 0;
    EXPECT_THROW(WriteGmatScript(span), OrbitError);
    GmatContent comment = SentinelScript();
    comment.comments = {"one\nCreate Spacecraft Intruder;"};
    EXPECT_THROW(WriteGmatScript(comment), OrbitError);
}

struct TextCase {
    const char* description;
    const char* given;
    const char* expected;
};

class GmatGregorianDates : public ::testing::TestWithParam<TextCase> {};
TEST_P(GmatGregorianDates, AreWrittenDayMonthYear) { EXPECT_EQ(GmatGregorian(GetParam().given), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(
    Times, GmatGregorianDates,
    ::testing::Values(TextCase{"spring equinox midnight", "2027-03-21T00:00:00.000Z", "21 Mar 2027 00:00:00.000"},
                      TextCase{"December afternoon", "2030-12-05T17:45:09.125Z", "05 Dec 2030 17:45:09.125"},
                      TextCase{"leap second", "2016-12-31T23:59:60.500Z", "31 Dec 2016 23:59:60.500"},
                      TextCase{"whole seconds", "2027-01-02T03:04:05Z", "02 Jan 2027 03:04:05.000"}),
    [](const auto& param) { return test_names::FromDescription(param.param.description); });

class GmatNames : public ::testing::TestWithParam<TextCase> {};
TEST_P(GmatNames, AreIdentifiers) { EXPECT_EQ(GmatName(GetParam().given), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(
    Names, GmatNames,
    ::testing::Values(TextCase{"plain", "RepeatOrbit", "RepeatOrbit"},
                      TextCase{"hyphen and blank", "Sentinel-2 A", "Sentinel_2_A"},
                      TextCase{"leading digit", "2027-001A", "SC_2027_001A"},
                      TextCase{"empty", "", "SC_"},
                      TextCase{"accented", "\xc3\x89toile", "SC___toile"}),
    [](const auto& param) { return test_names::FromDescription(param.param.description); });

}  // namespace
}  // namespace orbit::exports

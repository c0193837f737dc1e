// The three orbit data messages, each read back by the tests' strict reader
// and compared with what was written into it.

#include "export/ccsds_messages.h"

#include "core/orbit_error.h"
#include "sgp4/tle.h"
#include "tests/libs/export/ccsds_reader.h"
#include "tests/libs/export/lagrange.h"
#include "tests/libs/export/test_clock.h"
#include "tests/libs/export/two_body_orbit.h"
#include "tests/support/test_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <regex>
#include <string_view>

namespace orbit::exports {
namespace {

using namespace testing;

const Ellipse kSentinelLike{7167.0, 0.0011, 98.6, 150, 90, 0};

MessageHeader Header()
{
    MessageHeader h;
    h.creationDateUtc = "2026-12-09T06:00:00Z";
    h.objectName = "SENTINEL-LIKE";
    h.objectId = "2027-001A";
    return h;
}

OpmContent SentinelOpm()
{
    OpmContent c;
    c.header = Header();
    c.state = StateOnEllipse(kSentinelLike, 0);
    c.epochUtc = "2027-03-21T00:00:00.000000Z";
    c.gmKm3S2 = kSentinelLike.gmKm3S2;
    c.stateComments = {"Design: N 14, M 3, Q 10, sun-synchronous", "Model: zonal field J2..J6"};
    return c;
}

TEST(OpmReadBack, HoldsTheStateItWasGiven)
{
    const OpmContent c = SentinelOpm();
    const KvnMessage opm = ReadOpm(WriteOpm(c));
    EXPECT_EQ(opm.Text("CCSDS_OPM_VERS"), "3.0");
    EXPECT_EQ(opm.Text("CENTER_NAME"), "EARTH");
    EXPECT_EQ(opm.Text("REF_FRAME"), "EME2000");
    EXPECT_EQ(opm.Text("TIME_SYSTEM"), "UTC");
    EXPECT_EQ(opm.Text("OBJECT_NAME"), "SENTINEL-LIKE");
    EXPECT_EQ(opm.Text("OBJECT_ID"), "2027-001A");
    EXPECT_EQ(SecondsBetween(opm.Text("EPOCH"), "2027-03-21T00:00:00"), 0);
    const char* keys[] = {"X", "Y", "Z", "X_DOT", "Y_DOT", "Z_DOT"};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(opm.Number(keys[k]), c.state.positionKm[k], 1e-9) << keys[k];
        EXPECT_NEAR(opm.Number(keys[k + 3]), c.state.velocityKmS[k], 1e-12) << keys[k + 3];
    }
    EXPECT_EQ(opm.comments.at("state"), c.stateComments);
}

TEST(OpmReadBack, HoldsTheEllipseOfItsState)
{
    const KvnMessage opm = ReadOpm(WriteOpm(SentinelOpm()));
    EXPECT_NEAR(opm.Number("SEMI_MAJOR_AXIS"), kSentinelLike.aKm, 1e-6);
    EXPECT_NEAR(opm.Number("ECCENTRICITY"), kSentinelLike.e, 1e-10);
    EXPECT_NEAR(opm.Number("INCLINATION"), kSentinelLike.iDeg, 1e-9);
    EXPECT_NEAR(opm.Number("RA_OF_ASC_NODE"), kSentinelLike.raanDeg, 1e-9);
    EXPECT_NEAR(opm.Number("ARG_OF_PERICENTER"), kSentinelLike.argpDeg, 1e-6);
    // At the pericentre the true anomaly is 0 (or just under 360).
    EXPECT_LT(std::fabs(std::remainder(opm.Number("TRUE_ANOMALY"), 360.0)), 1e-6);
    EXPECT_EQ(opm.Number("GM"), kSentinelLike.gmKm3S2);
}

TEST(OpmWriter, KeepsAnAngleJustUnder360BelowItInItsDigits)
{
    // An anomaly of 360 - 1e-11 degrees rounds to 360 in ten decimals; the
    // message must say 0 instead, an angle in [0, 360).
    OpmContent c = SentinelOpm();
    c.state = StateOnEllipse({7167.0, 0.0011, 98.6, 150, 90, 360 - 1e-11}, 0);
    const KvnMessage opm = ReadOpm(WriteOpm(c));
    for (const char* angle : {"RA_OF_ASC_NODE", "ARG_OF_PERICENTER", "TRUE_ANOMALY"}) {
        EXPECT_GE(opm.Number(angle), 0) << angle;
        EXPECT_LT(opm.Number(angle), 360) << angle;
    }
    EXPECT_LT(std::fabs(std::remainder(opm.Number("TRUE_ANOMALY"), 360.0)), 1e-9);
}

TEST(OpmWriter, RefusesWhatWouldCorruptTheMessage)
{
    OpmContent comment = SentinelOpm();
    comment.stateComments.push_back("two\nlines");
    EXPECT_THROW(WriteOpm(comment), OrbitError);
    OpmContent name = SentinelOpm();
    name.header.objectName = "A\rB";
    EXPECT_THROW(WriteOpm(name), OrbitError);
    OpmContent empty = SentinelOpm();
    empty.header.objectName.clear();
    EXPECT_THROW(WriteOpm(empty), OrbitError);
    OpmContent nan = SentinelOpm();
    nan.state.positionKm[2] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(WriteOpm(nan), OrbitError);
}

// The reader must refuse what the standard refuses, or the read-back tests
// prove nothing: each case spoils one line of a good message.
struct SpoiledCase {
    const char* description;
    const char* find;
    const char* replace;
};

class OpmReaderRefuses : public ::testing::TestWithParam<SpoiledCase> {};

TEST_P(OpmReaderRefuses, TheSpoiledMessage)
{
    const std::string good = WriteOpm(SentinelOpm());
    ASSERT_NO_THROW(ReadOpm(good));
    const std::string spoiled = std::regex_replace(good, std::regex(GetParam().find), GetParam().replace,
                                                   std::regex_constants::format_first_only);
    ASSERT_NE(spoiled, good);
    EXPECT_THROW(ReadOpm(spoiled), KvnFormatError);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, OpmReaderRefuses,
    ::testing::Values(SpoiledCase{"a missing mandatory keyword", "CENTER_NAME[^\n]*\n", ""},
                      SpoiledCase{"a comment inside the state vector", "(Y_DOT)", "COMMENT late\n$1"},
                      SpoiledCase{"a comment inside the metadata", "(OBJECT_ID)", "COMMENT late\n$1"},
                      SpoiledCase{"a wrong unit", "\\[km/s\\]", "[m/s]"},
                      SpoiledCase{"a number with a comma", "(X +=) (-?[0-9]+)\\.", "$1 $2,"},
                      SpoiledCase{"keywords out of order", "(REF_FRAME[^\n]*\n)(TIME_SYSTEM[^\n]*\n)", "$2$1"},
                      SpoiledCase{"an unknown keyword", "(GM)", "MASS = 1000 [kg]\n$1"},
                      SpoiledCase{"a time without seconds", "(EPOCH +=) ([0-9-]+T[0-9]+:[0-9]+):[0-9.]+", "$1 $2"},
                      SpoiledCase{"a repeated keyword", "(X_DOT[^\n]*\n)", "$1$1"}),
    [](const auto& param) { return test_names::FromDescription(param.param.description); });

OmmContent FittedOmm()
{
    OmmContent c;
    c.header = Header();
    c.elements.epochYear = 2027;
    c.elements.epochDayOfYear = 80.0;  // 21 March, 0h
    c.elements.meanMotionRevDay = 14.30832148;
    c.elements.eccentricity = 0.0011234;
    c.elements.inclinationDeg = 98.5678;
    c.elements.raanDeg = 150.0123;
    c.elements.argumentOfPerigeeDeg = 89.9876;
    c.elements.meanAnomalyDeg = 270.5432;
    c.elements.catalogNumber = 99999;
    c.elementComments = {"J2 mean elements of the design: a 7167.0 km, i 98.6 deg"};
    return c;
}

TEST(OmmReadBack, HoldsTheSgp4ElementsAndTheTleParameters)
{
    const OmmContent c = FittedOmm();
    const KvnMessage omm = ReadOmm(WriteOmm(c));
    EXPECT_EQ(omm.Text("CCSDS_OMM_VERS"), "3.0");
    EXPECT_EQ(omm.Text("REF_FRAME"), "TEME");
    EXPECT_EQ(omm.Text("MEAN_ELEMENT_THEORY"), "SGP4");
    EXPECT_EQ(omm.Text("TIME_SYSTEM"), "UTC");
    EXPECT_EQ(omm.Text("EPOCH"), "2027-03-21T00:00:00.000000");
    EXPECT_EQ(omm.Number("MEAN_MOTION"), c.elements.meanMotionRevDay);
    EXPECT_EQ(omm.Number("ECCENTRICITY"), c.elements.eccentricity);
    EXPECT_EQ(omm.Number("INCLINATION"), c.elements.inclinationDeg);
    EXPECT_EQ(omm.Number("RA_OF_ASC_NODE"), c.elements.raanDeg);
    EXPECT_EQ(omm.Number("ARG_OF_PERICENTER"), c.elements.argumentOfPerigeeDeg);
    EXPECT_EQ(omm.Number("MEAN_ANOMALY"), c.elements.meanAnomalyDeg);
    EXPECT_EQ(omm.Number("NORAD_CAT_ID"), 99999);
    EXPECT_EQ(omm.Number("EPHEMERIS_TYPE"), 0);
    EXPECT_EQ(omm.Text("CLASSIFICATION_TYPE"), "U");
    EXPECT_EQ(omm.Number("BSTAR"), 0);
    EXPECT_EQ(omm.Number("MEAN_MOTION_DOT"), 0);
    EXPECT_EQ(omm.comments.at("mean_elements"), c.elementComments);
}

// The OMM and the TLE of the same elements take the same catalogue numbers:
// five digits and alpha-5 alike, the OMM writing the plain integer.
struct CatalogueCase {
    const char* name;
    int number;
    bool accepted;
};

class CatalogueNumberRange : public ::testing::TestWithParam<CatalogueCase> {};

TEST_P(CatalogueNumberRange, TheOmmAndTheTleAgree)
{
    OmmContent c = FittedOmm();
    c.elements.catalogNumber = GetParam().number;
    if (GetParam().accepted) {
        EXPECT_EQ(ReadOmm(WriteOmm(c)).Number("NORAD_CAT_ID"), GetParam().number);
        const sgp4::TleLines tle = sgp4::FormatTle(c.elements);
        EXPECT_EQ(sgp4::ParseTle(tle.line1, tle.line2).catalogNumber, GetParam().number);
    } else {
        EXPECT_THROW(WriteOmm(c), OrbitError);
        EXPECT_THROW(sgp4::FormatTle(c.elements), OrbitError);
    }
}

INSTANTIATE_TEST_SUITE_P(OmmWriter, CatalogueNumberRange,
                         ::testing::Values(CatalogueCase{"LastFiveDigitNumber", 99999, true},
                                CatalogueCase{"FirstAlphaFiveNumber", 100000, true},
                                CatalogueCase{"LastAlphaFiveNumber", 339999, true},
                                CatalogueCase{"BeyondAlphaFive", 340000, false},
                                CatalogueCase{"Negative", -1, false}),
                         [](const auto& param) { return std::string(param.param.name); });

// A day of a Sentinel-like orbit every 60 s, as the OEM of an export holds it.
OemContent DayOfEphemeris(double stepS)
{
    OemContent c;
    c.header = Header();
    c.utc = TestClock("2027-03-21T00:00:00Z");
    for (double t = 0; t <= 86400; t += stepS)
        c.states.push_back(StateOnEllipse(kSentinelLike, t));
    c.dataComments = {"Propagated under the zonal field"};
    return c;
}

TEST(OemReadBack, HoldsEveryStateAndItsSpan)
{
    const OemContent c = DayOfEphemeris(60);
    const KvnMessage oem = ReadOem(WriteOem(c));
    EXPECT_EQ(oem.Text("CCSDS_OEM_VERS"), "3.0");
    EXPECT_EQ(oem.Text("REF_FRAME"), "EME2000");
    EXPECT_EQ(oem.Text("INTERPOLATION"), "LAGRANGE");
    EXPECT_EQ(oem.Number("INTERPOLATION_DEGREE"), 7);
    EXPECT_EQ(SecondsBetween("2027-03-21T00:00:00", oem.Text("START_TIME")), 0);
    EXPECT_EQ(SecondsBetween("2027-03-22T00:00:00", oem.Text("STOP_TIME")), 0);
    ASSERT_EQ(oem.records.size(), c.states.size());
    for (std::size_t k = 0; k < c.states.size(); k += 97) {
        EXPECT_NEAR(oem.records[k].secondsSinceStart, c.states[k].secondsAfterEpoch, 1e-6);
        for (std::size_t j = 0; j < 3; ++j) {
            EXPECT_NEAR(oem.records[k].values[j], c.states[k].positionKm[j], 1e-6);
            EXPECT_NEAR(oem.records[k].values[j + 3], c.states[k].velocityKmS[j], 1e-9);
        }
    }
    EXPECT_EQ(oem.records.front().time, oem.Text("START_TIME"));
    EXPECT_EQ(oem.records.back().time, oem.Text("STOP_TIME"));
    EXPECT_EQ(oem.comments.at("data"), c.dataComments);
}

TEST(OemInterpolation, AtItsStatedDegreeFindsTheOrbitBetweenRecords)
{
    // Halfway between records, where interpolation strays most.
    const KvnMessage oem = ReadOem(WriteOem(DayOfEphemeris(60)));
    const int degree = static_cast<int>(oem.Number("INTERPOLATION_DEGREE"));
    double worstKm = 0;
    for (double t = 30; t < 86400; t += 60) {
        const auto interpolated = Interpolate(oem.records, degree, t);
        const CartesianState truth = StateOnEllipse(kSentinelLike, t);
        worstKm = std::max(worstKm, std::hypot(interpolated[0] - truth.positionKm[0],
                                               interpolated[1] - truth.positionKm[1],
                                               interpolated[2] - truth.positionKm[2]));
    }
    EXPECT_LT(worstKm, 0.010);
}

TEST(OemWriter, RefusesStatesOutOfTimeOrder)
{
    OemContent c = DayOfEphemeris(600);
    std::swap(c.states[3], c.states[4]);
    EXPECT_THROW(WriteOem(c), OrbitError);
    OemContent tooFew = DayOfEphemeris(600);
    tooFew.states.resize(5);
    EXPECT_THROW(WriteOem(tooFew), OrbitError);
}

// The ephemeris as it is propagated: the same bytes as the whole message,
// handed on a line at a time, and a series that ends short of its stop
// time, or starts late, refused.
TEST(OemStreamWriter, WritesTheWholeMessagesBytesLineByLine)
{
    const OemContent c = DayOfEphemeris(60);
    const OemStream stream{c.header, 0, 86400, c.utc, 7, c.dataComments};
    const auto statesFrom = [](std::vector<CartesianState> states) {
        return [states](const std::function<void(const CartesianState&)>& each) {
            for (const CartesianState& s : states)
                each(s);
        };
    };
    std::string text;
    std::size_t pieces = 0, longest = 0;
    WriteOem(stream, statesFrom(c.states), [&](std::string_view piece) {
        text.append(piece);
        ++pieces;
        longest = std::max(longest, piece.size());
    });
    EXPECT_EQ(text, WriteOem(c));
    EXPECT_EQ(pieces, c.states.size() + 1);  // the head, then one line per state
    EXPECT_LT(longest, 4096u);

    const auto refused = [&](std::vector<CartesianState> states, double startS, double stopS) {
        const OemStream other{c.header, startS, stopS, c.utc, 7, c.dataComments};
        try {
            WriteOem(other, statesFrom(std::move(states)), [](std::string_view) {});
        } catch (const OrbitError&) {
            return true;
        }
        return false;
    };
    std::vector<CartesianState> shortOfStop = c.states;
    shortOfStop.pop_back();
    EXPECT_TRUE(refused(shortOfStop, 0, 86400));
    EXPECT_TRUE(refused(c.states, 60, 86400));
    EXPECT_TRUE(refused({c.states.begin(), c.states.begin() + 7}, 0, 360));  // seven states for degree 7
    EXPECT_FALSE(refused(c.states, 0, 86400));
}

TEST(OemReader, RefusesACommentAmongTheRecords)
{
    std::string oem = WriteOem(DayOfEphemeris(600));
    oem.insert(oem.rfind("2027-03-21T23"), "COMMENT late\n");
    EXPECT_THROW(ReadOem(oem), KvnFormatError);
}

}  // namespace
}  // namespace orbit::exports

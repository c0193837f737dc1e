// One design from typed texts: the window's result texts, what a failure
// leaves, the warnings, and the JSON object of `repeat-orbit design --json`.

#include "cli/design_output.h"
#include "cli/design_run.h"
#include "cli/design_warnings.h"
#include "core/repbas.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace orbit::cli {
namespace {

DesignRequest Request(std::string n, std::string m, std::string q, OrbitType type, std::string degrees = "0",
                      std::string tenths = "0")
{
    return {std::move(n), std::move(m), std::move(q), type, std::move(degrees), std::move(tenths)};
}

DesignRequest SunSync(std::string n, std::string m, std::string q)
{
    return Request(std::move(n), std::move(m), std::move(q), OrbitType::SunSynchronous);
}

DesignRequest Inclined(std::string n, std::string m, std::string q, std::string degrees, std::string tenths = "0")
{
    return Request(std::move(n), std::move(m), std::move(q), OrbitType::ChooseInclination, std::move(degrees),
                   std::move(tenths));
}

std::map<std::string, std::string> FieldTexts(const DesignRun& run)
{
    std::map<std::string, std::string> texts;
    for (const ShownField& field : YieldedFields(run))
        texts[field.boxName] = field.text;
    return texts;
}

using Texts = std::map<std::string, std::string>;

TEST(RunDesign, WorkedDesignsShowTheWindowsTexts)
{
    struct Case {
        DesignRequest request;
        Texts texts;
    };
    const Case cases[] = {
        {Inclined("15", "1", "1", "65"),
         {{"NrOfRevs", "16"}, {"AxelBox", "6592.94"}, {"AvAltBox", "214.8"}, {"MeanMotBox", "16.2117963"},
          {"TNtext", "88.831"}}},
        {SunSync("14", "1", "3"),
         {{"NrOfRevs", "43"}, {"AxelBox", "7153.13"}, {"AvAltBox", "774.98"}, {"MeanMotBox", "14.341587"},
          {"TNtext", "100.465"}, {"InclOutBox", "98.497"}}},
        {Inclined("14", "1", "3", "65", "0"),
         {{"NrOfRevs", "43"}, {"AxelBox", "7106.13"}, {"AvAltBox", "727.98"}, {"MeanMotBox", "14.4884461"},
          {"TNtext", "99.397"}}},
    };
    for (const Case& c : cases) {
        const DesignRun run = RunDesign(c.request);
        EXPECT_FALSE(run.error) << *run.error;
        EXPECT_EQ(FieldTexts(run), c.texts) << c.request.nText << " " << c.request.mText << " " << c.request.qText;
    }
    // A whole number keeps its point: 96 minutes.
    EXPECT_EQ(FieldTexts(RunDesign(SunSync("15", "0", "1")))["TNtext"], "96.");
}

TEST(RunDesign, FailureKeepsWhatWasYieldedBeforeIt)
{
    struct Case {
        DesignRequest request;
        std::string error;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {SunSync("abc", "1", "1"), "Type mismatch", {}},
        {SunSync("15", "1", ""), "Type mismatch", {}},
        {Inclined("15", "1", "1", "abc"), "Type mismatch", {"NrOfRevs"}},
        {Inclined("15", "1", "1", "65", " "), "Type mismatch", {"NrOfRevs"}},
        {Inclined("15", "1", "0", "65"), "Division by zero", {"NrOfRevs"}},
        {Inclined("15", "0", "0", "65"), "Overflow", {"NrOfRevs"}},
        {Inclined("0", "0", "1", "65"), "Division by zero", {"NrOfRevs"}},
        {SunSync("0", "0", "1"), "Division by zero", {"NrOfRevs", "AxelBox", "AvAltBox"}},
        {SunSync("40000", "0", "1"), "Overflow", {}},
        {Inclined("4", "7", "22", "144"), RepBas::NoConvergenceText(), {"NrOfRevs"}},
    };
    for (const Case& c : cases) {
        const DesignRun run = RunDesign(c.request);
        ASSERT_TRUE(run.error) << c.error;
        EXPECT_EQ(*run.error, c.error);
        EXPECT_FALSE(run.completed());
        std::vector<std::string> boxes;
        for (const ShownField& field : YieldedFields(run))
            boxes.push_back(field.boxName);
        EXPECT_EQ(boxes, c.boxes) << c.error;
    }
}

TEST(RunDesign, InputsReadBeforeAFailingOneAreStored)
{
    const DesignRun run = RunDesign(SunSync("15", "-1", "x"));
    EXPECT_EQ(run.error, "Type mismatch");
    EXPECT_EQ(run.record.N, 15);
    EXPECT_EQ(run.record.M, -1);
    // Zero M and Q leave an empty revolution count, as the window shows it.
    EXPECT_EQ(FieldTexts(RunDesign(Inclined("15", "0", "0", "65")))["NrOfRevs"], "");
}

TEST(DesignWarnings, ExplainOrbitsThatCannotBeFlown)
{
    struct Case {
        DesignRequest request;
        std::vector<std::string> warnings;
    };
    const Case cases[] = {
        {SunSync("8", "0", "1"), {kBelowSurfaceWarning}},       // root near 256.5 km
        {SunSync("9", "0", "1"), {kNoSunSynchronousWarning}},   // near 83,072 km
        {SunSync("0", "0", "1"), {kBelowSurfaceWarning}},       // failed, but its axis was formed
        {Inclined("15", "1", "1", "65"), {}},
        {SunSync("14", "1", "3"), {}},
        {SunSync("17", "0", "1"), {}},                          // a few km up, still above ground
    };
    for (const Case& c : cases) {
        const DesignRun run = RunDesign(c.request);
        EXPECT_EQ(DesignWarnings(c.request.type, run.semiMajorAxisKm, run.meanAltitudeKm), c.warnings)
            << c.request.nText;
    }
}

std::vector<std::string> TextLines(const DesignRun& run)
{
    std::ostringstream out;
    WriteDesignText(run, out);
    std::istringstream in(out.str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(DesignText, CaptionsRightAlignedBesideTheValues)
{
    EXPECT_EQ(TextLines(RunDesign(Inclined("15", "1", "1", "65"))),
              (std::vector<std::string>{"          Nr of revs  16", "Semi-major axis (km)  6592.94",
                                        "  Mean altitude (km)  214.8", "Mean motion revs/day  16.2117963",
                                        "  Nodal period (min)  88.831"}));
    const std::vector<std::string> sunSync = TextLines(RunDesign(SunSync("14", "1", "3")));
    ASSERT_EQ(sunSync.size(), 6u);
    EXPECT_EQ(sunSync[0], std::string(22, ' ') + "Nr of revs  43");
    EXPECT_EQ(sunSync[5], "Sun-Synchronous inclination, deg  98.497");
}

TEST(DesignText, WarningsFollowTheResults)
{
    const std::vector<std::string> lines = TextLines(RunDesign(SunSync("9", "0", "1")));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[5], "Sun-Synchronous inclination, deg  180.");
    EXPECT_EQ(lines[6], std::string("Warning: ") + kNoSunSynchronousWarning);
    // A failed design shows what it yielded, then the warning that applies.
    const std::vector<std::string> failed = TextLines(RunDesign(SunSync("0", "0", "1")));
    ASSERT_EQ(failed.size(), 4u);
    EXPECT_EQ(failed[3], std::string("Warning: ") + kBelowSurfaceWarning);
}

}  // namespace
}  // namespace orbit::cli

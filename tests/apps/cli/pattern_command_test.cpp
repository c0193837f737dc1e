#include "cli/pattern_command.h"

#include "cli/command_line.h"
#include "core/repeat_orbit_solver.h"
#include "pattern/ops_text.h"
#include "pattern/pattern_drawing.h"
#include "pattern/recording_surface.h"
#include "tests/apps/cli/in_process_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using orbit::cli::testing::CommandRun;

CommandRun RunPattern(std::vector<std::string> args)
{
    return orbit::cli::testing::RunInProcess(orbit::cli::AddPatternCommand, "pattern", std::move(args));
}

std::string OpsOf(double n, double m, double q, orbit::OrbitType type, double incl = 0, double tenths = 0)
{
    orbit::DesignRecord d;
    orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(n, m, q, type, incl, tenths), {}, d);
    pattern::RecordingSurface surface;
    pattern::DrawPattern(d, surface);
    return pattern::OpsText(surface.Ops());
}

TEST(PatternCommand, OpsListTheDrawingOfTheSolvedDesign)
{
    struct {
        std::vector<std::string> args;
        std::string expected;
    } const cases[] = {
        {{"--n", "14", "--m", "1", "--q", "3", "--incl", "65", "--ops"},
         OpsOf(14, 1, 3, orbit::OrbitType::ChooseInclination, 65)},
        {{"--n", "14", "--m", "-1", "--q", "3", "--sun-sync", "--ops"}, OpsOf(14, -1, 3, orbit::OrbitType::SunSynchronous)},
        {{"--n", "15", "--m", "2", "--q", "7", "--incl", "98", "--tenths", "5", "--ops"},
         OpsOf(15, 2, 7, orbit::OrbitType::ChooseInclination, 98, 5)},
    };
    for (const auto& c : cases) {
        const CommandRun run = RunPattern(c.args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.expected);
        EXPECT_EQ(run.out.rfind("show\nwidth 1\nline 25 1 25 33\npos 25 1\nprint \" 0 \"\n", 0), 0u);
    }
}

// Exit 1 when the design or the drawing fails, with the error text on stderr;
// the operations drawn before a failing step are still listed.
TEST(PatternCommand, FailuresExitWithTheErrorText)
{
    // More revolutions than the count holds: the solve fails, nothing is drawn.
    const CommandRun run = RunPattern({"--n", "40000", "--m", "1", "--q", "1", "--incl", "65", "--ops"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Overflow\n");
    EXPECT_EQ(run.out, "");
}

TEST(PatternCommand, UsageErrorsExitWithTwo)
{
    const std::vector<std::string> design = {"--n", "14", "--m", "1", "--q", "3", "--incl", "65"};
    const std::vector<std::vector<std::string>> extras = {
        {},                                   // no output chosen
        {"--ops", "--png", "a.png"},          // two outputs
        {"--png", "a.png", "--svg", "a.svg"}, // two files
        {"--ops", "--scale", "2"},            // a size for text
        {"--ops", "--size", "749x270"},
        {"--ops", "--output", "a.png"},
        {"--output", "a.pdf"},                // no picture format of that name
        {"--output", "a.png", "--svg", "a.svg"},
        {"--png", "a.png", "--size", "74x26"}, // smaller than a tenth
        {"--png", "a.png", "--size", "7491x2700"},
        {"--png", "a.png", "--size", "749x270", "--scale", "1"}, // two sizes
        {"--png", "a.png", "--scale", "0"},   // out of range
        {"--png", "a.png", "--scale", "11"},
        {"--png", "a.png", "--scale", "nan"},
        {"--png", "a.png", "--scale", "inf"},
        {"--png", ""},                        // no file name
        {"--svg", ""},
    };
    for (const auto& extra : extras) {
        std::vector<std::string> args = design;
        args.insert(args.end(), extra.begin(), extra.end());
        const CommandRun run = RunPattern(args);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(extra) << run.out << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists("a.png"));

    // The option at fault is named, for the empty file name too.
    std::vector<std::string> args = design;
    args.insert(args.end(), {"--svg", ""});
    EXPECT_EQ(RunPattern(args).err.rfind("--svg: the file name is empty", 0), 0u);
    args = design;
    args.insert(args.end(), {"--png", "a.png", "--scale", "nan"});
    // After the one line that says what replaced the old spelling.
    EXPECT_NE(RunPattern(args).err.find("\n--scale: 'nan' is not a number from 0.1 to 10"), std::string::npos);
    args = design;
    args.insert(args.end(), {"--output", "a.pdf"});
    EXPECT_EQ(RunPattern(args).err.rfind("pattern: --output a.pdf: the picture's format follows the file's name", 0), 0u);
}

}  // namespace

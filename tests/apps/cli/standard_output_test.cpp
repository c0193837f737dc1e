// Standard output of the real executable: writes that fail are errors with
// exit 1, a reader that leaves a pipe ends the program quietly, and "-" names
// standard output for a picture.

#include "cli/picture_files.h"
#include "tests/apps/cli/process_runner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ostream>
#include <string>
#include <vector>

namespace {

using orbit::cli::testing::PipedResult;
using orbit::cli::testing::ProcessResult;
using orbit::cli::testing::RunRepeatOrbit;
using orbit::cli::testing::RunRepeatOrbitIntoHead;
using orbit::cli::testing::StandardOutputTo;

const std::vector<std::string> kDesign = {"--n", "14", "--m", "1", "--q", "3", "--sun-sync"};

std::vector<std::string> With(std::vector<std::string> first, const std::vector<std::string>& more)
{
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

struct OutputCase {
    const char* name;
    std::vector<std::string> args;
    bool picture = false;  // needs picture support
};

void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }

std::vector<OutputCase> CommandsThatPrint()
{
    return {
        {"DesignText", With({"design"}, kDesign)},
        {"DesignJson", With(With({"design"}, kDesign), {"--json"})},
        {"SearchTable", {"search", "--sun-sync", "--alt-min", "600", "--alt-max", "800", "--q-max", "10"}},
        {"SearchCsv", {"search", "--sun-sync", "--alt-min", "600", "--alt-max", "800", "--q-max", "10", "--csv"}},
        {"PatternOps", With(With({"pattern"}, kDesign), {"--ops"})},
        {"PatternPngToDash", With(With({"pattern"}, kDesign), {"--png", "-"}), true},
        {"Help", {"--help"}},
        {"SubcommandHelp", {"search", "--help"}},
    };
}

class FailedStandardOutput : public ::testing::TestWithParam<OutputCase> {};

TEST_P(FailedStandardOutput, IsAnErrorForEveryCommand)
{
    const OutputCase& c = GetParam();
    if (c.picture && !orbit::cli::PictureSupport())
        GTEST_SKIP() << "this build has no pictures";
    const struct {
        StandardOutputTo to;
        const char* reason;
    } targets[] = {{StandardOutputTo::FullDevice, "No space left on device"},
                   {StandardOutputTo::Closed, "Bad file descriptor"}};
    for (const auto& target : targets) {
        const ProcessResult run = RunRepeatOrbit(c.args, target.to);
        EXPECT_EQ(run.exitCode, 1) << target.reason << "\n" << run.err;
        EXPECT_NE(run.err.find(std::string("Cannot write to standard output: ") + target.reason), std::string::npos)
            << run.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, FailedStandardOutput, ::testing::ValuesIn(CommandsThatPrint()),
                         [](const ::testing::TestParamInfo<OutputCase>& param) { return param.param.name; });

TEST(StandardOutput, UsageErrorKeepsItsStatusWhenNothingIsPrinted)
{
    const ProcessResult run = RunRepeatOrbit({"design", "--n", "14"}, StandardOutputTo::Closed);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_EQ(run.err.find("Cannot write"), std::string::npos) << run.err;
}

// `repeat-orbit search ... | head -1`: the program stops at its next write
// once the reader has gone, by SIGPIPE, and says nothing.
TEST(StandardOutput, ReaderThatLeavesEndsTheProgramQuietly)
{
    const PipedResult run =
        RunRepeatOrbitIntoHead({"search", "--sun-sync", "--alt-min", "200", "--alt-max", "2000", "--q-max", "100"});
    EXPECT_EQ(run.out.rfind(" N ", 0), 0u) << run.out;
    EXPECT_EQ(run.signal, SIGPIPE);
    EXPECT_EQ(run.err, "");
}

TEST(StandardOutput, PictureGoesToStandardOutputByDashOrByName)
{
    if (!orbit::cli::PictureSupport())
        GTEST_SKIP() << "this build has no pictures";
    for (const char* name : {"-", "/dev/stdout"}) {
        const ProcessResult png = RunRepeatOrbit(With(With({"pattern"}, kDesign), {"--png", name}));
        EXPECT_EQ(png.exitCode, 0) << name << ": " << png.err;
        EXPECT_EQ(png.out.rfind("\x89PNG\r\n", 0), 0u) << name;
        const ProcessResult svg = RunRepeatOrbit(With(With({"pattern"}, kDesign), {"--svg", name}));
        EXPECT_EQ(svg.exitCode, 0) << name << ": " << svg.err;
        EXPECT_NE(svg.out.find("<svg"), std::string::npos) << name;
        EXPECT_NE(svg.out.find("</svg>"), std::string::npos) << name;
    }
    // With standard output closed, naming it finds nothing to write into.
    const ProcessResult closed =
        RunRepeatOrbit(With(With({"pattern"}, kDesign), {"--png", "/dev/stdout"}), StandardOutputTo::Closed);
    EXPECT_EQ(closed.exitCode, 1) << closed.err;
}

}  // namespace

// `repeat-orbit map`: what it refuses before drawing anything, in any build.

#include "cli/map_command.h"

#include "tests/apps/cli/in_process_command.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using orbit::cli::testing::CommandRun;

CommandRun RunMap(std::vector<std::string> args)
{
    return orbit::cli::testing::RunInProcess(orbit::cli::AddMapCommand, "map", std::move(args));
}

// Usage errors exit 2 with a message naming what is wrong, and write nothing.
TEST(MapCommand, RefusesAWrongCommandLine)
{
    const std::vector<std::string> design{"--n", "14", "--m", "1", "--q", "3", "--sun-sync"};
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* says;
    } const cases[] = {
        {"NoPictureFile", {}, "choose one of --png FILE, --svg FILE or --output FILE.png|.svg"},
        {"BothPictureFiles", {"--png", "a.png", "--svg", "a.svg"}, "excludes"},
        {"OutputAndPng", {"--output", "a.svg", "--png", "a.png"}, "excludes"},
        {"OutputOfNoPictureFormat", {"--output", "never.pdf"}, "--output never.pdf: the picture's format follows"},
        {"EmptyFileName", {"--svg", ""}, "--svg: the file name is empty"},
        {"NoDays", {"--png", "never.png", "--cycle-days", "0"}, "--cycle-days must lie between 1 and 3"},
        {"DaysBeyondTheCycle", {"--png", "never.png", "--cycle-days", "4"}, "the days of this design's repeat cycle"},
        {"DaysNotWhole", {"--png", "never.png", "--cycle-days", "2.5"}, "--cycle-days"},
        {"NegativeSwath", {"--png", "never.png", "--swath", "-1"}, "'-1' is not a number from 0 to 5000"},
        {"SwathNotANumber", {"--png", "never.png", "--swath", "nan"}, "'nan' is not a number from 0 to 5000"},
        {"SwathTooWide", {"--png", "never.png", "--swath", "6000"}, "0 to 5000"},
        {"SizeTooSmall", {"--png", "never.png", "--size", "100x50"}, "320x160 to 8000x4000, not 100x50"},
        {"SizeNotWxH", {"--png", "never.png", "--size", "1600"}, "WxH"},
        {"SizeWithSign", {"--png", "never.png", "--size", "+800x400"}, "WxH"},
        {"SizeWithCapitalX", {"--png", "never.png", "--size", "1600X800"}, "WxH"},
        {"SizeOfThreeNumbers", {"--png", "never.png", "--size", "1600x800x2"}, "WxH"},
        {"NightWithoutEpoch", {"--png", "never.png", "--night"}, "--night needs --epoch"},
        {"AtWithoutEpoch", {"--png", "never.png", "--at", "2027-03-21T06:00Z"}, "--at needs --epoch"},
        {"AtWithoutNight",
         {"--png", "never.png", "--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--at", "2027-03-21T06:00Z"},
         "give --night too"},
        {"AtNotATime",
         {"--png", "never.png", "--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--night", "--at", "noon"},
         "--at: "},
        {"EpochWithoutNode", {"--png", "never.png", "--epoch", "2027-03-21T00:00Z"}, "--epoch needs the node"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = design;
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CommandRun run = RunMap(args);
        EXPECT_EQ(run.status, 2) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.name << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << c.name;
    }
    EXPECT_FALSE(std::ifstream("never.png").good());
}

TEST(MapCommand, ADesignThatFailsExitsOneWithItsError)
{
    const CommandRun run = RunMap({"--n", "40000", "--m", "1", "--q", "1", "--incl", "65", "--png", "never.png"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Overflow\n");
}

}  // namespace

// repeat-orbit's --version and --help-all. The manual page is made from
// --help-all, so its layout is what help2man reads: every option line sets
// its description off by two blanks or more, or carries it on the next line
// far indented; each command's options come under a heading of their own.

#include "tests/apps/cli/process_runner.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace orbit::cli {
namespace {

using testing::Lines;
using testing::ProcessResult;
using testing::RunRepeatOrbit;

TEST(Version, NamesTheProgramAndItsVersion)
{
    for (const char* placement : {"first", "after a command's options"}) {
        const ProcessResult r = placement == std::string("first")
                                    ? RunRepeatOrbit({"--version"})
                                    : RunRepeatOrbit({"--version", "design", "--n", "14"});
        EXPECT_EQ(r.exitCode, 0) << placement;
        EXPECT_EQ(r.out, "repeat-orbit 1.00\n") << placement;
        EXPECT_EQ(r.err, "") << placement;
    }
}

TEST(HelpAll, ListsEveryCommandsOptionsUnderItsOwnHeading)
{
    const ProcessResult r = RunRepeatOrbit({"--help-all"});
    ASSERT_EQ(r.exitCode, 0);
    for (const char* heading : {"\nrepeat-orbit design options:\n  --n N",
                                "\nrepeat-orbit search options:\n  --sun-sync",
                                "\nrepeat-orbit pattern options:\n  --n N", "\nCommands:\n  design "})
        EXPECT_NE(r.out.find(heading), std::string::npos) << heading;
    EXPECT_EQ(r.out.find("Print this help message and exit\n  --n"), std::string::npos)
        << "a command's own help flags are not repeated under it";
    EXPECT_NE(r.out.find("Exit status: 0 success, 1 computation error, 2 usage error."), std::string::npos);
}

TEST(HelpAll, EveryOptionLineReadsAsAManualPageEntry)
{
    const ProcessResult r = RunRepeatOrbit({"--help-all"});
    const std::vector<std::string> lines = Lines(r.out);
    const std::regex optionWithDescription("^ {2,4}-\\S.*?\\S {2,}\\S.*");
    const std::regex optionAlone("^ {2,4}-.*");
    const std::regex descriptionBelow("^ {20,}\\S.*");
    int options = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!std::regex_match(lines[i], optionAlone))
            continue;
        ++options;
        const bool described = std::regex_match(lines[i], optionWithDescription) ||
                               (i + 1 < lines.size() && std::regex_match(lines[i + 1], descriptionBelow));
        EXPECT_TRUE(described) << lines[i];
    }
    EXPECT_GE(options, 25);
}

}  // namespace
}  // namespace orbit::cli

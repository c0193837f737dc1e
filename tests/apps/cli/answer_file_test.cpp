// `--output FILE` on every command that prints an answer: the file holds
// what standard output would have held, standard output stays empty, and a
// command that fails leaves the file as it was.

#include "tests/apps/cli/process_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace orbit::cli {
namespace {

using testing::ProcessResult;
using testing::RunRepeatOrbit;
using Args = std::vector<std::string>;

const Args kDesign{"--n", "14", "--m", "3", "--q", "10", "--sun-sync"};
const Args kPlaced{"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30"};

Args Joined(std::initializer_list<Args> parts)
{
    Args all;
    for (const Args& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct AnswerCase {
    const char* name;
    Args args;
};

class AnswerFile : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerFile, HoldsWhatStandardOutputWould)
{
    const std::string path = ::testing::TempDir() + "/answer_" + GetParam().name;
    std::filesystem::remove(path);
    const ProcessResult printed = RunRepeatOrbit(GetParam().args);
    ASSERT_EQ(printed.exitCode, 0) << printed.err;
    const ProcessResult written = RunRepeatOrbit(Joined({GetParam().args, {"--output", path}}));
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_FALSE(printed.out.empty());
    EXPECT_EQ(Contents(path), printed.out);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AnswerFile,
    ::testing::Values(AnswerCase{"DesignJson", Joined({{"design"}, kDesign, {"--json"}})},
                      AnswerCase{"SearchCsv", {"search", "--sun-sync", "--alt-min", "600", "--alt-max", "800",
                                               "--q-max", "5", "--csv"}},
                      AnswerCase{"CoverageText", Joined({{"coverage"}, kDesign, {"--swath", "290"}})},
                      AnswerCase{"SunCsv", Joined({{"sun"}, kDesign, kPlaced, {"--days", "3", "--csv"}})},
                      AnswerCase{"AccessJson", Joined({{"access"}, kDesign, kPlaced,
                                                       {"--station", "67.86,20.96", "--days", "1", "--json"}})},
                      AnswerCase{"RefineText", Joined({{"refine"}, kDesign, kPlaced, {"--model", "j2"}})}),
    [](const ::testing::TestParamInfo<AnswerCase>& p) { return std::string(p.param.name); });

TEST(AnswerFileOfAFailedCommand, IsLeftAsItWas)
{
    const std::string path = ::testing::TempDir() + "/answer_kept";
    {
        std::ofstream(path) << "kept\n";
    }
    // A design that cannot be solved: the computation fails after the
    // options were read and the answer begun.
    const ProcessResult failed = RunRepeatOrbit({"design", "--n", "40000", "--m", "0", "--q", "1", "--incl", "65",
                                                 "--json", "--output", path});
    EXPECT_EQ(failed.exitCode, 1) << failed.err;
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(Contents(path), "kept\n");
}

}  // namespace
}  // namespace orbit::cli

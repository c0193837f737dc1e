// Old spellings of renamed options: read as their new names, said once on
// standard error, and gone from the help; the table itself names options
// that exist.

#include "cli/access_command.h"
#include "cli/map_command.h"
#include "cli/renamed_options.h"
#include "cli/search_command.h"
#include "tests/apps/cli/process_runner.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace orbit::cli {
namespace {

using Args = std::vector<std::string>;

Args Rewritten(const Args& args, std::string& notes)
{
    std::vector<const char*> argv{"repeat-orbit"};
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    std::ostringstream told;
    std::vector<std::string> current = WithCurrentSpellings(argv, told);
    notes = told.str();
    current.erase(current.begin());
    return current;
}

struct SpellingCase {
    const char* name;
    Args given;
    Args read;
    int notes;  // lines said on standard error
};

class CurrentSpelling : public ::testing::TestWithParam<SpellingCase> {};

TEST_P(CurrentSpelling, ReadsTheOldAsTheNewAndSaysSoOnce)
{
    std::string notes;
    EXPECT_EQ(Rewritten(GetParam().given, notes), GetParam().read);
    std::istringstream lines(notes);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        ++count;
    EXPECT_EQ(count, GetParam().notes) << notes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurrentSpelling,
    ::testing::Values(
        SpellingCase{"AloneAndWithItsValueAttached",
                     {"search", "--max-days", "10", "--min-days=2"},
                     {"search", "--q-max", "10", "--q-min=2"},
                     2},
        SpellingCase{"SaidOnceHoweverOftenMet",
                     {"access", "--sites", "a.csv", "--sites", "b.csv"},
                     {"access", "--sites-file", "a.csv", "--sites-file", "b.csv"},
                     1},
        SpellingCase{"OnlyInItsOwnCommand", {"sun", "--days", "3"}, {"sun", "--days", "3"}, 0},
        SpellingCase{"MapDaysAreCycleDays", {"map", "--days", "2"}, {"map", "--cycle-days", "2"}, 1},
        SpellingCase{"NotALongerOptionOfTheSameStart", {"access", "--sitesx"}, {"access", "--sitesx"}, 0},
        SpellingCase{"NothingAfterTheEndOfOptions", {"map", "--", "--days"}, {"map", "--", "--days"}, 0},
        SpellingCase{"AfterTheGlobalFlags", {"--help", "map", "--days", "1"}, {"--help", "map", "--cycle-days", "1"}, 1}),
    [](const ::testing::TestParamInfo<SpellingCase>& p) { return std::string(p.param.name); });

TEST(RenamedOptions, NameOptionsThatExistUnderTheirNewNamesOnly)
{
    CLI::App app{"test", "repeat-orbit"};
    AddSearchCommand(app);
    AddMapCommand(app);
    AddAccessCommand(app);
    for (const RenamedOption& renamed : RenamedOptions()) {
        const CLI::App* command = app.get_subcommand(renamed.command);
        EXPECT_NE(command->get_option_no_throw(renamed.newName), nullptr) << renamed.newName;
        EXPECT_EQ(command->get_option_no_throw(renamed.oldName), nullptr) << renamed.oldName;
    }
}

// Through the real program: the old spelling gives the new one's output.
TEST(RenamedOptions, OldSpellingGivesTheSameOutput)
{
    const Args band{"search", "--sun-sync", "--alt-min", "600", "--alt-max", "800"};
    Args current = band, old = band;
    for (const char* more : {"--q-min", "2", "--q-max", "10", "--json"})
        current.push_back(more);
    for (const char* more : {"--min-days", "2", "--max-days", "10", "--json"})
        old.push_back(more);
    const testing::ProcessResult now = testing::RunRepeatOrbit(current);
    const testing::ProcessResult before = testing::RunRepeatOrbit(old);
    ASSERT_EQ(now.exitCode, 0) << now.err;
    EXPECT_EQ(before.exitCode, 0);
    EXPECT_EQ(before.out, now.out);
    EXPECT_EQ(now.err, "");
    EXPECT_EQ(before.err, "repeat-orbit search: --min-days is now --q-min; the old spelling still works\n"
                          "repeat-orbit search: --max-days is now --q-max; the old spelling still works\n");
}

}  // namespace
}  // namespace orbit::cli

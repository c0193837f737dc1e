// The exit status follows the one error type's kind, whichever command and
// layer raised it: a request wrong in itself is a usage error (2), named as
// the option typed; anything else a failed computation (1).

#include "cli/command_line.h"
#include "core/orbit_error.h"
#include "tests/apps/cli/in_process_command.h"

#include <gtest/gtest.h>

#include <string>

namespace orbit::cli {
namespace {

OrbitError thrown(ErrorKind::Overflow);

void AddThrowingCommand(CLI::App& app)
{
    app.add_subcommand("throw", "Raises the error under test")->callback([] { throw thrown; });
}

struct KindCase {
    const char* name;
    OrbitError error;
    int status;
    std::string said;
};

class ExitStatus : public ::testing::TestWithParam<KindCase> {};

TEST_P(ExitStatus, FollowsTheErrorsKind)
{
    thrown = GetParam().error;
    const testing::CommandRun run = testing::RunInProcess(AddThrowingCommand, "throw", {});
    EXPECT_EQ(run.status, GetParam().status);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), GetParam().said);
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ExitStatus,
    ::testing::Values(
        KindCase{"RequestNamedAsItsOption", OrbitError(RequestInput::SwathKm, -1, "must be above 0 km"), 2,
                 "--swath: must be above 0 km"},
        KindCase{"UsageOfNoOneInput", OrbitError(ErrorKind::Usage, "the band is upside down"), 2,
                 "the band is upside down"},
        KindCase{"ComputationThatFailed", OrbitError(ErrorKind::Overflow), 1, "Overflow"},
        KindCase{"FileThatCannotBeWritten", OrbitError(ErrorKind::File, "cannot write x.png"), 1, "cannot write x.png"}),
    [](const ::testing::TestParamInfo<KindCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace orbit::cli

// `repeat-orbit export` into a file through the real executable: a long
// ephemeris is written as it is propagated, in flat memory, and a signal
// that ends the program mid-way leaves no temporary file and the target as
// it was.

#include "tests/apps/cli/process_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace orbit::cli {
namespace {

namespace fs = std::filesystem;
using testing::EndedProcess;
using Args = std::vector<std::string>;

Args LongEphemeris(const fs::path& output, const char* days)
{
    return {"export", "--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", "2027-03-21T00:00Z", "--ltdn",
            "10:30", "--format", "oem", "--days", days, "--step-s", "1", "--output", output.string()};
}

class ExportFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/export_file_test.XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override { fs::remove_all(folder); }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    fs::path folder;
};

std::string Contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Ctrl+C, a kill and a closed terminal, each once the temporary file has
// appeared: it is removed, the target keeps its old contents, and the
// program ends by the signal, as a shell expects of it.
TEST_F(ExportFile, AnEndingSignalRemovesTheTemporaryAndLeavesTheTarget)
{
    struct Case {
        const char* name;
        int signal;
    } const cases[] = {{"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}, {"SIGHUP", SIGHUP}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path target = folder / "big.oem";
        std::ofstream(target) << "the ephemeris before\n";
        // Thirty days every second take half a minute and more: the signal
        // comes long before the end.
        const int pid = testing::StartRepeatOrbit(LongEphemeris(target, "30"));
        bool temporarySeen = false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!temporarySeen && std::chrono::steady_clock::now() < deadline) {
            temporarySeen = Names().size() > 1;
            if (!temporarySeen)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ::kill(pid, c.signal);
        const EndedProcess ended = testing::WaitForRepeatOrbit(pid);
        ASSERT_TRUE(temporarySeen) << "no temporary file appeared beside the target";
        EXPECT_EQ(ended.signal, c.signal);
        EXPECT_EQ(ended.exitCode, -1);
        EXPECT_EQ(Names(), std::vector<std::string>{"big.oem"});
        EXPECT_EQ(Contents(target), "the ephemeris before\n");
    }
}

// Five days every second are 432,001 states, about 44 MB of text: held
// whole, they took over 100 MB. Written as they are propagated, the program
// stays near its size at rest.
TEST_F(ExportFile, ALongEphemerisIsWrittenInFlatMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer's shadow memory and quarantine dwarf what the program
    // itself holds: the bound speaks of the normal build.
    GTEST_SKIP() << "memory is not the program's own under AddressSanitizer";
#endif
    const fs::path target = folder / "five_days.oem";
    const EndedProcess ended = testing::WaitForRepeatOrbit(testing::StartRepeatOrbit(LongEphemeris(target, "5")));
    ASSERT_EQ(ended.exitCode, 0);
    EXPECT_LT(ended.maxResidentKb, 50 * 1024);
    EXPECT_EQ(Names(), std::vector<std::string>{"five_days.oem"});

    std::ifstream in(target);
    std::size_t records = 0;
    std::string line, last;
    bool inData = false;
    while (std::getline(in, line)) {
        if (inData && !line.empty() && line.rfind("COMMENT", 0) != 0) {
            ++records;
            last = line;
        }
        inData = inData || line == "META_STOP";
    }
    EXPECT_EQ(records, 5u * 86400 + 1);
    EXPECT_EQ(last.substr(0, 26), "2027-03-26T00:00:00.000000");
}

// More states than an ephemeris may hold is a usage error that names the
// two options that make the count, before any work.
TEST_F(ExportFile, TooManyStatesAreRefusedNamingTheSpanAndTheStep)
{
    const fs::path target = folder / "never.oem";
    const testing::ProcessResult given = testing::RunRepeatOrbit(
        {"export", "--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", "2027-03-21T00:00Z", "--ltdn",
         "10:30", "--format", "oem", "--days", "366", "--step-s", "0.25", "--output", target.string()});
    EXPECT_EQ(given.exitCode, 2);
    EXPECT_NE(given.err.find("--days and --step-s: 366 days every 0.25 s"), std::string::npos) << given.err;
    const testing::ProcessResult cycle = testing::RunRepeatOrbit(
        {"export", "--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", "2027-03-21T00:00Z", "--ltdn",
         "10:30", "--format", "oem", "--step-s", "0.001", "--output", target.string()});
    EXPECT_EQ(cycle.exitCode, 2);
    EXPECT_NE(cycle.err.find("--days and --step-s: one repeat cycle"), std::string::npos) << cycle.err;
    EXPECT_TRUE(Names().empty());
}

}  // namespace
}  // namespace orbit::cli

// `repeat-orbit sun --png/--svg` in a build with the windows: the table
// still goes to stdout, the chart to the file.

#include "chart/sun_chart.h"
#include "cli/sun_command.h"

#include "tests/apps/cli/in_process_command.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using orbit::cli::testing::CommandRun;

CommandRun RunSun(std::vector<std::string> args)
{
    return orbit::cli::testing::RunInProcess(orbit::cli::AddSunCommand, "sun", std::move(args));
}

TEST(SunPicture, WritesTheChartBesideTheTable)
{
    QTemporaryDir dir;
    const std::string png = dir.filePath("s.png").toStdString(), svg = dir.filePath("s.svg").toStdString();
    CommandRun run = RunSun({"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", "2027-03-21T00:00Z",
                             "--ltdn", "10:30", "--png", png});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Design ", 0), 0u);
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(chart::kChartWidthPx, chart::kChartHeightPx));

    run = RunSun({"--n", "14", "--m", "7", "--q", "12", "--sun-sync", "--epoch", "2027-01-01T00:00Z", "--ltan", "18:00",
                  "--csv", "--svg", svg});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("date,mjd_utc,", 0), 0u);
    QFile file(QString::fromStdString(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(
        "Sun and eclipses: N 14, M 7, Q 12, sun-synchronous, 692.82 km, 98.158 deg, LTAN 18:00:00 at 2027-01-01T00:00:00Z"));
}

TEST(SunPicture, UnwritableChartIsAComputationFailure)
{
    const CommandRun run = RunSun({"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", "2027-03-21T00:00Z",
                                   "--ltdn", "10:30", "--days", "3", "--png", "/nonexistent-folder/s.png"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err, "");
}

}  // namespace

// `repeat-orbit coverage --png/--svg` in a build with the windows: the table
// still goes to stdout, the chart to the file.

#include "chart/coverage_chart.h"
#include "cli/coverage_command.h"

#include "tests/apps/cli/in_process_command.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using orbit::cli::testing::CommandRun;

CommandRun RunCoverage(std::vector<std::string> args)
{
    return orbit::cli::testing::RunInProcess(orbit::cli::AddCoverageCommand, "coverage", std::move(args));
}

TEST(CoveragePicture, WritesTheChartBesideTheTable)
{
    QTemporaryDir dir;
    const std::string png = dir.filePath("c.png").toStdString(), svg = dir.filePath("c.svg").toStdString();
    CommandRun run = RunCoverage({"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--swath", "290", "--png", png});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Design ", 0), 0u);
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(chart::kChartWidthPx, chart::kChartHeightPx));

    run = RunCoverage({"--n", "14", "--m", "9", "--q", "16", "--sun-sync", "--swath", "185", "--passes", "descending",
                       "--csv", "--svg", svg});
    EXPECT_EQ(run.status, 0) << run.err;
    QFile file(QString::fromStdString(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(
        "Revisit by latitude: N 14, M 9, Q 16, sun-synchronous, 185 km swath, descending passes only"));
}

}  // namespace

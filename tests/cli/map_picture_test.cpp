// `repeat-orbit map --png/--svg` in a build with the windows.

#include "cli/map_command.h"

#include "map/qt/world_shapes.h"
#include "tests/cli/in_process_command.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using orbit::cli::testing::CommandRun;

CommandRun RunMap(std::vector<std::string> args)
{
    return orbit::cli::testing::RunInProcess(orbit::cli::AddMapCommand, "map", std::move(args));
}

class MapPictureCommand : public ::testing::Test {
protected:
    void SetUp() override { world_map::UseLandFile(QStringLiteral(LAND_FILE)); }
    QTemporaryDir dir;
};

TEST_F(MapPictureCommand, WritesPngAndSvgOfTheAskedSize)
{
    const std::string png = dir.filePath("m.png").toStdString(), svg = dir.filePath("m.svg").toStdString();
    CommandRun run = RunMap({"--n", "14", "--m", "1", "--q", "3", "--sun-sync", "--swath", "290", "--size", "800x400",
                             "--png", png});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(800, 400));
    run = RunMap({"--n", "14", "--m", "1", "--q", "3", "--incl", "65", "--days", "2", "--svg", svg});
    EXPECT_EQ(run.status, 0) << run.err;
    QFile file(QString::fromStdString(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("width=\"1600\"") || text.contains("width=\"1600px\"")) << text.left(400).toStdString();
    EXPECT_TRUE(text.contains("Ground track over 2 days"));
    EXPECT_TRUE(run.out.empty());
}

TEST_F(MapPictureCommand, MissingLandExitsOneNamingTheFileAndWritesNothing)
{
    world_map::UseLandFile(QStringLiteral("/nonexistent/share/repeat-orbit/land-50m.json"));
    const QString png = dir.filePath("never.png");
    const CommandRun run =
        RunMap({"--n", "14", "--m", "1", "--q", "3", "--sun-sync", "--png", png.toStdString()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("/nonexistent/share/repeat-orbit/land-50m.json"), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(png));
}

}  // namespace

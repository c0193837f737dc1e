// `repeat-orbit map --png/--svg` in a build with the windows.

#include "cli/map_command.h"

#include "map_qt/map_export.h"
#include "map_qt/map_painter.h"
#include "map_qt/world_shapes.h"
#include "tests/apps/cli/in_process_command.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

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
    run = RunMap({"--n", "14", "--m", "1", "--q", "3", "--incl", "65", "--cycle-days", "2", "--svg", svg});
    EXPECT_EQ(run.status, 0) << run.err;
    QFile file(QString::fromStdString(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("width=\"1600\"") || text.contains("width=\"1600px\"")) << text.left(400).toStdString();
    EXPECT_TRUE(text.contains("Ground track over 2 days"));
    EXPECT_TRUE(run.out.empty());
}

// --output takes the format from the file's name, in either case.
TEST_F(MapPictureCommand, OutputChoosesTheFormatByTheFilesExtension)
{
    const std::string png = dir.filePath("m.PNG").toStdString(), svg = dir.filePath("m.svg").toStdString();
    const std::vector<std::string> design{"--n", "14", "--m", "1", "--q", "3", "--sun-sync", "--size", "640x320"};
    std::vector<std::string> args = design;
    args.insert(args.end(), {"--output", png});
    CommandRun run = RunMap(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(QImage(QString::fromStdString(png), "PNG").size(), QSize(640, 320));
    args = design;
    args.insert(args.end(), {"--output", svg});
    run = RunMap(args);
    EXPECT_EQ(run.status, 0) << run.err;
    QFile file(QString::fromStdString(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("<svg"));
}

// The night at two instants an hour apart: the shaded side moves west by
// 15 degrees. At 2027-03-21 00:00 UTC the Sun stands over 178.15 degrees
// west (the equation of time is -7.4 minutes), so the night runs from 88.15
// west to 91.85 east; an hour later from 103.15 west to 76.85 east. Places
// on the open sea near the equator, away from the track (one day shown).
TEST_F(MapPictureCommand, NightShadesTheDarkSideAndMovesWestFifteenDegreesAnHour)
{
    const std::vector<std::string> design{"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch",
                                          "2027-03-21T00:00Z", "--ltdn", "10:30", "--cycle-days", "1", "--night"};
    const auto render = [&](const std::string& at, const std::string& name) {
        std::vector<std::string> args = design;
        args.insert(args.end(), {"--at", at, "--png", dir.filePath(QString::fromStdString(name)).toStdString()});
        const CommandRun run = RunMap(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return QImage(dir.filePath(QString::fromStdString(name)));
    };
    const QImage midnight = render("2027-03-21T00:00Z", "a.png");
    const QImage later = render("2027-03-21T01:00Z", "b.png");
    ASSERT_EQ(midnight.size(), QSize(1600, 800));
    // The frame of a 1600 x 800 picture: x from longitude, y from latitude.
    const world_map::MapStyle style{world_map::PictureFont(midnight.size()), true, true};
    const QRectF frame = world_map::LayOutMap(QRectF(midnight.rect()), style, &midnight).frame;
    const auto lightness = [&](const QImage& image, double lonDeg, double latDeg) {
        const QPointF at = world_map::DegreesToFrame(frame, {}).map(QPointF(lonDeg, latDeg));
        // The lightest pixel nearby: a track line may cross the very point.
        int best = 0;
        for (int dx = -3; dx <= 3; ++dx)
            best = std::max(best, image.pixelColor(at.toPoint() + QPoint(dx, 0)).lightness());
        return best;
    };
    const int sea = world_map::palette::kSea.lightness();
    struct Place {
        double lonDeg, latDeg;
        bool darkAtMidnight, darkLater;
    } const places[] = {
        {-25, -5, true, true},       // the mid-Atlantic, an hour or two past midnight
        {-170, -10, false, false},   // the Pacific near noon
        {85, -5, true, false},       // the Indian Ocean: dawn comes within the hour
        {-95, -3, false, true},      // off Ecuador: dusk falls within the hour
    };
    for (const Place& p : places) {
        EXPECT_EQ(lightness(midnight, p.lonDeg, p.latDeg) < sea - 20, p.darkAtMidnight) << p.lonDeg;
        EXPECT_EQ(lightness(later, p.lonDeg, p.latDeg) < sea - 20, p.darkLater) << p.lonDeg;
    }
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

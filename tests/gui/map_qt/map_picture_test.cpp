// The ground track map as a picture: its pixels where the track must be and
// where the sea and land must stay clear, the cut at the map's edge, the
// swath, the SVG, and failures that leave no file.

#include "map_qt/map_export.h"

#include "analysis/ground_track.h"
#include "core/orbit_error.h"
#include "map/day_tracks.h"
#include "tests/libs/map/map_fixtures.h"
#include "tests/gui/map_qt/map_picture_probe.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using map_test::ColourNear;
using map_test::PixelOf;
using map_test::ToQColor;
using world_map::DayColour;
using world_map::LonLat;

const QSize kSize(1600, 800);

// The nearest sample of a day's track to `place`, in degrees on the map.
double DegreesFromTrack(const world_map::DayGeometry& day, LonLat place)
{
    double nearest = 1e9;
    for (const world_map::Polyline& piece : day.track)
        for (const LonLat& p : piece)
            nearest =
                std::min(nearest, std::hypot(world_map::WrapDeg(p.lonDeg - place.lonDeg), p.latDeg - place.latDeg));
    return nearest;
}

TEST(MapPicture, TrackPointsTakeTheirDaysColourAndSeaAndLandStayClear)
{
    const world_map::MapDesign design = map_test::SunSync(14, 1, 3);
    const auto scene = map_test::Scene(design);
    const QImage image = world_map::RenderMapImage(*scene, 3, kSize);
    ASSERT_EQ(image.size(), kSize);
    const orbit::analysis::GroundTrack track(design.record);
    const double dayS = world_map::DayLengthS(design.record);
    for (int day = 0; day < 3; ++day)
        for (const double revolutions : {0.3, 5.6, 11.9}) {
            const orbit::analysis::GroundPoint p = track.At(day * dayS + revolutions * design.record.NodalPeriod);
            EXPECT_TRUE(ColourNear(image, PixelOf(image, {p.longitudeDeg, p.latitudeDeg}), ToQColor(DayColour(day, 3))))
                << "day " << day << " at " << p.longitudeDeg << ", " << p.latitudeDeg;
        }
    // The Arctic Ocean beyond the turning latitude (81.5 degrees).
    for (const LonLat sea : {LonLat{-140, 86}, LonLat{100, 87}})
        EXPECT_EQ(image.pixelColor(PixelOf(image, sea)), world_map::palette::kSea) << sea.lonDeg;

    // Land far from one day's track keeps the land's colour.
    const QImage oneDay = world_map::RenderMapImage(*scene, 1, kSize);
    int landSeen = 0;
    for (const LonLat land : {LonLat{20, 22}, LonLat{134, -25}, LonLat{-55, -10}, LonLat{100, 62}, LonLat{-100, 40},
                              LonLat{78, 22}, LonLat{40, 50}}) {
        if (DegreesFromTrack(scene->Map().Day(0), land) < 2)
            continue;
        EXPECT_EQ(oneDay.pixelColor(PixelOf(oneDay, land)), world_map::palette::kLand) << land.lonDeg;
        ++landSeen;
    }
    EXPECT_GE(landSeen, 2);
}

// Where the track leaves at the east edge, the row of pixels at that latitude
// carries the day's colour only near the track: no line runs across the map.
TEST(MapPicture, TracksLeaveAtOneEdgeAndComeBackAtTheOther)
{
    const auto scene = map_test::Scene(map_test::SunSync(14, 1, 3));
    const world_map::DayGeometry& day = scene->Map().Day(0);
    const QImage image = world_map::RenderMapImage(*scene, 1, kSize);
    const QColor colour = ToQColor(DayColour(0, 1));
    int crossings = 0;
    for (const world_map::Polyline& piece : day.track) {
        if (std::fabs(piece.back().lonDeg) != 180)
            continue;
        ++crossings;
        const double lat = piece.back().latDeg;
        EXPECT_TRUE(ColourNear(image, PixelOf(image, {179.8, lat}), colour, 3, 40)) << lat;
        EXPECT_TRUE(ColourNear(image, PixelOf(image, {-179.8, lat}), colour, 3, 40)) << lat;
        for (double lon = -178; lon <= 178; lon += 0.5) {
            if (DegreesFromTrack(day, {lon, lat}) > 1.5) {
                ASSERT_FALSE(ColourNear(image, PixelOf(image, {lon, lat}), colour, 0, 40)) << lon << ", " << lat;
            }
        }
    }
    EXPECT_GE(crossings, 10);
}

// The swath tints the ground within its reach, translucently, and leaves the
// rest of the picture as it was. Probed in open sea off West Africa, away
// from the graticule.
TEST(MapPicture, SwathTintsTheGroundNearTheTrackOnly)
{
    const world_map::MapDesign design = map_test::SunSync(14, 1, 3);
    const auto plainScene = map_test::Scene(design);
    const QImage plain = world_map::RenderMapImage(*plainScene, 1, kSize);
    const QImage swath = world_map::RenderMapImage(*map_test::Scene(design, 1000), 1, kSize);
    const world_map::DayGeometry& day = plainScene->Map().Day(0);
    const QColor sea = world_map::palette::kSea, tint = ToQColor(DayColour(0, 1));
    const double alpha = 56.0 / 255;
    const QColor blend(qRound(sea.red() * (1 - alpha) + tint.red() * alpha),
                       qRound(sea.green() * (1 - alpha) + tint.green() * alpha),
                       qRound(sea.blue() * (1 - alpha) + tint.blue() * alpha));
    int tinted = 0, untouched = 0;
    for (double lon = -28.5; lon < 5; lon += 1)
        for (const double lat : {-3.5, -1.5, 1.5}) {
            // Leave out day 0's first node: its mark, and the band starts there.
            if (std::hypot(lon, lat) < 4)
                continue;
            const double fromTrack = DegreesFromTrack(day, {lon, lat});
            const QPoint pixel = PixelOf(swath, {lon, lat});
            ASSERT_EQ(plain.pixelColor(pixel), fromTrack > 1 ? sea : plain.pixelColor(pixel)) << lon << ", " << lat;
            // Half the width is 4.5 degrees; samples lie up to a degree apart.
            if (fromTrack > 1 && fromTrack < 3) {
                EXPECT_TRUE(map_test::Close(swath.pixelColor(pixel), blend, 2)) << lon << ", " << lat;
                ++tinted;
            } else if (fromTrack > 6.5) {
                EXPECT_EQ(swath.pixelColor(pixel), sea) << lon << ", " << lat;
                ++untouched;
            }
        }
    EXPECT_GE(tinted, 3);
    EXPECT_GE(untouched, 3);
}

// How far a picture painted in strips (PaintMapBase, PaintMapOverlay) lies
// from the one a single painter makes: the largest difference of a colour
// channel, and the share of pixels and the worst row's share that differ by
// more than 8.
struct StripDifference {
    int worst = 0;
    double differingShare = 0;
    double worstRowShare = 0;
};

StripDifference PaintedInStripsAndByOne(const world_map::MapScene& scene, double ratio, int days, int strips,
                                        const world_map::Viewport& view)
{
    const QSize size(700, 380);
    QImage byOne(size * ratio, QImage::Format_ARGB32_Premultiplied);
    byOne.setDevicePixelRatio(ratio);
    byOne.fill(Qt::red);  // shows through wherever nothing is painted
    QImage inStrips = byOne.copy();
    const QRectF target(QPointF(0, 0), QSizeF(size));
    const world_map::MapStyle style{world_map::PictureFont(size), true, true};
    {
        QPainter painter(&byOne);
        world_map::DrawGroundTrackMap(painter, target, scene, days, view, style);
    }
    world_map::PaintMapBase(inStrips, target, scene.World(), view, style, strips);
    world_map::PaintMapOverlay(inStrips, target, scene, days, view, style, strips);

    StripDifference difference;
    int differing = 0;
    for (int y = 0; y < byOne.height(); ++y) {
        int differingInRow = 0;
        for (int x = 0; x < byOne.width(); ++x) {
            const QRgb a = byOne.pixel(x, y), b = inStrips.pixel(x, y);
            const int most = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                       std::abs(qBlue(a) - qBlue(b))});
            difference.worst = std::max(difference.worst, most);
            differingInRow += most > 8;
        }
        differing += differingInRow;
        difference.worstRowShare = std::max(difference.worstRowShare, double(differingInRow) / byOne.width());
    }
    difference.differingShare = double(differing) / (byOne.width() * byOne.height());
    return difference;
}

// Painted in strips on several threads, the map is the picture one painter
// makes: no seam or unpainted row where strips meet, at 100 and 200 per
// cent, zoomed or not. With three days (wide lines, the swath's tint at full
// size) it agrees to rounding. Past ten days the tracks are one-pixel lines,
// which the rasteriser lays a fraction of a pixel differently where a
// strip's edge cuts them, and the tint is enlarged: the picture then differs
// in the odd pixel along the lines, never in a row or a band.
TEST(MapPicture, PaintedInStripsAsByOnePainter)
{
    struct Case {
        const char* name;
        int days;
        double ratio;
        int strips;
        world_map::Viewport view;
    } const cases[] = {
        {"ThreeDaysTwoStrips", 3, 1, 2, {}},
        {"ThreeDaysFiveStripsAt200Percent", 3, 2, 5, {}},
        {"ThreeDaysThreeStripsZoomed", 3, 1, 3, {30, 40, 4}},
        {"ThirtyDaysSevenStripsAt200Percent", 30, 2, 7, {}},
        {"ThirtyDaysThreeStripsZoomed", 30, 1, 3, {30, 40, 4}},
    };
    const auto scene = map_test::Scene(map_test::SunSync(14, 7, 30), 290);
    for (const Case& c : cases) {
        const StripDifference difference = PaintedInStripsAndByOne(*scene, c.ratio, c.days, c.strips, c.view);
        if (c.days <= 10) {
            EXPECT_LE(difference.worst, 3) << c.name;
        } else {
            EXPECT_LT(difference.differingShare, 0.05) << c.name;
            EXPECT_LT(difference.worstRowShare, 0.8) << c.name;
        }
    }
}

TEST(MapPicture, SvgStaysAVectorDrawing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("map.svg");
    world_map::WriteMapSvg(*map_test::Scene(map_test::SunSync(14, 1, 3), 290), 3, path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    EXPECT_TRUE(svg.contains("<path"));
    EXPECT_FALSE(svg.contains("<image"));
    EXPECT_TRUE(svg.contains("N 14, M 1, Q 3, sun-synchronous"));
    EXPECT_TRUE(svg.contains("Land: Natural Earth"));
}

// A zoomed map saved as SVG stays inside its frame: the margins beside and
// above it show the paper only, as in the PNG.
TEST(MapPicture, ZoomedSvgIsCutAtTheFrame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("zoomed.svg");
    const world_map::Viewport view{20, 10, 4};
    world_map::WriteMapSvg(*map_test::Scene(map_test::SunSync(14, 1, 3), 290), 3, path, kSize, view);
    QSvgRenderer renderer(path);
    ASSERT_TRUE(renderer.isValid());
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const world_map::MapStyle style{world_map::PictureFont(kSize), true, true};
    const QRectF frame = world_map::LayOutMap(QRectF(image.rect()), style, &image).frame;
    int stray = 0;
    for (int y = static_cast<int>(frame.top()) + 10; y < static_cast<int>(frame.bottom()) - 10; y += 5)
        for (int x = 0; x < static_cast<int>(frame.left()) - 3; ++x)
            if (image.pixelColor(x, y) != world_map::palette::kPaper)
                ++stray;
    EXPECT_EQ(stray, 0);
}

// At the smallest size the legend's entries stop short of the land's credit:
// the credit looks the same whether one day or ten are listed before it.
TEST(MapPicture, LegendLeavesTheLandsCreditFreeAtTheSmallestSize)
{
    const auto scene = map_test::Scene(map_test::SunSync(14, 3, 10));
    const QImage one = world_map::RenderMapImage(*scene, 1, world_map::kMinPictureSize);
    const QImage ten = world_map::RenderMapImage(*scene, 10, world_map::kMinPictureSize);
    const world_map::MapStyle style{world_map::PictureFont(one.size()), true, true};
    const QRectF legend = world_map::LayOutMap(QRectF(one.rect()), style, &one).legend;
    const double creditWidth =
        QFontMetricsF(style.font, &one).horizontalAdvance(QString::fromUtf8(world_map::kLandCredit));
    const QRect credit = QRectF(legend.right() - creditWidth - 2, legend.top(), creditWidth + 2, legend.height())
                             .toAlignedRect()
                             .intersected(one.rect());
    ASSERT_FALSE(credit.isEmpty());
    EXPECT_EQ(one.copy(credit), ten.copy(credit));
}

TEST(MapPicture, FailuresLeaveNoFileBehind)
{
    QTemporaryDir dir;
    const auto scene = map_test::Scene(map_test::SunSync(14, 1, 3));
    const QString kept = dir.filePath("kept.png");
    {
        QFile file(kept);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier picture");
    }
    struct Case {
        const char* name;
        std::function<void()> write;
        orbit::ErrorKind kind;
    } const cases[] = {
        {"FolderMissing", [&] { world_map::WriteMapPng(*scene, 3, dir.filePath("none/map.png")); },
         orbit::ErrorKind::File},
        {"TooManyDays", [&] { world_map::WriteMapPng(*scene, 4, kept); }, orbit::ErrorKind::Usage},
        {"TooSmall", [&] { world_map::WriteMapSvg(*scene, 3, kept, QSize(100, 50)); }, orbit::ErrorKind::Usage},
    };
    for (const Case& c : cases) {
        try {
            c.write();
            ADD_FAILURE() << c.name << ": no error";
        } catch (const orbit::OrbitError& e) {
            EXPECT_EQ(e.Kind(), c.kind) << c.name;
        }
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("none/map.png")));
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "earlier picture");
}

}  // namespace

namespace {

// The graticule's labels on maps from the explorer's thumbnail to a poster:
// each inside the frame and clear of the others, and a large map names
// every meridian.
class GraticuleLabelFit : public ::testing::TestWithParam<int> {};

TEST_P(GraticuleLabelFit, EachLabelLiesInsideTheFrameAndClearOfTheOthers)
{
    const int width = GetParam();
    const QRectF frame(10, 10, width, width / 2.0);
    QFont font;
    font.setPixelSize(11);
    const QFontMetricsF metrics(font);
    const std::vector<world_map::GraticuleLabel> labels =
        world_map::GraticuleLabels(frame, metrics, world_map::DegreesToFrame(frame, {}));
    std::vector<QRectF> boxes;
    for (const world_map::GraticuleLabel& label : labels) {
        const QRectF box(label.baseline.x(), label.baseline.y() - metrics.ascent(),
                         metrics.horizontalAdvance(label.text), metrics.height());
        EXPECT_TRUE(frame.contains(box)) << label.text.toStdString() << " at width " << width;
        for (const QRectF& other : boxes)
            EXPECT_FALSE(box.intersects(other)) << label.text.toStdString() << " at width " << width;
        boxes.push_back(box);
    }
    if (width >= 1000) {
        int meridians = 0;
        for (const world_map::GraticuleLabel& label : labels)
            meridians += label.baseline.y() > frame.bottom() - metrics.height() ? 1 : 0;  // along the foot
        EXPECT_EQ(meridians, 11) << "every 30 degrees from 150 W to 150 E";
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, GraticuleLabelFit, ::testing::Values(240, 320, 480, 640, 1000, 1600),
                         [](const ::testing::TestParamInfo<int>& w) { return "Width" + std::to_string(w.param); });

}  // namespace

#include "pattern_qt/picture_export.h"

#include "core/orbit_error.h"
#include "core/repeat_orbit_solver.h"
#include "pattern_qt/display_command.h"
#include "pattern_qt/rel_ground.h"
#include "tests/gui/pattern_qt/picture_probe.h"
#include "tests/libs/pattern/solved_design.h"
#include "tests/support/error_text.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using pattern_test::Design;
using pattern_test::kBarRed;
using orbit::DesignRecord;
using orbit::OrbitType;
using pattern_test::AllOf;
using pattern_test::ColourNear;
using pattern_test::PixelOf;
using pattern::RenderPatternImage;

// Under each bar the bar colour, two pixels thick; day lines in black; white
// wherever nothing is drawn. Made smaller, a one-pixel line is half covered.
TEST(RenderPatternImage, BarsLinesAndBackgroundAtEachScale)
{
    const DesignRecord d = Design(14, 1, 3);
    for (double scale : {1.0, 2.0, 0.5}) {
        SCOPED_TRACE(scale);
        const QImage image = RenderPatternImage(d, scale);
        EXPECT_EQ(image.size(), QSize(static_cast<int>(std::lround(749 * scale)), static_cast<int>(std::lround(270 * scale))));
        for (double x : {12.0, 38.0, 6.0, 44.0})
            EXPECT_TRUE(ColourNear(image, x, 35, kBarRed)) << x;
        EXPECT_TRUE(ColourNear(image, 18.302, 20, Qt::black, 2, scale < 1 ? 128 : 0));
        EXPECT_TRUE(AllOf(image, 30, 2, 48, 30, Qt::white));
        EXPECT_TRUE(AllOf(image, 0, 0, 3, 33, Qt::white));

        // The bar's thickness is its pen width in pixels, magnified.
        const QPoint onBar = PixelOf(image, 38, 35);
        int redRows = 0;
        for (int y = onBar.y() - 6; y <= onBar.y() + 6; ++y)
            redRows += image.pixelColor(onBar.x(), y).rgb() == kBarRed.rgb();
        EXPECT_EQ(redRows, std::lround(2 * scale));
    }
}

// The labels are drawn: the area under the right bar where its text starts
// holds text pixels, and the text is not boxed in a background of its own.
TEST(RenderPatternImage, SpacingLabelsAreDrawnUnderTheBars)
{
    const QImage image = RenderPatternImage(Design(14, 1, 3));
    bool inkUnderRightBar = false;
    const QPoint from = PixelOf(image, 31.1, 37), to = PixelOf(image, 45, 39.9);
    for (int y = from.y(); y < to.y(); ++y)
        for (int x = from.x(); x < to.x(); ++x)
            inkUnderRightBar |= image.pixelColor(x, y).rgb() != QColor(Qt::white).rgb();
    EXPECT_TRUE(inkUnderRightBar);
    EXPECT_TRUE(AllOf(image, 31.1, 36.3, 40, 36.9, Qt::white));  // between bar and text
}

// On a window with white background and black text the file and the window
// show the very same pixels.
TEST(RenderPatternImage, MatchesTheWindowsPicture)
{
    pattern::RelGround& window = pattern::RelGround::Instance();
    const QPalette palette = window.palette();
    if (palette.color(QPalette::Base) != Qt::white || palette.color(QPalette::Text) != Qt::black ||
        window.devicePixelRatioF() != 1 || window.logicalDpiY() != 96)
        GTEST_SKIP() << "the desktop's colours or resolution differ from the file's";
    window.Unload();
    const DesignRecord d = Design(14, 1, 3, OrbitType::SunSynchronous);
    pattern::DisplayPattern(d);
    const QImage shown = window.Picture().convertToFormat(QImage::Format_RGB32);
    window.Unload();
    EXPECT_EQ(RenderPatternImage(d), shown);
}

TEST(WritePattern, PngAndSvgFilesHoldThePicture)
{
    QTemporaryDir dir;
    const DesignRecord d = Design(14, 1, 3);
    const QString png = dir.filePath("pattern.png"), svg = dir.filePath("pattern.svg");
    pattern::WritePatternPng(d, png, 2);
    const QImage read(png);
    EXPECT_EQ(read.size(), QSize(1498, 540));
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), RenderPatternImage(d, 2).convertToFormat(QImage::Format_RGB32));

    pattern::WritePatternSvg(d, svg);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("width=\"749"));
    EXPECT_TRUE(text.contains("viewBox=\"0 0 749 270\""));
    EXPECT_TRUE(text.contains("Orbit spacing 25.12 degrees"));
    EXPECT_TRUE(text.contains("#ff0000"));
}

// A picture that cannot be drawn writes nothing, and leaves an existing file
// as it was.
TEST(WritePattern, FailedDrawingLeavesTheFileAlone)
{
    QTemporaryDir dir;
    const DesignRecord bad = Design(0, -15, 1);  // spacing -24 degrees
    const QString fresh = dir.filePath("fresh.png");
    EXPECT_EQ(ErrorOf([&] { pattern::WritePatternPng(bad, fresh); }), "Overflow");
    EXPECT_FALSE(QFile::exists(fresh));

    const QString kept = dir.filePath("kept.svg");
    pattern::WritePatternSvg(Design(14, 1, 3), kept);
    QFile before(kept);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray original = before.readAll();
    before.close();
    EXPECT_EQ(ErrorOf([&] { pattern::WritePatternSvg(bad, kept); }), "Overflow");
    QFile after(kept);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), original);
}

TEST(WritePattern, UnwritablePathAndBadScaleAreErrors)
{
    QTemporaryDir dir;
    const DesignRecord d = Design(14, 1, 3);
    const auto writeIntoMissingDir = [&] { pattern::WritePatternPng(d, dir.filePath("no/such/dir.png")); };
    const std::string missingDir = ErrorOf(writeIntoMissingDir);
    EXPECT_EQ(missingDir.rfind("Cannot write ", 0), 0u) << missingDir;
    EXPECT_EQ(ErrorKindOf(writeIntoMissingDir), orbit::ErrorKind::File);
    for (double scale : {0.0, -1.0, 10.5, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(ErrorKindOf([&] { pattern::RenderPatternImage(d, scale); }), orbit::ErrorKind::Usage) << scale;
        EXPECT_EQ(ErrorKindOf([&] { pattern::WritePatternSvg(d, dir.filePath("s.svg"), scale); }),
                  orbit::ErrorKind::Usage)
            << scale;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("s.svg")));
}

}  // namespace

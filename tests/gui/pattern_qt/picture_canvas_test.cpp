#include "pattern_qt/picture_canvas.h"

#include "core/orbit_error.h"
#include "pattern_qt/painter_surface.h"
#include "tests/gui/pattern_qt/picture_probe.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <limits>

namespace {

using pattern::PictureCanvas;
using pattern_test::AllOf;
using pattern_test::ColourNear;

const QSizeF kSize(749, 270);

PictureCanvas Canvas()
{
    PictureCanvas canvas(kSize, Qt::black, QGuiApplication::font());
    canvas.Scale(0, 0, 50, 40);
    return canvas;
}

QImage White()
{
    QImage image(kSize.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(PictureCanvas, ScaleMapsTheCornersOntoThePicture)
{
    PictureCanvas canvas = Canvas();
    EXPECT_EQ(canvas.ToLogical(0, 0), QPointF(0, 0));
    EXPECT_EQ(canvas.ToLogical(50, 40), QPointF(749, 270));
    EXPECT_EQ(canvas.ToLogical(25, 20), QPointF(374.5, 135));
    // Corners may be given the other way round: y growing upwards.
    canvas.Scale(-10, 5, 10, -5);
    EXPECT_EQ(canvas.ToLogical(-10, 5), QPointF(0, 0));
    EXPECT_EQ(canvas.ToLogical(0, 0), QPointF(374.5, 135));
}

TEST(PictureCanvas, InvalidArgumentsAreErrors)
{
    PictureCanvas canvas = Canvas();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_THROW(canvas.Scale(0, 0, 0, 40), orbit::OrbitError);
    EXPECT_THROW(canvas.Scale(0, 7, 50, 7), orbit::OrbitError);
    EXPECT_THROW(canvas.Scale(0, 0, nan, 40), orbit::OrbitError);
    EXPECT_THROW(canvas.DrawWidth(0), orbit::OrbitError);
    EXPECT_THROW(canvas.DrawWidth(-2), orbit::OrbitError);
    // The failed calls changed nothing.
    EXPECT_EQ(canvas.ToLogical(50, 40), QPointF(749, 270));
}

// Lines reaching far beyond the picture (a spacing of hundreds of degrees
// puts tracks there) are cut to what can be seen.
TEST(PictureCanvas, FarOffLinesDrawTheirVisiblePart)
{
    QImage image = White();
    QPainter painter(&image);
    const PictureCanvas canvas = Canvas();
    canvas.Line(painter, -1e30f, 20, 1e30f, 20, pattern::Rgb{255, 0, 0});
    canvas.Line(painter, 10, -3e38f, 10, 3e38f, std::nullopt);
    canvas.Line(painter, 1e20f, 1e20f, 2e20f, 2e20f, std::nullopt);  // nowhere near
    painter.end();
    for (double x : {0.1, 25.0, 49.9})
        EXPECT_TRUE(ColourNear(image, x, 20, QColor(255, 0, 0), 1)) << x;
    for (double y : {0.1, 30.0, 39.9})
        EXPECT_TRUE(ColourNear(image, 10, y, Qt::black, 1)) << y;
    EXPECT_TRUE(AllOf(image, 11, 0, 49.9, 19, Qt::white));
}

// Printing moves on to the start of the next text line, so a second print
// without a new position lands at the left edge, one line lower.
TEST(PictureCanvas, PrintMovesToTheNextLine)
{
    QImage image = White();
    QPainter painter(&image);
    pattern::PainterSurface surface(painter, Canvas());
    surface.CurrentX(30);
    surface.CurrentY(10);
    surface.Print("WWWW");
    surface.Print(7);
    painter.end();
    EXPECT_TRUE(AllOf(image, 0, 0, 29, 10, Qt::white));  // nothing before the first text
    bool inkAtLeftEdge = false;
    for (int y = 0; y < 270 && !inkAtLeftEdge; ++y)
        for (int x = 0; x < 30; ++x)
            inkAtLeftEdge |= image.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_TRUE(inkAtLeftEdge);
}

}  // namespace

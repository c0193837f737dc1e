// Painting one image in strips on several threads: every row painted once,
// in the whole image's coordinates, and a failure in any strip reaching the
// caller.

#include "map_qt/strip_painting.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(StripPainting, EveryRowIsPaintedInTheWholeImagesCoordinates)
{
    for (const int strips : {1, 2, 3, 7, 500}) {
        QImage image(64, 300, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::red);
        // A band at a fixed place of the whole image, and the rest white.
        world_map::PaintInStrips(image, [](QPainter& painter) {
            painter.fillRect(QRectF(0, 0, 32, 150), Qt::white);
            painter.fillRect(QRectF(0, 40, 32, 10), Qt::blue);
        }, strips);
        for (int y = 0; y < image.height(); ++y) {
            const QColor expected = y >= 80 && y < 100 ? QColor(Qt::blue) : QColor(Qt::white);
            ASSERT_EQ(image.pixelColor(0, y), expected) << strips << " strips, row " << y;
            ASSERT_EQ(image.pixelColor(63, y), expected) << strips << " strips, row " << y;
        }
    }
}

// Painting on a start picture: the image becomes it with the paint on top,
// and the start picture stays as it was.
TEST(StripPainting, PaintsOverAStartPictureLeavingItAsItWas)
{
    QImage start(20, 400, QImage::Format_ARGB32_Premultiplied);
    start.fill(Qt::green);
    for (const int strips : {1, 3}) {
        QImage image(start.size(), start.format());
        world_map::PaintInStrips(image, [](QPainter& painter) { painter.fillRect(0, 100, 10, 200, Qt::blue); },
                                 strips, &start);
        EXPECT_EQ(image.pixelColor(5, 50), QColor(Qt::green)) << strips;
        EXPECT_EQ(image.pixelColor(5, 299), QColor(Qt::blue)) << strips;
        EXPECT_EQ(image.pixelColor(15, 200), QColor(Qt::green)) << strips;
        EXPECT_EQ(start.pixelColor(5, 200), QColor(Qt::green)) << strips;
    }
    QImage other(20, 300, start.format());
    EXPECT_THROW(world_map::PaintInStrips(other, [](QPainter&) {}, 2, &start), std::invalid_argument);
}

TEST(StripPainting, AFailureInAnyStripReachesTheCaller)
{
    QImage image(16, 400, QImage::Format_ARGB32_Premultiplied);
    const auto failInLastStrip = [](QPainter& painter) {
        if (painter.transform().dy() < -250)
            throw std::runtime_error("last strip");
    };
    EXPECT_THROW(world_map::PaintInStrips(image, failInLastStrip, 4), std::runtime_error);
}

TEST(StripPainting, SmallPicturesAreNotCut)
{
    EXPECT_EQ(world_map::StripCount(0), 1);
    EXPECT_EQ(world_map::StripCount(150), 1);
    EXPECT_GE(world_map::StripCount(4000), 1);
    EXPECT_LE(world_map::StripCount(4000), 8);
}

}  // namespace

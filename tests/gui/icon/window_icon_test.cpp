// The window's 32 x 32 icon, now rendered from the SVG picture, against the
// picture the program drew pixel by pixel before ('#' black, '.' yellow).

#include "design_window/window_icon.h"

#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QRect>

namespace {

const char* const kDrawnIcon[32] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "............#######.............",
    "..........##.......##...........",
    ".........#...........#....#.....",
    "........#.............#..##.....",
    ".......#...............#####....",
    "......#.................#####...",
    ".....#.................######...",
    ".....#.................######...",
    "....#.....................#.....",
    "....#.....................#.....",
    "....#.....................#.....",
    "....#.....................#.....",
    "....#.....................#.....",
    "....#.....................#.....",
    "....#.....................#.....",
    ".....#...................##.....",
    ".....#...................##.....",
    "......#.................#.......",
    ".......#...............#........",
    "........#.............#.........",
    ".........#...........#..........",
    "..........##.......##...........",
    "............#######.............",
    "................................",
    "................................",
    "................................",
    "................................",
};

// The arrowhead: the old drawing filled its triangle with Qt's aliased
// polygon rule, one pixel lopsided; the SVG's triangle sits symmetric on the
// shaft. Its slanted edges may differ by a pixel here and there; the field,
// circle and shaft must match exactly.
const QRect kArrowhead(22, 7, 9, 6);
constexpr int kMostArrowheadPixelsThatMayDiffer = 3;

TEST(WindowIcon, MatchesTheDrawnPictureExceptOnTheArrowheadsEdges)
{
    const QImage icon = design_window::DesignIconImage();
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_LE(icon.colorCount(), 16);
    int arrowheadDifferences = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb drawn = kDrawnIcon[y][x] == '#' ? qRgb(0, 0, 0) : qRgb(255, 255, 0);
            if (icon.pixel(x, y) == drawn)
                continue;
            if (kArrowhead.contains(x, y))
                ++arrowheadDifferences;
            else
                ADD_FAILURE() << "pixel " << x << "," << y << " differs";
        }
    }
    EXPECT_LE(arrowheadDifferences, kMostArrowheadPixelsThatMayDiffer);
}

TEST(WindowIcon, OffersTheDrawnPictureAt32AndSmoothOnesAtOtherSizes)
{
    const QIcon icon = design_window::DesignIcon();
    EXPECT_EQ(icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_RGB32),
              design_window::DesignIconImage().convertToFormat(QImage::Format_RGB32));
    for (const int sizePx : {16, 64, 256})
        EXPECT_TRUE(icon.availableSizes().contains(QSize(sizePx, sizePx))) << sizePx;
}

}  // namespace

#include "platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using platform::PlaceOnScreen;

struct PlacementCase {
    const char* description;
    QRect available;
    QMargins frame;
    QPoint frameTopLeft;  // expected
    QSize client;         // expected
};

void PrintTo(const PlacementCase& c, std::ostream* out) { *out << c.description; }

// The pattern window as designed at 96 dpi: 749 x 270 at (144, 70), with a
// 24-pixel title bar and 4-pixel borders; it needs at least 73 x 27.
const QPoint kDesignedAt(144, 70);
const QSize kDesigned(749, 270);
const QMargins kFrame(4, 24, 4, 4);
const QSize kMinimum(73, 27);

class Placement : public testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, KeepsTheWholeWindowInTheAvailableArea)
{
    const PlacementCase& c = GetParam();
    const platform::WindowPlacement placed = PlaceOnScreen(kDesignedAt, kDesigned, c.frame, c.available, kMinimum);
    EXPECT_EQ(placed.frameTopLeft, c.frameTopLeft);
    EXPECT_EQ(placed.clientSize, c.client);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, Placement,
    testing::Values(
        PlacementCase{"Roomy", QRect(0, 0, 1920, 1080), kFrame, kDesignedAt, kDesigned},
        PlacementCase{"BelowATopPanel", QRect(0, 32, 1920, 1048), kFrame, QPoint(144, 70), kDesigned},
        PlacementCase{"TooNarrowAtItsPlace", QRect(0, 0, 800, 600), kFrame, QPoint(800 - 757, 70), kDesigned},
        PlacementCase{"TooNarrowWithoutAFrame", QRect(0, 0, 800, 600), QMargins(), QPoint(51, 70), kDesigned},
        // 683 x 384 is a 1366 x 768 screen at 200 %: shrunk in proportion.
        PlacementCase{"SmallerThanTheWindow", QRect(0, 0, 683, 384), kFrame, QPoint(0, 70),
                      QSize(675, 243)},
        PlacementCase{"SecondScreenOnTheRight", QRect(1920, 0, 683, 384), kFrame, QPoint(1920, 70),
                      QSize(675, 243)},
        PlacementCase{"TooLowForItsPlace", QRect(0, 0, 1920, 300), kFrame, QPoint(144, 300 - 298), kDesigned},
        PlacementCase{"SmallerThanItsMinimum", QRect(10, 20, 40, 20), kFrame, QPoint(10, 20), kMinimum}),
    [](const testing::TestParamInfo<PlacementCase>& testInfo) { return testInfo.param.description; });

// A window asked for more than its screen offers opens within it, in the
// proportions asked for; one that fits opens at the size asked for.
TEST(SizeToScreen, ShrinksAWindowLargerThanTheScreenInProportion)
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.setMinimumSize(40, 20);
    platform::SizeToScreen(window, available.size() * 3);
    const QMargins frame = platform::FrameMarginsOf(window);
    EXPECT_LE(window.width() + frame.left() + frame.right(), available.width());
    EXPECT_LE(window.height() + frame.top() + frame.bottom(), available.height());
    EXPECT_NEAR(double(window.width()) / window.height(), double(available.width()) / available.height(), 0.02);

    platform::SizeToScreen(window, QSize(120, 60));
    EXPECT_EQ(window.size(), QSize(120, 60));
}

}  // namespace

#include "platform/twips.h"

#include <gtest/gtest.h>

namespace {

using platform::Dpi;
using platform::TwipsToPixels;

TEST(Twips, FifteenTwipsAreOnePixelAt96Dpi)
{
    EXPECT_EQ(TwipsToPixels(0, 0, 7020, 6435, Dpi{96, 96}), QRect(0, 0, 468, 429));
    EXPECT_EQ(TwipsToPixels(4920, 960, 1575, 735, Dpi{96, 96}), QRect(328, 64, 105, 49));
    EXPECT_EQ(TwipsToPixels(4200, 2880, Dpi{96, 96}), QPoint(280, 192));
}

TEST(Twips, ScalesWithTheLogicalDpi)
{
    EXPECT_EQ(TwipsToPixels(0, 0, 7020, 6435, Dpi{192, 192}), QRect(0, 0, 936, 858));
    EXPECT_EQ(TwipsToPixels(0, 0, 7020, 6435, Dpi{120, 144}), QRect(0, 0, 585, 644));
}

TEST(Twips, ControlsThatTouchInTheDesignTouchAtEveryDpi)
{
    // Two boxes side by side at 600..1095 and 1095..1590 twips.
    for (const double dpi : {96.0, 110.0, 120.0, 133.0, 144.0}) {
        const QRect left = TwipsToPixels(600, 0, 495, 285, Dpi{dpi, dpi});
        const QRect right = TwipsToPixels(1095, 0, 495, 285, Dpi{dpi, dpi});
        EXPECT_EQ(left.right() + 1, right.left()) << "at " << dpi << " dpi";
    }
}

TEST(Twips, PenWidthsScaleButNeverVanish)
{
    EXPECT_EQ(platform::ScaledPixels(2, Dpi{96, 96}), 2);
    EXPECT_EQ(platform::ScaledPixels(2, Dpi{192, 192}), 4);
    EXPECT_EQ(platform::ScaledPixels(1, Dpi{30, 30}), 1);
}

}  // namespace

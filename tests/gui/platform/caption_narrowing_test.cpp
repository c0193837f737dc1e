// The narrowing of a caption's font: a caption that fits keeps its font, one
// that would be clipped is narrowed just enough, keeping size and weight.
// Whether the design window's own captions fit their places is tested with
// the window (captions_in_place_test.cpp).

#include "platform/caption_fit.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>

namespace {

QFont Sans(double points, bool bold = false)
{
    QFont font("DejaVu Sans");
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

TEST(CaptionNarrowing, AFittingCaptionKeepsItsFont)
{
    const QFont font = Sans(7.5);
    const QFont fitted = platform::FitCaptionFont(font, "Exit", QSize(81, 25), false);
    EXPECT_EQ(fitted, font);
}

TEST(CaptionNarrowing, AWideCaptionIsNarrowedKeepingSizeAndWeight)
{
    // Each caption gets 85 % of the width its longest unbroken run needs.
    struct Case {
        const char* text;
        const char* longestRun;
        bool wrap;
    };
    const Case cases[] = {
        {"0.1", "0.1", false},
        {"Sun-Synchronous inclination, deg", "Sun-Synchronous inclination, deg", false},
        {"Ground track synchronized after this number of days", "synchronized", true},
    };
    const QFont font = Sans(8.25, true);
    for (const Case& c : cases) {
        const int width = static_cast<int>(0.85 * QFontMetricsF(font).horizontalAdvance(c.longestRun));
        const QSize area(width, 40);
        ASSERT_FALSE(platform::CaptionFitsWidth(font, c.text, area, c.wrap)) << c.text << " fits already";
        const QFont fitted = platform::FitCaptionFont(font, c.text, area, c.wrap);
        EXPECT_TRUE(platform::CaptionFitsWidth(fitted, c.text, area, c.wrap)) << c.text;
        EXPECT_LT(fitted.stretch(), 100) << c.text;
        QFont wider = fitted;
        wider.setStretch(fitted.stretch() + 5);
        EXPECT_FALSE(platform::CaptionFitsWidth(wider, c.text, area, c.wrap)) << c.text << ": narrowed more than needed";
        EXPECT_EQ(fitted.pointSizeF(), font.pointSizeF());
        EXPECT_EQ(fitted.weight(), font.weight());
    }
}

TEST(CaptionNarrowing, AWordLongerThanALineNeverFits)
{
    EXPECT_FALSE(platform::CaptionFitsWidth(Sans(8), "inclination,", QSize(30, 100), true));
    EXPECT_TRUE(platform::CaptionFitsWidth(Sans(8), "inclination, degrees", QSize(80, 100), true));
}

}  // namespace

// The pattern shown on a widget beside other things.

#include "pattern_qt/pattern_view.h"

#include "tests/gui/pattern_qt/picture_probe.h"
#include "tests/libs/pattern/solved_design.h"

#include <gtest/gtest.h>

namespace {

using pattern_test::Design;

TEST(PatternView, FitsThePatternIntoTheWidgetKeepingItsProportions)
{
    pattern::PatternView view;
    view.resize(400, 400);
    view.show();
    view.SetDesign(Design(14, 1, 3));
    const QImage& picture = view.Picture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_NEAR(picture.deviceIndependentSize().width(), 400, 1);
    EXPECT_NEAR(picture.deviceIndependentSize().height(), 400 * 270.0 / 749, 1);
    // The red scale bars sit where the pattern window has them.
    EXPECT_TRUE(pattern_test::ColourNear(picture, 12, 35, pattern_test::kBarRed));
    EXPECT_TRUE(pattern_test::ColourNear(picture, 38, 35, pattern_test::kBarRed));

    view.resize(300, 80);  // now the height limits it
    EXPECT_NEAR(view.Picture().deviceIndependentSize().height(), 80, 1);
}

TEST(PatternView, NoDesignShowsNothingAndAFailedDrawingShowsItsError)
{
    pattern::PatternView view;
    view.resize(300, 200);
    view.SetDesign(std::nullopt);
    EXPECT_TRUE(view.Picture().isNull());
    EXPECT_TRUE(view.DrawingError().isEmpty());

    view.SetDesign(Design(0, -15, 1));  // completes with a negative spacing: the day search overflows
    EXPECT_TRUE(view.Picture().isNull());
    EXPECT_EQ(view.DrawingError(), "Overflow");

    view.SetDesign(Design(14, 1, 3));
    EXPECT_FALSE(view.Picture().isNull());
    EXPECT_TRUE(view.DrawingError().isEmpty());
}

}  // namespace

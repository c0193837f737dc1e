#include "pattern_qt/rel_ground.h"

#include "core/orbit_error.h"
#include "core/repeat_orbit_solver.h"
#include "pattern_qt/display_command.h"
#include "tests/gui/pattern_qt/picture_probe.h"
#include "tests/libs/pattern/solved_design.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using pattern_test::Design;
using pattern_test::kBarRed;
using orbit::DesignRecord;
using orbit::OrbitType;
using pattern::RelGround;
using pattern_test::AllOf;
using pattern_test::ColourNear;

// Day 1 of N 14, M 1, Q 3 lies at x = 18.302; of N 14, M -1, Q 3 at x = 32.024.
const double kEastDay1X = 18.302, kWestDay1X = 32.024;

class RelGroundWindow : public testing::Test {
protected:
    void SetUp() override
    {
        window.Unload();
        loadsBefore = window.LoadCount();
    }
    void TearDown() override { window.Unload(); }

    QColor Fore() const { return window.palette().color(QPalette::Text); }
    QColor Back() const { return window.palette().color(QPalette::Base); }

    RelGround& window = RelGround::Instance();
    int loadsBefore = 0;
};

TEST_F(RelGroundWindow, LoadsWithItsDesignedLookOnFirstDisplay)
{
    EXPECT_FALSE(window.IsLoaded());
    pattern::DisplayPattern(Design(14, 1, 3));
    EXPECT_TRUE(window.IsLoaded());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.parentWidget(), nullptr);  // modeless, without an owner
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.LoadCount(), loadsBefore + 1);
    EXPECT_EQ(window.windowTitle(), "Relative Ground Tracks");
    EXPECT_EQ(window.size(), QSize(749, 270));
    QPushButton* exit = window.LeavePix();
    EXPECT_EQ(exit->text(), "Exit");
    EXPECT_EQ(exit->geometry(), QRect(680, 248, 65, 17));
    EXPECT_EQ(window.findChildren<QWidget*>().size(), 1);
}

TEST_F(RelGroundWindow, ShowsTheDayLinesAndBarsInThePicture)
{
    pattern::DisplayPattern(Design(14, 1, 3));
    const QImage& picture = window.Picture();
    EXPECT_TRUE(ColourNear(picture, 25, 20, Fore()));
    EXPECT_TRUE(ColourNear(picture, kEastDay1X, 20, Fore()));
    EXPECT_TRUE(ColourNear(picture, 35, 35, kBarRed));   // right bar
    EXPECT_TRUE(ColourNear(picture, 15, 35, kBarRed));   // left bar
    EXPECT_TRUE(AllOf(picture, 30, 5, 40, 30, Back()));  // right of the centre: nothing for M > 0
}

// Display twice without closing: no reload, both pictures visible.
TEST_F(RelGroundWindow, SecondDisplayDrawsOverTheFirst)
{
    pattern::DisplayPattern(Design(14, 1, 3));
    pattern::DisplayPattern(Design(14, -1, 3));
    EXPECT_EQ(window.LoadCount(), loadsBefore + 1);
    EXPECT_TRUE(ColourNear(window.Picture(), kEastDay1X, 20, Fore()));
    EXPECT_TRUE(ColourNear(window.Picture(), kWestDay1X, 20, Fore()));
}

// "Exit" unloads: the picture is gone, and the next display starts from a
// freshly loaded, empty window.
TEST_F(RelGroundWindow, ExitDiscardsThePictureAndTheNextDisplayStartsEmpty)
{
    pattern::DisplayPattern(Design(14, 1, 3));
    QTest::mouseClick(window.LeavePix(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.IsLoaded());
    EXPECT_TRUE(window.Picture().isNull());

    window.Show();
    EXPECT_EQ(window.LoadCount(), loadsBefore + 2);
    EXPECT_TRUE(AllOf(window.Picture(), 0, 0, 49.9, 39.9, Back()));

    pattern::DisplayPattern(Design(14, -1, 3));
    EXPECT_EQ(window.LoadCount(), loadsBefore + 2);
    EXPECT_TRUE(ColourNear(window.Picture(), kWestDay1X, 20, Fore()));
    EXPECT_FALSE(ColourNear(window.Picture(), kEastDay1X, 20, Fore()));
}

TEST_F(RelGroundWindow, CloseBoxUnloadsLikeExit)
{
    pattern::DisplayPattern(Design(14, 1, 3));
    window.resize(300, 200);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.IsLoaded());
    pattern::DisplayPattern(Design(14, 1, 3));
    EXPECT_EQ(window.LoadCount(), loadsBefore + 2);
    EXPECT_EQ(window.size(), QSize(749, 270));  // loaded afresh in its designed size
}

// The window is drawn from its backing image, so the picture comes back
// whenever the window is repainted: after minimising, hiding, or covering.
TEST_F(RelGroundWindow, PictureSurvivesMinimisingAndRepainting)
{
    pattern::DisplayPattern(Design(14, 1, 3));
    const QImage drawn = window.Picture().copy();
    window.showMinimized();
    window.Show();
    EXPECT_FALSE(window.isMinimized());
    window.hide();
    window.show();
    EXPECT_EQ(window.Picture(), drawn);
    const QImage onScreen = window.grab().toImage().convertToFormat(drawn.format());
    // The button covers its corner; everything else is the picture.
    EXPECT_EQ(onScreen.copy(0, 0, 670, 270), drawn.copy(0, 0, 670, 270));
}

// Resized, the window scales the picture with its coordinate system and keeps
// the button in its corner; drawing afterwards lands in the same user units.
TEST_F(RelGroundWindow, ResizingScalesThePicture)
{
    pattern::DisplayPattern(Design(14, 1, 3));
    window.resize(1498, 540);
    EXPECT_EQ(window.LeavePix()->geometry(), QRect(1498 - 69, 540 - 22, 65, 17));
    pattern::DisplayPattern(Design(14, -1, 3));
    const QImage onScreen = window.grab().toImage();
    // Shown at twice its size, a one-pixel line is smoothed over two columns.
    EXPECT_TRUE(ColourNear(onScreen, 35, 35, kBarRed, 3, 64));
    EXPECT_TRUE(ColourNear(onScreen, kEastDay1X, 20, Fore(), 3, 64));
    EXPECT_TRUE(ColourNear(onScreen, kWestDay1X, 20, Fore(), 3, 64));
    EXPECT_FALSE(ColourNear(onScreen, 42, 20, Fore(), 3, 64));
}

// A failing display keeps what it drew before the failing step and leaves the
// window usable.
TEST_F(RelGroundWindow, FailedDisplayShowsTheWindowAndKeepsItsPicture)
{
    pattern::DisplayPattern(Design(14, 1, 3));
    const QImage before = window.Picture().copy();
    try {
        pattern::DisplayPattern(Design(0, -15, 1));  // a spacing of -24 degrees
        ADD_FAILURE() << "no error";
    } catch (const orbit::OrbitError& e) {
        EXPECT_STREQ(e.what(), "Overflow");
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Picture(), before);
    EXPECT_EQ(window.LoadCount(), loadsBefore + 1);
}

}  // namespace

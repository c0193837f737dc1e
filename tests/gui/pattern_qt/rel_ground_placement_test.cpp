// Where the pattern window opens and how large, on the screen it opens on.
// These run on the default offscreen screen, and again on a screen at 200 %
// scaling that is smaller than the window and on one of 144 dpi
// (tests/gui/pattern_qt/CMakeLists.txt); each test says when it does not apply.

#include "pattern_qt/display_command.h"
#include "pattern_qt/rel_ground.h"
#include "platform/twips.h"
#include "tests/gui/pattern_qt/picture_probe.h"
#include "tests/libs/pattern/solved_design.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using pattern::RelGround;
using platform::TwipsToPixels;

class RelGroundPlacement : public testing::Test {
protected:
    void SetUp() override
    {
        window.Unload();
        pattern::DisplayPattern(pattern_test::Design(14, 1, 3));
    }
    void TearDown() override { window.Unload(); }

    static QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    static QSize DesignedClient() { return TwipsToPixels(0, 0, 11235, 4050, platform::ScreenDpi()).size(); }

    // Whether the window in its designed size, frame and all, fits the screen.
    bool RoomForTheDesignedSize() const
    {
        const QSize outer = window.frameGeometry().size() - window.size() + DesignedClient();
        return outer.width() <= Available().width() && outer.height() <= Available().height();
    }

    RelGround& window = RelGround::Instance();
};

TEST_F(RelGroundPlacement, TheWholeWindowAndItsExitButtonLieOnTheAvailableArea)
{
    EXPECT_TRUE(Available().contains(window.frameGeometry()))
        << "window " << window.frameGeometry().x() << "," << window.frameGeometry().y() << " "
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
    QPushButton* exit = window.LeavePix();
    EXPECT_TRUE(Available().contains(QRect(exit->mapToGlobal(QPoint(0, 0)), exit->size())));
    EXPECT_TRUE(window.rect().contains(exit->geometry()));
    QTest::mouseClick(exit, Qt::LeftButton);
    EXPECT_FALSE(window.IsLoaded());
}

TEST_F(RelGroundPlacement, SizedFromItsTwipsAtTheScreensLogicalDpi)
{
    if (!RoomForTheDesignedSize())
        GTEST_SKIP() << "the screen is smaller than the window";
    const platform::Dpi dpi = platform::ScreenDpi();
    EXPECT_EQ(window.size(), DesignedClient());
    EXPECT_EQ(window.Picture().deviceIndependentSize().toSize(), DesignedClient());
    // The button in its designed place: 10200, 3720 twips, 975 x 255.
    EXPECT_EQ(window.LeavePix()->geometry(), TwipsToPixels(10200, 3720, 975, 255, dpi));
}

TEST_F(RelGroundPlacement, ShrunkInProportionOnAScreenSmallerThanItself)
{
    if (RoomForTheDesignedSize())
        GTEST_SKIP() << "the screen has room for the window";
    const QSize designed = DesignedClient();
    EXPECT_LT(window.width(), designed.width());
    // The proportions stay, to the pixel the shrinking rounds off.
    EXPECT_NEAR(window.height(), static_cast<double>(designed.height()) * window.width() / designed.width(), 1.0);
    // The picture keeps its designed size and is shown scaled to the window.
    EXPECT_EQ(window.Picture().deviceIndependentSize().toSize(), designed);
    const QImage onScreen = window.grab().toImage();
    EXPECT_TRUE(pattern_test::ColourNear(onScreen, 35, 35, pattern_test::kBarRed, 3, 96));
}

}  // namespace

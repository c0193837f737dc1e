#include "app/application.h"
#include "app/design_window_picture.h"

#include "design_window/orbit_des_vorn.h"
#include "pattern_qt/rel_ground.h"
#include "platform/command_button.h"
#include "platform/handler_boundary.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

// Runs the application's event loop as the program does, for at most a few
// seconds; true when it ended by itself.
bool RunsToItsEnd(std::function<void()> whileRunning)
{
    bool timedOut = false;
    QTimer::singleShot(0, whileRunning);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        timedOut = true;
        QApplication::quit();
    });
    guard.start(5000);
    QApplication::exec();
    return !timedOut;
}

class Application : public ::testing::Test {
protected:
    void SetUp() override { app::ConfigureApplication(*qApp); }
    void TearDown() override { QApplication::setQuitOnLastWindowClosed(false); }
};

TEST_F(Application, IsVersionOneOhOh)
{
    EXPECT_EQ(QApplication::applicationVersion(), "1.00");
    EXPECT_FALSE(QApplication::windowIcon().isNull());
}

TEST_F(Application, OpensTheDesignWindowAndEndsWhenItIsClosed)
{
    QPointer<design_window::OrbitDesVorn> window = app::OpenDesignWindow();
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Design Repeating Pattern Orbit");
    const bool ended = RunsToItsEnd([&] { QTest::mouseClick(window->ExitCom, Qt::LeftButton); });
    EXPECT_TRUE(ended);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(Application, GoesOnWhileThePatternWindowIsOpen)
{
    platform::ScopedErrorSink sink([](QWidget*, const QString& text) { FAIL() << text.toStdString(); });
    QPointer<design_window::OrbitDesVorn> window = app::OpenDesignWindow();
    pattern::RelGround& pattern = pattern::RelGround::Instance();
    bool stillRunningAfterExit = false;
    // Once the design window is gone the program must still be running with
    // the pattern shown; closing that last window then ends it.
    QObject::connect(window.data(), &QObject::destroyed, &pattern, [&] {
        stillRunningAfterExit = pattern.isVisible();
        pattern.close();
    });
    const bool ended = RunsToItsEnd([&] {
        QTest::mouseClick(window->ComputeCom, Qt::LeftButton);
        QTest::mouseClick(window->DispCom, Qt::LeftButton);
        QTest::mouseClick(window->ExitCom, Qt::LeftButton);
    });
    EXPECT_TRUE(stillRunningAfterExit);
    EXPECT_TRUE(ended);
}

TEST_F(Application, PictureShowsTheWholeWindowAndLeavesNoWindowOpen)
{
    const QImage picture = app::DrawDesignWindowPicture();
    EXPECT_EQ(picture.size(), QSize(468, 429) * picture.devicePixelRatio());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString();
}

}  // namespace

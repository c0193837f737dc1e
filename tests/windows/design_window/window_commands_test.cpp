// The windows the right-click menu opens for a design window: Mission, Sun
// and eclipses, Export orbit, Help and About. Each opens with its shortcut,
// even with the typing focus in a box; each design window has its own; and
// the mission set in one design window's Mission window reaches the map,
// the Sun window and the export of that design window only.

#include "tests/windows/design_window/design_window_fixture.h"

#include "design_window/context_menu.h"
#include "design_window/owned_windows.h"
#include "export_window/export_window.h"
#include "help/about_dialog.h"
#include "help/help_window.h"
#include "help/manual_location.h"
#include "map_qt/ground_track_map_window.h"
#include "map_qt/world_shapes.h"
#include "mission_window/mission_window.h"
#include "session/design_session.h"
#include "sun_window/sun_window.h"
#include "tests/support/work_timeout.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

namespace {

using design_window::ExistingOwnedWindow;

class WindowCommands : public DesignWindowTest {
protected:
    void SetUp() override
    {
        DesignWindowTest::SetUp();
        world_map::UseLandFile(QStringLiteral(LAND_FILE));
        help::UseDocumentFolder(QStringLiteral(SOURCE_DIR));
    }
    void TearDown() override
    {
        world_map::GroundTrackMapWindow::Instance().close();
        help::UseDocumentFolder({});
        DesignWindowTest::TearDown();
    }

    // The shortcut pressed with the typing focus in the N box.
    void PressInBox(QKeyCombination keys)
    {
        W().activateWindow();
        W().NinputText->setFocus();
        QTest::keyClick(W().NinputText, keys.key(), keys.keyboardModifiers());
    }

    void ComputeSunSynchronous()
    {
        ClickDown(W().UpDownN);  // 14
        ClickUp(W().UpDownQ);
        ClickUp(W().UpDownQ);    // 3
        SelectSunSynchronous();  // computes
        ASSERT_TRUE(W().Session()->LastCompleted().has_value());
    }
};

TEST_F(WindowCommands, EachShortcutOpensItsWindowFromATypingBox)
{
    const QString before = W().NinputText->text();
    struct Case {
        const char* name;
        QKeyCombination keys;
        std::function<QWidget*()> window;
    } const cases[] = {
        {"Mission", Qt::CTRL | Qt::Key_I,
         [this] { return ExistingOwnedWindow<mission_window::MissionWindow>(W(), "MissionWindowKeeper"); }},
        {"SunAndEclipses", Qt::CTRL | Qt::Key_B,
         [this] { return ExistingOwnedWindow<sun_window::SunWindow>(W(), "SunWindowKeeper"); }},
        {"ExportOrbit", Qt::CTRL | Qt::SHIFT | Qt::Key_E,
         [this] { return ExistingOwnedWindow<export_window::ExportWindow>(W(), "ExportWindowKeeper"); }},
        {"Help", QKeyCombination(Qt::Key_F1),
         [this] { return ExistingOwnedWindow<help::HelpWindow>(W(), "HelpWindowKeeper"); }},
        {"About", Qt::SHIFT | Qt::Key_F1,
         [this] { return ExistingOwnedWindow<help::AboutDialog>(W(), "AboutKeeper"); }},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.window(), nullptr) << c.name;
        PressInBox(c.keys);
        QWidget* opened = c.window();
        ASSERT_NE(opened, nullptr) << c.name;
        EXPECT_TRUE(opened->isVisible()) << c.name;
        EXPECT_TRUE(opened->isWindow()) << c.name;
        EXPECT_FALSE(opened->isModal()) << c.name;
        // Pressed again: the same window, brought to the front.
        opened->close();
        PressInBox(c.keys);
        EXPECT_EQ(c.window(), opened) << c.name;
        EXPECT_TRUE(opened->isVisible()) << c.name;
        opened->close();
    }
    EXPECT_EQ(W().NinputText->text(), before) << "a shortcut typed into the box";
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
}

TEST_F(WindowCommands, EachDesignWindowHasItsOwnAndTheyGoWithIt)
{
    design_window::Mission_Click(W());
    QPointer<mission_window::MissionWindow> first = &design_window::MissionWindowOf(W());
    auto* other = new design_window::OrbitDesVorn();
    design_window::Mission_Click(*other);
    QPointer<mission_window::MissionWindow> second = &design_window::MissionWindowOf(*other);
    EXPECT_NE(first.data(), second.data());
    // The design window shows nothing new: the Mission window is not its child.
    EXPECT_EQ(first->parent(), nullptr);
    delete other;
    EXPECT_TRUE(second.isNull());
    EXPECT_FALSE(first.isNull());
}

// The Mission window sets the session; the map takes its swath, the Sun
// window its epoch and node, the export window all of it.
TEST_F(WindowCommands, TheMissionReachesTheMapTheSunWindowAndTheExport)
{
    ComputeSunSynchronous();
    design_window::GroundTrackMap_Click(W());
    design_window::SunAndEclipses_Click(W());
    design_window::ExportOrbit_Click(W());
    sun_window::SunWindow& sun = design_window::SunWindowOf(W());
    export_window::ExportWindow& exporting = design_window::ExportWindowOf(W());
    EXPECT_FALSE(sun.Shown().has_value());
    EXPECT_FALSE(exporting.ExportButton()->isEnabled());

    design_window::Mission_Click(W());
    mission_window::MissionWindow& mission = design_window::MissionWindowOf(W());
    mission.SwathBox()->setValue(290);
    EXPECT_EQ(world_map::GroundTrackMapWindow::Instance().SwathBox()->value(), 290);

    QSignalSpy shown(&sun, &sun_window::SunWindow::FiguresShown);
    QTest::mouseClick(mission.EpochCheck(), Qt::LeftButton);
    while (sun.IsComputing() || !sun.Shown())
        ASSERT_TRUE(shown.wait(kWorkTimeoutMs)) << sun.DesignLine()->text().toStdString();
    EXPECT_TRUE(sun.Summary()->toPlainText().contains(QStringLiteral("Ascending node 22:30:00 mean")));
    EXPECT_TRUE(exporting.ExportButton()->isEnabled());
    EXPECT_TRUE(exporting.DesignLine()->text().contains(QStringLiteral("LTDN 10:30:00 mean")));
    EXPECT_EQ(exporting.ProposedName(), QStringLiteral("N14M1Q3-ss-1030.opm"));

    // Another design window's session is untouched.
    design_window::OrbitDesVorn other;
    EXPECT_FALSE(other.Session()->Mission().HasEpoch());
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
    sun.close();
    exporting.close();
    mission.close();
}

TEST_F(WindowCommands, HelpShowsTheManualAndAboutTheLicence)
{
    design_window::Help_Click(W());
    help::HelpWindow& helpWindow = design_window::HelpWindowOf(W());
    EXPECT_TRUE(helpWindow.Browser()->toPlainText().contains(QStringLiteral("Mission")));
    helpWindow.close();
    design_window::About_Click(W());
    auto* about = ExistingOwnedWindow<help::AboutDialog>(W(), "AboutKeeper");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->Text()->toPlainText().contains(QStringLiteral("GPL-3.0-or-later")));
    about->close();
}

}  // namespace

// The design window's right-click menu: hidden until used, the map's entry
// enabled exactly with "Display pattern" and the others always, and each
// entry's shortcut with the menu closed.

#include "tests/windows/design_window/design_window_fixture.h"

#include "explorer/explorer_window.h"
#include "map_qt/ground_track_map_window.h"
#include "map_qt/map_scene.h"
#include "map_qt/map_widget.h"
#include "map_qt/world_shapes.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSpinBox>
#include <QTest>

namespace {

class ContextMenu : public DesignWindowTest {
protected:
    void SetUp() override
    {
        DesignWindowTest::SetUp();
        world_map::UseLandFile(QStringLiteral(LAND_FILE));
        MapWindow().close();
        explorer::ExplorerWindow::Instance().close();
    }
    void TearDown() override
    {
        MapWindow().close();
        explorer::ExplorerWindow::Instance().close();
        DesignWindowTest::TearDown();
    }

    static world_map::GroundTrackMapWindow& MapWindow() { return world_map::GroundTrackMapWindow::Instance(); }

    // Right-clicks the window's background, left of the N box, and returns the menu.
    QMenu* RightClickBackground()
    {
        const QPoint background(4, 4);
        EXPECT_EQ(W().childAt(background), nullptr);
        QContextMenuEvent event(QContextMenuEvent::Mouse, background, W().mapToGlobal(background));
        QApplication::sendEvent(&W(), &event);
        return W().findChild<QMenu*>();
    }

    QAction* Entry(const char* text)
    {
        for (QAction* action : W().actions())
            if (action->text() == QString::fromUtf8(text))
                return action;
        return nullptr;
    }
    QAction* MapEntry() { return Entry("Ground track map\u2026"); }
    QAction* ExplorerEntry() { return Entry("Find repeat orbits\u2026"); }

    void PressCtrlM() { QTest::keyClick(&W(), Qt::Key_M, Qt::ControlModifier); }
};

TEST_F(ContextMenu, AddsNothingVisibleUntilTheRightClick)
{
    EXPECT_EQ(W().findChild<QMenu*>(), nullptr);
    QMenu* menu = RightClickBackground();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    struct Entry {
        const char* text;
        QKeySequence shortcut;
        bool enabledAtStart;
    } const entries[] = {
        {"Ground track map\u2026", QKeySequence(Qt::CTRL | Qt::Key_M), false},  // nothing computed yet
        {"Find repeat orbits\u2026", QKeySequence(Qt::CTRL | Qt::Key_F), true},  // a search needs no design
        {"Mission\u2026", QKeySequence(Qt::CTRL | Qt::Key_I), true},
        {"Sun and eclipses\u2026", QKeySequence(Qt::CTRL | Qt::Key_B), true},  // says what it waits for
        {"Export orbit\u2026", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), true},
        {"Help", QKeySequence(Qt::Key_F1), true},
        {"About\u2026", QKeySequence(Qt::SHIFT | Qt::Key_F1), true},
    };
    ASSERT_EQ(menu->actions().size(), static_cast<qsizetype>(std::size(entries)));
    QList<QKeySequence> shortcuts;
    for (std::size_t i = 0; i < std::size(entries); ++i) {
        QAction* action = menu->actions().at(static_cast<qsizetype>(i));
        EXPECT_EQ(action->text(), QString::fromUtf8(entries[i].text)) << i;
        EXPECT_EQ(action->shortcut(), entries[i].shortcut) << entries[i].text;
        EXPECT_EQ(action->isEnabled(), entries[i].enabledAtStart) << entries[i].text;
        EXPECT_FALSE(shortcuts.contains(action->shortcut())) << entries[i].text;
        shortcuts << action->shortcut();
    }
    EXPECT_EQ(MapEntry(), menu->actions().at(0));
    EXPECT_EQ(ExplorerEntry(), menu->actions().at(1));
    menu->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(W().findChild<QMenu*>(), nullptr);
}

// The entry follows "Display pattern" through every kind of change.
TEST_F(ContextMenu, EntryIsEnabledExactlyWithDisplayPattern)
{
    struct Step {
        const char* name;
        std::function<void()> act;
        bool enabled;
    } const steps[] = {
        {"Start", [] {}, false},
        {"Compute", [this] { Click(W().ComputeCom); }, true},
        {"StepN", [this] { ClickUp(W().UpDownN); }, false},
        {"SunSynchronous", [this] { SelectSunSynchronous(); }, true},
        {"TypeBadQ", [this] { Type(W().QinputText, "x"); }, false},
        {"ComputeFails", [this] { Click(W().ComputeCom); }, false},
        {"TypeGoodQ", [this] { Type(W().QinputText, "3"); }, false},
        {"ComputeAgain", [this] { Click(W().ComputeCom); }, true},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(W().DispCom->isEnabled(), step.enabled) << step.name;
        EXPECT_EQ(MapEntry()->isEnabled(), step.enabled) << step.name;
        EXPECT_TRUE(ExplorerEntry()->isEnabled()) << step.name;
    }
}

TEST_F(ContextMenu, CtrlFOpensTheExplorerAndFromTheMenuToo)
{
    explorer::ExplorerWindow& explorer = explorer::ExplorerWindow::Instance();
    QTest::keyClick(&W(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(explorer.isVisible());
    explorer.close();
    RightClickBackground()->actions().at(1)->trigger();
    EXPECT_TRUE(explorer.isVisible());
    explorer.close();
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
}

TEST_F(ContextMenu, CtrlMOpensTheMapOfTheLastCompletedDesign)
{
    PressCtrlM();
    EXPECT_FALSE(MapWindow().isVisible()) << "disabled before a computation";

    ClickDown(W().UpDownN);  // 14
    ClickUp(W().UpDownQ);
    ClickUp(W().UpDownQ);    // 3
    SelectSunSynchronous();  // computes
    W().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&W()));
    PressCtrlM();
    ASSERT_TRUE(MapWindow().isVisible());
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
    EXPECT_EQ(MapWindow().DaysBox()->maximum(), 3);
    EXPECT_EQ(MapWindow().Map()->Scene()->Map().Title(),
              "N 14, M 1, Q 3, sun-synchronous, altitude 774.98 km, inclination 98.497\u00b0");

    // Chosen from the menu: the same, for the inclined design now on screen.
    SelectChooseInclination();
    RightClickBackground()->actions().front()->trigger();
    EXPECT_EQ(MapWindow().Map()->Scene()->Map().Title(), "N 14, M 1, Q 3, altitude 727.98 km, inclination 65.0\u00b0");
}

// An open map is the design window's: each completed computation redraws it,
// and an edit or a failure leaves it on the last completed design, labelled.
TEST_F(ContextMenu, AnOpenMapFollowsTheDesignWindow)
{
    ClickDown(W().UpDownN);  // 14
    ClickUp(W().UpDownQ);
    ClickUp(W().UpDownQ);    // 3
    SelectSunSynchronous();
    MapEntry()->trigger();
    ASSERT_TRUE(MapWindow().isVisible());
    EXPECT_EQ(MapWindow().windowTitle(), QStringLiteral("Ground Track Map \u2014 N 14, M 1, Q 3, sun-synchronous"));

    Type(W().MinputText, "5");
    Type(W().QinputText, "14");
    Click(W().ComputeCom);
    ASSERT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
    EXPECT_EQ(MapWindow().Map()->Scene()->Map().Title().substr(0, 36), "N 14, M 5, Q 14, sun-synchronous, al");
    EXPECT_EQ(MapWindow().DaysBox()->maximum(), 14);
    EXPECT_EQ(MapWindow().windowTitle(), QStringLiteral("Ground Track Map \u2014 N 14, M 5, Q 14, sun-synchronous"));

    const QString lastCompleted =
        QStringLiteral("Ground Track Map \u2014 last completed design: N 14, M 5, Q 14, sun-synchronous");
    ClickUp(W().UpDownN);  // clears the results
    EXPECT_EQ(MapWindow().windowTitle(), lastCompleted);
    Type(W().QinputText, "x");
    Click(W().ComputeCom);  // fails: "Type mismatch"
    errors_.clear();
    EXPECT_EQ(MapWindow().windowTitle(), lastCompleted);
    EXPECT_EQ(MapWindow().DaysBox()->maximum(), 14);

    // A closed map is not redrawn behind the user's back, and catches up
    // when opened again.
    MapWindow().close();
    Type(W().QinputText, "3");
    Click(W().ComputeCom);
    EXPECT_EQ(MapWindow().DaysBox()->maximum(), 14);
    MapEntry()->trigger();
    EXPECT_EQ(MapWindow().DaysBox()->maximum(), 3);
    EXPECT_EQ(MapWindow().windowTitle(), QStringLiteral("Ground Track Map \u2014 N 15, M 5, Q 3, sun-synchronous"));
}

TEST_F(ContextMenu, MissingLandIsShownInAMessageNamingTheFile)
{
    world_map::UseLandFile(QStringLiteral("/nonexistent/share/repeat-orbit/land-50m.json"));
    Click(W().ComputeCom);
    MapEntry()->trigger();
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_.front().contains("/nonexistent/share/repeat-orbit/land-50m.json"))
        << errors_.front().toStdString();
    EXPECT_FALSE(MapWindow().isVisible());
}

}  // namespace

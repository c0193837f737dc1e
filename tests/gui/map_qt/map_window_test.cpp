// The "Ground Track Map" window driven as a user would, on the offscreen
// platform (and once more at 200 per cent).

#include "map_qt/ground_track_map_window.h"

#include "core/orbit_error.h"
#include "map_qt/map_widget.h"
#include "ephemeris/instant.h"
#include "platform/handler_boundary.h"
#include "session/design_session.h"
#include "tests/libs/map/map_fixtures.h"
#include "tests/gui/map_qt/map_picture_probe.h"
#include "tests/support/error_text.h"
#include "tests/support/work_timeout.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QSlider>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using world_map::GroundTrackMapWindow;
using world_map::LonLat;
using world_map::MapWidget;

class MapWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        map_test::UseSourceLand();
        window.SetSaveDialog([this](QWidget*) { return answer; });
        window.SwathBox()->setValue(0);
        window.ShowDesign(map_test::SunSync(14, 1, 3));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { window.close(); }

    MapWidget& Map() { return *window.Map(); }

    // The pointer moving over the map, sent straight to it: a QTest move goes
    // through the screen's cursor, which a window larger than the offscreen
    // screen at 200 per cent would not follow.
    void MoveOverMap(QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, Map().mapToGlobal(at), Qt::NoButton, QApplication::mouseButtons(),
                         Qt::NoModifier);
        QApplication::sendEvent(&Map(), &move);
    }

    GroundTrackMapWindow& window = GroundTrackMapWindow::Instance();
    QString answer;  // what the save dialog answers
    QStringList errors;
    platform::ScopedErrorSink sink{[this](QWidget*, const QString& text) { errors << text; }};
};

TEST_F(MapWindow, OpensResizableOnTheWholeCycle)
{
    // The title names the design shown.
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ground Track Map \u2014 N 14, M 1, Q 3, sun-synchronous"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_LT(window.minimumWidth(), window.maximumWidth());
    EXPECT_EQ(window.DaysBox()->minimum(), 1);
    EXPECT_EQ(window.DaysBox()->maximum(), 3);
    EXPECT_EQ(window.DaysBox()->value(), 3);
    EXPECT_EQ(window.SwathBox()->text(), "none");
    EXPECT_EQ(Map().Days(), 3);
    // Within the screen where its controls allow, at 200 per cent too.
    const QRect available = window.screen()->availableGeometry();
    EXPECT_LE(window.width(), std::max(available.width(), window.minimumSizeHint().width()));
    EXPECT_LE(window.height(), std::max(available.height(), window.minimumSizeHint().height()));

    const int renders = Map().RenderCount();
    window.resize(720, 460);
    QApplication::processEvents();
    EXPECT_GT(Map().RenderCount(), renders);
    EXPECT_EQ(Map().Picture().size(), Map().size() * Map().devicePixelRatioF());

    // The next design replaces this one in the same window.
    GroundTrackMapWindow::Instance().ShowDesign(map_test::Inclined(14, 1, 5, 65));
    EXPECT_EQ(&GroundTrackMapWindow::Instance(), &window);
    EXPECT_EQ(window.DaysBox()->maximum(), 5);
    EXPECT_EQ(window.DaysBox()->value(), 5);
}

// Crisp at any scale: the picture has the screen's pixels, not the widget's.
TEST_F(MapWindow, DrawsAtTheScreensPixelRatio)
{
    const QImage& picture = Map().Picture();
    EXPECT_EQ(picture.devicePixelRatio(), Map().devicePixelRatioF());
    EXPECT_EQ(picture.size(), Map().size() * Map().devicePixelRatioF());
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == "2") {
        EXPECT_EQ(Map().devicePixelRatioF(), 2.0);
    }
}

// Each change of days or swath draws once; nothing else draws.
TEST_F(MapWindow, DaysAndSwathRedrawTheMapOnce)
{
    const QImage before = Map().Picture();
    int renders = Map().RenderCount();
    window.DaysBox()->setValue(1);
    EXPECT_EQ(Map().Days(), 1);
    EXPECT_EQ(Map().RenderCount(), ++renders);
    EXPECT_NE(Map().Picture(), before);
    window.SwathBox()->setValue(290);
    EXPECT_EQ(Map().Scene()->SwathKm(), 290);
    EXPECT_EQ(Map().RenderCount(), ++renders);
    window.update();
    QApplication::processEvents();
    EXPECT_EQ(Map().RenderCount(), renders);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(MapWindow, WheelZoomsAboutThePointerAndDragPans)
{
    const QPointF at = Map().PointAt({20, 10});
    QWheelEvent up(at, Map().mapToGlobal(at), {}, {0, 240}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Map(), &up);
    EXPECT_DOUBLE_EQ(Map().View().zoom, 1.25 * 1.25);
    const std::optional<LonLat> still = Map().LonLatAt(at);
    ASSERT_TRUE(still.has_value());
    EXPECT_NEAR(still->lonDeg, 20, 1e-6);
    EXPECT_NEAR(still->latDeg, 10, 1e-6);

    const world_map::Viewport zoomed = Map().View();
    const QPoint from = Map().Frame().center().toPoint();
    QTest::mousePress(&Map(), Qt::LeftButton, {}, from);
    MoveOverMap(from + QPoint(-100, 50));
    QTest::mouseRelease(&Map(), Qt::LeftButton, {}, from + QPoint(-100, 50));
    const double degreesPerPixel = zoomed.WidthDeg() / Map().Frame().width();
    EXPECT_NEAR(Map().View().centreLonDeg, zoomed.centreLonDeg + 100 * degreesPerPixel, 1e-9);
    EXPECT_NEAR(Map().View().centreLatDeg, zoomed.centreLatDeg + 50 * degreesPerPixel, 1e-9);
}

TEST_F(MapWindow, StatusLineShowsThePlaceUnderThePointer)
{
    EXPECT_EQ(world_map::PlaceText(-5, 12.5), "Latitude 12.50\u00b0 N, longitude 5.00\u00b0 W");
    for (const LonLat place : {LonLat{-5, 12.5}, LonLat{120, -45}, LonLat{0, 0}}) {
        const QPoint at = Map().PointAt(place).toPoint();
        MoveOverMap(at);
        const LonLat under = *Map().LonLatAt(at);
        EXPECT_TRUE(window.StatusLine()->text().startsWith(world_map::PlaceText(under.lonDeg, under.latDeg)))
            << window.StatusLine()->text().toStdString();
        EXPECT_NEAR(under.lonDeg, place.lonDeg, 0.5);
        EXPECT_NEAR(under.latDeg, place.latDeg, 0.5);
    }
    MoveOverMap(QPoint(1, 1));  // off the map, on the title
    EXPECT_TRUE(window.StatusLine()->text().startsWith("Wheel"));
}

TEST_F(MapWindow, KeyboardReachesEveryControlAndMovesTheMap)
{
    window.DaysBox()->setFocus();
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited.join(' ').toStdString(), "DaysBox SwathBox MapWidget SavePicture CloseMap");

    QTest::keyClick(&Map(), Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(Map().View().zoom, 1.25);
    QTest::keyClick(&Map(), Qt::Key_Right);
    EXPECT_GT(Map().View().centreLonDeg, 0);
    QTest::keyClick(&Map(), Qt::Key_0);
    EXPECT_EQ(Map().View(), world_map::Viewport{});
}

TEST_F(MapWindow, SavesPngOrSvgThroughTheDialog)
{
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QString answer, written;
    } const cases[] = {
        {"Png", dir.filePath("a.png"), dir.filePath("a.png")},
        {"Svg", dir.filePath("b.svg"), dir.filePath("b.svg")},
        {"NoSuffixIsPng", dir.filePath("c"), dir.filePath("c.png")},
    };
    // The picture is written in the background; the button waits for it.
    const auto save = [&] {
        QTest::mouseClick(window.SaveButton(), Qt::LeftButton);
        return QTest::qWaitFor([&] { return !window.IsSaving() && window.SaveButton()->isEnabled(); }, kWorkTimeoutMs);
    };
    for (const Case& c : cases) {
        answer = c.answer;
        ASSERT_TRUE(save()) << c.name;
        EXPECT_TRUE(QFile::exists(c.written)) << c.name;
        EXPECT_TRUE(window.StatusLine()->text().startsWith("Saved ")) << c.name;
    }
    EXPECT_EQ(QImage(dir.filePath("a.png")).size(), QSize(1600, 800));
    EXPECT_TRUE(QImage(dir.filePath("c.png")).size().isValid());
    EXPECT_TRUE(errors.isEmpty());

    answer = QString();  // cancelled
    QTest::mouseClick(window.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(window.IsSaving());
    answer = dir.filePath("missing/d.png");
    ASSERT_TRUE(save());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().contains(answer));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

// The pointer stands still while + zooms: the status line names the place
// under it in the new view at once.
TEST_F(MapWindow, PointerPlaceFollowsAKeyboardZoom)
{
    const QPoint at = Map().PointAt({60, 30}).toPoint();
    MoveOverMap(at);
    const QString before = window.StatusLine()->text();
    QTest::keyClick(&Map(), Qt::Key_Plus);
    const LonLat under = *Map().LonLatAt(at);
    EXPECT_TRUE(window.StatusLine()->text().startsWith(world_map::PlaceText(under.lonDeg, under.latDeg)))
        << window.StatusLine()->text().toStdString();
    EXPECT_NE(window.StatusLine()->text(), before);
    QTest::keyClick(&Map(), Qt::Key_0);
    const LonLat whole = *Map().LonLatAt(at);
    EXPECT_TRUE(window.StatusLine()->text().startsWith(world_map::PlaceText(whole.lonDeg, whole.latDeg)));
}

// Four steps east from the whole world put the date line in the middle.
TEST_F(MapWindow, MapWrapsSoThePacificCanBeCentred)
{
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&Map(), Qt::Key_Right);
    EXPECT_DOUBLE_EQ(Map().View().centreLonDeg, 180);
    const LonLat middle = *Map().LonLatAt(Map().Frame().center());
    EXPECT_NEAR(std::fabs(middle.lonDeg), 180, 0.5);
    // West of the middle is the eastern hemisphere, drawn: not paper.
    const QPointF eastOfJapan = Map().PointAt({150, 35});
    EXPECT_LT(eastOfJapan.x(), Map().Frame().center().x());
    const QColor shown = Map().Picture().pixelColor((eastOfJapan * Map().devicePixelRatioF()).toPoint());
    EXPECT_NE(shown, world_map::palette::kPaper);
}

TEST_F(MapWindow, StatusLineNamesTheTracksDayAndTime)
{
    const world_map::GroundTrackMap& map = Map().Scene()->Map();
    const double seconds = map.DayLengthS() + 1500;  // day 1, 25 minutes in
    MoveOverMap(Map().PointAt(map.SatelliteAt(seconds)).toPoint());
    const QString text = window.StatusLine()->text();
    EXPECT_TRUE(text.contains("track of day 1, 00:2")) << text.toStdString();
    MoveOverMap(Map().PointAt({-140, 86}).toPoint());  // beyond the turning latitude
    EXPECT_FALSE(window.StatusLine()->text().contains("track")) << window.StatusLine()->text().toStdString();
}

class MapWindowWithMission : public MapWindow {
protected:
    void SetUp() override
    {
        MapWindow::SetUp();
        const world_map::MapDesign design = map_test::SunSync(14, 3, 10);
        orbit::RepeatOrbitSolution solution;
        solution.MeanAltitude = design.meanAltitudeKm;
        session->DesignCompleted(design.record, design.type, solution);
        window.FollowSession(session);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // How light the picture is at a place: the lightest pixel along a short
    // row, as a track may cross the very point.
    int LightnessAt(LonLat place)
    {
        const QPointF at = Map().PointAt(place) * Map().devicePixelRatioF();
        int best = 0;
        for (int dx = -3; dx <= 3; ++dx)
            best = std::max(best, Map().Picture().pixelColor(at.toPoint() + QPoint(dx, 0)).lightness());
        return best;
    }

    std::shared_ptr<orbit::session::DesignSession> session = std::make_shared<orbit::session::DesignSession>();
};

TEST_F(MapWindowWithMission, WithoutAnEpochTheNightIsDisabledAndSaysWhy)
{
    EXPECT_FALSE(Map().Scene()->Map().HasEpoch());
    EXPECT_FALSE(window.NightBox()->isEnabled());
    EXPECT_FALSE(window.TimeSlider()->isEnabled());
    EXPECT_TRUE(window.NightBox()->toolTip().contains("epoch"));
    EXPECT_DOUBLE_EQ(Map().Scene()->Map().SatelliteAt(0).lonDeg, 0);
}

// The mission's epoch and node reach the open map: 10:30 descending is
// 22:30 ascending, which at 00:00 UTC lies 22.5 degrees west. The night at
// the slider's instant: at the epoch the night runs from 88.15 west to 91.85
// east, an hour later 15 degrees further west.
TEST_F(MapWindowWithMission, MissionContextGivesTrueLongitudesAndTheNightAtTheSlidersTime)
{
    orbit::session::MissionContext mission;
    mission.epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    mission.node = {orbit::ephemeris::NodeGiven::Ltdn, 10.5};
    session->SetMission(mission);
    ASSERT_TRUE(Map().Scene()->Map().HasEpoch());
    EXPECT_NEAR(Map().Scene()->Map().SatelliteAt(0).lonDeg, -22.5, 0.01);
    EXPECT_TRUE(window.NightBox()->isEnabled());
    EXPECT_EQ(window.TimeSlider()->maximum(), static_cast<int>(Map().Scene()->Map().SpanS() / 60));
    window.DaysBox()->setValue(1);

    const int sea = world_map::palette::kSea.lightness();
    window.NightBox()->setChecked(true);
    ASSERT_TRUE(Map().Scene()->Night().has_value());
    EXPECT_EQ(window.TimeBox()->dateTime().toString(Qt::ISODate), "2027-03-21T00:00:00Z");
    EXPECT_LT(LightnessAt({85, -5}), sea - 20);
    EXPECT_GT(LightnessAt({-95, -3}), sea - 20);
    EXPECT_LT(LightnessAt({-25, -5}), sea - 20);
    EXPECT_GT(LightnessAt({-170, -10}), sea - 20);

    const int renders = Map().RenderCount();
    window.TimeSlider()->setValue(60);
    EXPECT_EQ(Map().RenderCount(), renders + 1);
    EXPECT_EQ(window.TimeBox()->dateTime().toString(Qt::ISODate), "2027-03-21T01:00:00Z");
    EXPECT_GT(LightnessAt({85, -5}), sea - 20);
    EXPECT_LT(LightnessAt({-95, -3}), sea - 20);

    // The date and time box moves the slider: two hours after the epoch.
    window.TimeBox()->setDateTime(QDateTime(QDate(2027, 3, 21), QTime(2, 0), Qt::UTC));
    EXPECT_EQ(window.TimeSlider()->value(), 120);
    EXPECT_DOUBLE_EQ(Map().Scene()->Night()->secondsAfterStart, 7200);

    window.NightBox()->setChecked(false);
    EXPECT_FALSE(Map().Scene()->Night().has_value());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(MapWindow, MissingLandIsReportedNamingTheFile)
{
    world_map::UseLandFile(QStringLiteral("/nonexistent/share/repeat-orbit/land-50m.json"));
    const std::string error = ErrorOf([] { GroundTrackMapWindow::Instance().ShowDesign(map_test::SunSync(14, 1, 3)); });
    EXPECT_NE(error.find("/nonexistent/share/repeat-orbit/land-50m.json"), std::string::npos) << error;
    map_test::UseSourceLand();
}

}  // namespace

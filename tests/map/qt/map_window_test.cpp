// The "Ground Track Map" window driven as a user would, on the offscreen
// platform (and once more at 200 per cent).

#include "map/qt/ground_track_map_window.h"

#include "core/orbit_error.h"
#include "map/qt/map_widget.h"
#include "platform/handler_boundary.h"
#include "tests/map/map_fixtures.h"
#include "tests/map/qt/map_picture_probe.h"
#include "tests/support/error_text.h"
#include "tests/support/work_timeout.h"

#include <QApplication>
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
        EXPECT_EQ(window.StatusLine()->text(), world_map::PlaceText(under.lonDeg, under.latDeg));
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

TEST_F(MapWindow, MissingLandIsReportedNamingTheFile)
{
    world_map::UseLandFile(QStringLiteral("/nonexistent/share/repeat-orbit/land-50m.json"));
    const std::string error = ErrorOf([] { GroundTrackMapWindow::Instance().ShowDesign(map_test::SunSync(14, 1, 3)); });
    EXPECT_NE(error.find("/nonexistent/share/repeat-orbit/land-50m.json"), std::string::npos) << error;
    map_test::UseSourceLand();
}

}  // namespace

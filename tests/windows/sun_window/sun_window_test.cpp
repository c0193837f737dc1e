// The "Sun and Eclipses" window: without an epoch it says what is needed;
// with one it works out the figures in the background, shows them and
// follows the session; its table is `repeat-orbit sun --csv` to the byte,
// and what it shows of the passes agrees with the node's local times and the
// Sun's height at the equinox.

#include "sun_window/sun_window.h"

#include "platform/handler_boundary.h"
#include "tests/support/completed_design.h"
#include "tests/support/work_timeout.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using orbit::ephemeris::NodeGiven;
using orbit::session::MissionContext;
using sun_window::SunWindow;

MissionContext MissionAt(const char* epoch, double ltdnH)
{
    MissionContext mission;
    mission.epoch = orbit::ephemeris::ParseIsoUtc(epoch);
    mission.node = {NodeGiven::Ltdn, ltdnH};
    return mission;
}

class SunWindowFollowing : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.SetSaveDialog([this](QWidget*, const QString&) { return answer; });
        CompleteDesign(*session, 14, 3, 10, orbit::OrbitType::SunSynchronous);
    }
    void TearDown() override { window.close(); }

    // Shows the window (or makes a change) and waits for the figures.
    void WaitForFigures(const std::function<void()>& act)
    {
        QSignalSpy shown(&window, &SunWindow::FiguresShown);
        act();
        while (window.IsComputing() || shown.isEmpty())
            ASSERT_TRUE(shown.wait(kWorkTimeoutMs));
    }

    int RowOfLatitude(const QString& text)
    {
        for (int r = 0; r < window.LatitudeTable()->rowCount(); ++r)
            if (window.LatitudeTable()->item(r, 0)->text() == text)
                return r;
        return -1;
    }

    std::shared_ptr<orbit::session::DesignSession> session = std::make_shared<orbit::session::DesignSession>();
    SunWindow window{session};
    QString answer;
    QStringList errors;
    platform::ScopedErrorSink sink{[this](QWidget*, const QString& text) { errors << text; }};
};

TEST_F(SunWindowFollowing, SaysThatAnEpochIsNeededAndWhereToSetIt)
{
    WaitForFigures([this] { window.ShowWindow(); });
    EXPECT_TRUE(window.DesignLine()->text().contains(QStringLiteral("An epoch is needed")));
    EXPECT_TRUE(window.DesignLine()->text().contains(QStringLiteral("Mission\u2026")));
    EXPECT_FALSE(window.SaveButton()->isEnabled());
    EXPECT_FALSE(window.CopyButton()->isEnabled());
    EXPECT_FALSE(window.Shown().has_value());
}

// At the equator the ascending pass comes at the node's mean local time,
// 22:30 for a 10:30 descending node, and the descending one at 10:30; at the
// March equinox the Sun then stands 90 deg less the hour angle of 10:30 true
// time (about 10:23, so 24 deg) above the horizon: about 66 deg.
TEST_F(SunWindowFollowing, ShowsTheNodeAndThePassesByLatitude)
{
    session->SetMission(MissionAt("2027-03-21T00:00:00Z", 10.5));
    WaitForFigures([this] { window.ShowWindow(); });
    ASSERT_TRUE(window.Shown().has_value()) << window.DesignLine()->text().toStdString();
    EXPECT_EQ(window.Shown()->figures.days.size(), 366u);
    EXPECT_TRUE(window.Summary()->toPlainText().contains(QStringLiteral("Ascending node 22:30:00 mean")));
    EXPECT_TRUE(window.Summary()->toPlainText().contains(QStringLiteral("Eclipse season")));
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("N 14, M 3, Q 10")));

    const int equator = RowOfLatitude(QStringLiteral("0\u00b0"));
    ASSERT_GE(equator, 0);
    EXPECT_EQ(window.LatitudeTable()->item(equator, 1)->text(), QStringLiteral("22:30"));
    EXPECT_EQ(window.LatitudeTable()->item(equator, 3)->text(), QStringLiteral("10:30"));
    const double elevation = window.LatitudeTable()->item(equator, 4)->text().chopped(1).toDouble();
    EXPECT_NEAR(elevation, 66, 1.5);
    EXPECT_LT(window.LatitudeTable()->item(equator, 2)->text().chopped(1).toDouble(), -60);  // at 22:30, night
    // North at the top.
    EXPECT_EQ(window.LatitudeTable()->item(0, 0)->text(), QStringLiteral("80\u00b0 N"));
}

TEST_F(SunWindowFollowing, WorksOutTheFiguresAgainForANewMissionOrDesign)
{
    session->SetMission(MissionAt("2027-03-21T00:00:00Z", 10.5));
    WaitForFigures([this] { window.ShowWindow(); });
    WaitForFigures([this] { session->SetMission(MissionAt("2028-01-01T00:00:00Z", 6)); });
    ASSERT_TRUE(window.Shown().has_value());
    EXPECT_TRUE(window.DaysCsv().contains(QStringLiteral("\n2028-01-01T00:00:00.000Z,")));
    EXPECT_TRUE(window.Summary()->toPlainText().contains(QStringLiteral("Ascending node 18:00:00 mean")));

    WaitForFigures([this] { CompleteDesign(*session, 15, 1, 2, orbit::OrbitType::ChooseInclination, 51, 6); });
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("N 15, M 1, Q 2")));
    EXPECT_EQ(window.Shown()->designNumber, 2u);

    // A change the figures do not depend on asks for nothing.
    MissionContext sameSky = session->Mission();
    sameSky.swathKm = 290;
    session->SetMission(sameSky);
    EXPECT_FALSE(window.IsComputing());
}

TEST_F(SunWindowFollowing, CopiesAndSavesTheCommandsTableAndTheChart)
{
    session->SetMission(MissionAt("2027-03-21T00:00:00Z", 10.5));
    WaitForFigures([this] { window.ShowWindow(); });
    QProcess command;
    command.start(QStringLiteral(REPEAT_ORBIT_PROGRAM),
                  {"sun", "--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", "2027-03-21T00:00Z", "--ltdn",
                   "10:30", "--csv"});
    ASSERT_TRUE(command.waitForFinished(kWorkTimeoutMs));
    ASSERT_EQ(command.exitCode(), 0) << command.readAllStandardError().toStdString();
    const QByteArray commandCsv = command.readAllStandardOutput();

    QTest::mouseClick(window.CopyButton(), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text().toUtf8(), commandCsv);

    QTemporaryDir folder;
    struct Case {
        const char* file;
        std::function<void(const QString& path)> check;
    } const cases[] = {
        {"sun.csv",
         [&](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::ReadOnly));
             EXPECT_EQ(file.readAll(), commandCsv);
         }},
        {"sun.png",
         [](const QString& path) {
             const QImage image(path);
             EXPECT_EQ(image.size(), QSize(1200, 700));
         }},
        {"sun.svg",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::ReadOnly));
             EXPECT_TRUE(file.readAll().contains("<svg"));
         }},
    };
    for (const Case& c : cases) {
        answer = folder.filePath(QString::fromLatin1(c.file));
        QSignalSpy saved(&window, &SunWindow::Saved);
        QTest::mouseClick(window.SaveButton(), Qt::LeftButton);
        ASSERT_EQ(saved.count(), 1) << c.file << errors.join('\n').toStdString();
        c.check(answer);
    }
}

TEST_F(SunWindowFollowing, ShowsTheChosenDaysPasses)
{
    session->SetMission(MissionAt("2027-03-21T00:00:00Z", 10.5));
    WaitForFigures([this] { window.ShowWindow(); });
    window.DayBox()->setFocus();
    window.DayBox()->selectAll();
    QTest::keyClicks(window.DayBox(), QStringLiteral("365"));
    QTest::keyClick(window.DayBox(), Qt::Key_Return);
    EXPECT_EQ(window.DayBox()->value(), 365);
    EXPECT_TRUE(window.DayLine()->text().startsWith(QStringLiteral("2028-03-20")));
}

}  // namespace

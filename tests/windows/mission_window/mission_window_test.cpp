// The Mission window: each control puts its value into the session, a mission
// set elsewhere shows in the controls, and the node's figures follow the last
// completed design.

#include "mission_window/mission_text.h"
#include "mission_window/mission_window.h"

#include "core/repbas.h"
#include "tests/support/completed_design.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

using mission_window::MissionWindow;
using orbit::analysis::PassDirection;
using orbit::ephemeris::NodeGiven;
using orbit::session::DesignSession;
using orbit::session::MissionContext;

class Mission : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.ShowWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Replaces a spin box's text by typing and Enter, as a user would.
    static void TypeInto(QAbstractSpinBox* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // Replaces a line's text by typing and Enter.
    static void TypeLine(QLineEdit* line, const QString& text)
    {
        line->setFocus();
        line->selectAll();
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
    }

    std::shared_ptr<DesignSession> session = std::make_shared<DesignSession>();
    MissionWindow window{session};
};

TEST_F(Mission, EachControlSetsTheSessionsMission)
{
    struct Step {
        const char* name;
        std::function<void()> act;
        std::function<bool(const MissionContext&)> holds;
    } const steps[] = {
        {"NoEpochAtFirst", [] {}, [](const MissionContext& m) { return !m.HasEpoch(); }},
        {"TickEpoch", [this] { QTest::mouseClick(window.EpochCheck(), Qt::LeftButton); },
         [](const MissionContext& m) { return m.HasEpoch(); }},
        {"TypeEpoch", [this] { TypeLine(window.EpochEdit(), QStringLiteral("2027-03-21T06:30:15Z")); },
         [](const MissionContext& m) { return m.epoch && m.epoch->IsoUtc(0) == "2027-03-21T06:30:15Z"; }},
        {"LtanSelected",
         [this] {
             window.NodeKindBox()->setFocus();
             QTest::keyClick(window.NodeKindBox(), Qt::Key_Home);
         },
         [](const MissionContext& m) { return m.node.given == NodeGiven::Ltan; }},
        {"TypeLtan", [this] { TypeLine(window.NodeTimeEdit(), QStringLiteral("22:45:30")); },
         [](const MissionContext& m) { return std::abs(m.node.value - (22 + 45 / 60.0 + 30 / 3600.0)) < 1e-12; }},
        {"RaanSelected",
         [this] {
             window.NodeKindBox()->setFocus();
             QTest::keyClick(window.NodeKindBox(), Qt::Key_End);
         },
         [this](const MissionContext& m) {
             return m.node.given == NodeGiven::RaanEme2000 && window.RaanBox()->isVisible() &&
                    !window.NodeTimeEdit()->isVisible();
         }},
        {"TypeRaan", [this] { TypeInto(window.RaanBox(), QStringLiteral("120.5")); },
         [](const MissionContext& m) { return m.node.value == 120.5; }},
        {"TypeSwath", [this] { TypeInto(window.SwathBox(), QStringLiteral("290")); },
         [](const MissionContext& m) { return m.swathKm == 290.0; }},
        {"SwathNone", [this] { TypeInto(window.SwathBox(), QStringLiteral("0")); },
         [](const MissionContext& m) { return !m.swathKm; }},
        {"TypeSatellites", [this] { TypeInto(window.SatellitesBox(), QStringLiteral("3")); },
         [](const MissionContext& m) { return m.satellites == 3; }},
        {"DescendingOnly",
         [this] {
             window.PassesBox()->setFocus();
             QTest::keyClick(window.PassesBox(), Qt::Key_End);
         },
         [](const MissionContext& m) { return m.passes == PassDirection::Descending; }},
        {"TickDaylight", [this] { QTest::mouseClick(window.SunMinCheck(), Qt::LeftButton); },
         [](const MissionContext& m) { return m.sunMinDeg == 10.0; }},
        {"TypeDaylight", [this] { TypeInto(window.SunMinBox(), QStringLiteral("-6")); },
         [](const MissionContext& m) { return m.sunMinDeg == -6.0; }},
        {"UntickEpoch", [this] { QTest::mouseClick(window.EpochCheck(), Qt::LeftButton); },
         [this](const MissionContext& m) { return !m.HasEpoch() && !window.EpochEdit()->isEnabled(); }},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_TRUE(step.holds(session->Mission()))
            << step.name << " " << window.EpochEdit()->text().toStdString() << " "
            << window.NodeTimeEdit()->text().toStdString();
    }
}

TEST_F(Mission, ShowsAMissionSetElsewhere)
{
    MissionContext mission;
    mission.epoch = orbit::ephemeris::ParseIsoUtc("2030-07-01T12:00:00Z");
    mission.node = {NodeGiven::Ltdn, 13.75};
    mission.swathKm = 185;
    mission.satellites = 2;
    mission.passes = PassDirection::Ascending;
    mission.sunMinDeg = 20;
    session->SetMission(mission);

    EXPECT_TRUE(window.EpochCheck()->isChecked());
    EXPECT_EQ(window.EpochEdit()->text(), QStringLiteral("2030-07-01T12:00:00Z"));
    EXPECT_EQ(window.NodeKindBox()->currentIndex(), 1);
    EXPECT_EQ(window.NodeTimeEdit()->text(), QStringLiteral("13:45:00"));
    EXPECT_EQ(window.SwathBox()->value(), 185);
    EXPECT_EQ(window.SatellitesBox()->value(), 2);
    EXPECT_EQ(window.PassesBox()->currentIndex(), 1);
    EXPECT_TRUE(window.SunMinCheck()->isChecked());
    EXPECT_EQ(window.SunMinBox()->value(), 20);
    // Showing it sets nothing back: the session holds what was set.
    EXPECT_EQ(session->Mission().node.value, 13.75);
    EXPECT_EQ(window.MissionShown().epoch->IsoUtc(3), mission.epoch->IsoUtc(3));
}

TEST_F(Mission, SaysWhatTheNodesFiguresWaitFor)
{
    EXPECT_TRUE(window.NodeFigures()->text().contains(QStringLiteral("need an epoch")));
    QTest::mouseClick(window.EpochCheck(), Qt::LeftButton);
    EXPECT_TRUE(window.NodeFigures()->text().contains(QStringLiteral("once a design is computed")));
}

// For mean local times the two nodes lie twelve hours apart; the true local
// time adds the equation of time, which on 21 March is -7 min 20 s to within
// ten seconds (almanac value); a sun-synchronous plane keeps its local time.
TEST_F(Mission, ShowsTheNodeOfTheDesignOnceComplete)
{
    MissionContext mission;
    mission.epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00:00Z");
    mission.node = {NodeGiven::Ltdn, 10.5};
    session->SetMission(mission);
    QSignalSpy shown(&window, &MissionWindow::FiguresShown);
    CompleteDesign(*session, 14, 3, 10, orbit::OrbitType::SunSynchronous);
    ASSERT_EQ(shown.count(), 1);
    const QString text = window.NodeFigures()->text();
    EXPECT_TRUE(text.contains(QStringLiteral("Ascending node 22:30:00 mean, 22:22:"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Descending node 10:30:00 mean, 10:22:"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("drifts +0.00 min a day"))) << text.toStdString();
}

// A chosen inclination's node turns at the J2 rate -3/2 n J2 (Re/a)^2 cos i
// against the mean Sun's 360 deg in 365.2422 days: its local time drifts.
TEST_F(Mission, ShowsTheDriftOfANodeThatIsNotSunSynchronous)
{
    MissionContext mission;
    mission.epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00:00Z");
    mission.node = {NodeGiven::Ltan, 6};
    session->SetMission(mission);
    CompleteDesign(*session, 15, 1, 2, orbit::OrbitType::ChooseInclination, 51, 6);
    const double a = session->LastCompleted()->solution.SemiMajorAxis;
    const double n = std::sqrt(orbit::RepBas::Mu / (a * a * a));
    const double nodeRate =
        -1.5 * n * orbit::RepBas::J2 * (orbit::RepBas::Re / a) * (orbit::RepBas::Re / a) * std::cos(51.6 * std::numbers::pi / 180);
    const double sunRate = 2 * std::numbers::pi / (365.2422 * 86400);
    const double driftMinPerDay = (nodeRate - sunRate) * 86400 / (2 * std::numbers::pi) * 1440;
    const QString text = window.NodeFigures()->text();
    const QRegularExpressionMatch shown = QRegularExpression(QStringLiteral("drifts ([+-][0-9.]+) min a day")).match(text);
    ASSERT_TRUE(shown.hasMatch()) << text.toStdString();
    EXPECT_NEAR(shown.captured(1).toDouble(), driftMinPerDay, 0.006) << text.toStdString();
    EXPECT_LT(driftMinPerDay, -20);  // the ISS-like plane's well-known regression against the Sun
}

TEST(MissionText, NamesTheNodeAsGiven)
{
    using mission_window::NodeRequestText;
    EXPECT_EQ(NodeRequestText({NodeGiven::Ltan, 22.5}), "LTAN 22:30:00 mean");
    EXPECT_EQ(NodeRequestText({NodeGiven::Ltdn, 10.75}), "LTDN 10:45:00 mean");
    EXPECT_EQ(NodeRequestText({NodeGiven::RaanEme2000, -30.25}), "RAAN -30.2500\u00b0 EME2000");
}

// A text that is no epoch or no local time is said beside the boxes, in the
// parser's words, and the session keeps what it had.
TEST_F(Mission, KeepsTheMissionWhileATypedTextIsWrong)
{
    QTest::mouseClick(window.EpochCheck(), Qt::LeftButton);
    TypeLine(window.EpochEdit(), QStringLiteral("2027-03-21T06:30Z"));
    const std::string kept = session->Mission().epoch->IsoUtc(0);
    ASSERT_EQ(kept, "2027-03-21T06:30:00Z");
    struct Case {
        const char* name;
        QLineEdit* line;
        const char* text;
        const char* said;
    } const cases[] = {
        {"NoZ", window.EpochEdit(), "2027-03-21T06:30", "Epoch: "},
        {"NoSuchDay", window.EpochEdit(), "2027-02-30T00:00Z", "Epoch: "},
        {"HourOutOfRange", window.NodeTimeEdit(), "25:00", "Node's local time: "},
    };
    for (const Case& c : cases) {
        TypeLine(c.line, QString::fromLatin1(c.text));
        EXPECT_TRUE(window.InputProblem()->isVisibleTo(&window)) << c.name;
        EXPECT_TRUE(window.InputProblem()->text().startsWith(QString::fromUtf8(c.said)))
            << c.name << ": " << window.InputProblem()->text().toStdString();
        EXPECT_EQ(session->Mission().epoch->IsoUtc(0), kept) << c.name;
        EXPECT_EQ(session->Mission().node.value, 10.5) << c.name;
        TypeLine(window.EpochEdit(), QString::fromStdString(kept));
        TypeLine(window.NodeTimeEdit(), QStringLiteral("10:30"));
        EXPECT_FALSE(window.InputProblem()->isVisibleTo(&window)) << c.name;
    }
}

}  // namespace

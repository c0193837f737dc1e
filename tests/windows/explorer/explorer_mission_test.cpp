// The design window's mission reaches the explorer opened from it: its
// satellites and the passes that count go into the sidelap and the worst
// revisit, its swath seeds the swath box, and the box stays the user's.

#include "tests/windows/explorer/explorer_fixture.h"

#include "analysis/swath_coverage.h"
#include "core/design_name.h"
#include "design_window/context_menu.h"
#include "design_window/explorer_link.h"
#include "design_window/orbit_des_vorn.h"
#include "explorer/candidate_details.h"
#include "explorer/coverage_pane.h"
#include "export_window/export_window.h"
#include "session/design_session.h"
#include "sun/sub_solar_sampling.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>

namespace {

using explorer::ExplorerColumn;
using orbit::analysis::PassDirection;

class ExplorerMission : public ExplorerTest {
protected:
    void SetUp() override
    {
        ExplorerTest::SetUp();
        design_ = std::make_unique<design_window::OrbitDesVorn>();
        design_window::FindRepeatOrbits_Click(*design_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&W()));
    }
    void TearDown() override
    {
        ExplorerTest::TearDown();
        design_.reset();
    }
    void SetMission(std::optional<double> swathKm, int satellites, PassDirection passes)
    {
        orbit::session::MissionContext mission = design_->Session()->Mission();
        mission.swathKm = swathKm;
        mission.satellites = satellites;
        mission.passes = passes;
        design_->Session()->SetMission(mission);
    }
    std::unique_ptr<design_window::OrbitDesVorn> design_;
};

TEST_F(ExplorerMission, SatellitesAndPassesGoIntoTheCoverageFigures)
{
    EXPECT_EQ(W().Session(), design_->Session());
    SetMission(290, 2, PassDirection::Ascending);
    EXPECT_EQ(W().Inputs()->SwathBox()->value(), 290) << "the mission's swath seeds the box";
    ASSERT_TRUE(Settle());
    const std::shared_ptr<const explorer::CandidateSet>& set = W().Model()->Candidates();
    ASSERT_TRUE(set && set->size() > 0);
    EXPECT_EQ(set->request.satellites, 2);
    EXPECT_EQ(set->request.passes, PassDirection::Ascending);
    EXPECT_TRUE(W().MissionLine()->text().contains(QStringLiteral("2 satellites, ascending passes only")))
        << W().MissionLine()->text().toStdString();

    // The first row's figures, worked out here for the same mission.
    const auto source = static_cast<std::size_t>(Proxy().SourceRow(0));
    const orbit::DesignRecord design = explorer::DesignOf(set->Row(source), set->request.search);
    EXPECT_DOUBLE_EQ(Value(0, ExplorerColumn::SidelapPercent),
                     orbit::analysis::EquatorialSidelapPercent(design, 290, 2));
    EXPECT_NE(orbit::analysis::EquatorialSidelapPercent(design, 290, 2),
              orbit::analysis::EquatorialSidelapPercent(design, 290, 1));
    QSignalSpy settled(&W(), &explorer::ExplorerWindow::RevisitsSettled);
    ASSERT_TRUE(W().Model()->Revisits()[source].state != explorer::RevisitFigure::State::Pending || Arrived(settled));
    orbit::analysis::SwathRequest swath;
    swath.swathKm = 290;
    swath.satellites = 2;
    swath.passes = PassDirection::Ascending;
    const orbit::analysis::CoverageSummary summary = orbit::analysis::CoverageByLatitude(design, swath).summary;
    const explorer::RevisitFigure figure = W().Model()->Revisits()[source];
    if (summary.maxRevisitDays) {
        ASSERT_EQ(figure.state, explorer::RevisitFigure::State::Days);
        EXPECT_DOUBLE_EQ(figure.days, *summary.maxRevisitDays);
    } else {
        EXPECT_EQ(figure.state, explorer::RevisitFigure::State::NoFullCoverage);
    }
}

TEST_F(ExplorerMission, TheSwathBoxStaysTheUsersUntilTheMissionsSwathChanges)
{
    SetMission(290, 1, PassDirection::Both);
    Type(W().Inputs()->SwathBox(), "300");
    ASSERT_TRUE(Settle());
    SetMission(290, 3, PassDirection::Both);  // the swath as it was
    ASSERT_TRUE(Settle());
    EXPECT_EQ(W().Inputs()->SwathBox()->value(), 300);
    EXPECT_EQ(W().Model()->Candidates()->request.satellites, 3);
    EXPECT_EQ(W().Model()->Candidates()->request.swathKm, 300);
    SetMission(200, 3, PassDirection::Both);
    EXPECT_EQ(W().Inputs()->SwathBox()->value(), 200);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(W().Model()->Candidates()->request.swathKm, 200);
}

TEST_F(ExplorerMission, TheDetailsChartTheSelectedOrbitsCoverageForTheMission)
{
    SetMission(290, 2, PassDirection::Descending);
    ASSERT_TRUE(Settle());
    explorer::CoveragePane* pane = W().Details()->Coverage();
    ASSERT_TRUE(ShowDetailsOf(3));
    const std::shared_ptr<const explorer::CandidateSet>& set = W().Model()->Candidates();
    const orbit::DesignRecord design =
        explorer::DesignOf(set->Row(static_cast<std::size_t>(Proxy().SourceRow(3))), set->request.search);
    const QString title = QString::fromStdString(orbit::DesignName(design, orbit::OrbitType::SunSynchronous));
    // Charted when its table arrives; an earlier selection's may come first.
    ASSERT_TRUE(QTest::qWaitFor([&] { return pane->Table() && pane->ChartView()->chart()->title() == title; },
                                kWorkTimeoutMs));
    ASSERT_TRUE(pane->isVisible());

    orbit::analysis::SwathRequest swath;
    swath.swathKm = 290;
    swath.satellites = 2;
    swath.passes = PassDirection::Descending;
    const orbit::analysis::CoverageTable expected = orbit::analysis::CoverageByLatitude(design, swath);
    ASSERT_EQ(pane->Table()->rows.size(), expected.rows.size());
    // The chart's longest-wait line goes through the table's figures.
    std::vector<QPointF> longest;
    for (QAbstractSeries* series : pane->ChartView()->chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(series); line && line->name() == QStringLiteral("Longest wait (days)"))
            for (const QPointF& point : line->points())
                longest.push_back(point);
    std::vector<QPointF> wanted;
    for (const orbit::analysis::LatitudeCoverage& row : expected.rows)
        if (row.maxRevisitDays)
            wanted.emplace_back(row.latitudeDeg, *row.maxRevisitDays);
    ASSERT_FALSE(wanted.empty());
    EXPECT_EQ(longest, wanted);

    // Without a swath there is no chart.
    W().Inputs()->SwathBox()->setValue(0);
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(pane->isVisible());
}

TEST_F(ExplorerMission, DaylightLooksOnlyCountWithTheMissionsEpoch)
{
    orbit::session::MissionContext mission = design_->Session()->Mission();
    mission.swathKm = 290;
    mission.sunMinDeg = 10;
    design_->Session()->SetMission(mission);
    ASSERT_TRUE(Settle());
    // No epoch: the threshold cannot be applied, and the line says so.
    EXPECT_FALSE(W().Model()->Candidates()->request.CountsDaylightOnly());
    EXPECT_TRUE(W().MissionLine()->text().contains(QStringLiteral("need the mission's epoch")))
        << W().MissionLine()->text().toStdString();

    mission.epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    mission.node = {orbit::ephemeris::NodeGiven::Ltdn, 10.5};
    design_->Session()->SetMission(mission);
    ASSERT_TRUE(Settle());
    const std::shared_ptr<const explorer::CandidateSet>& set = W().Model()->Candidates();
    ASSERT_TRUE(set->request.CountsDaylightOnly());
    EXPECT_TRUE(W().MissionLine()->text().contains(QStringLiteral("daylight looks only")));

    // The first row's figure as `repeat-orbit coverage --sun-min 10` works it out.
    const auto source = static_cast<std::size_t>(Proxy().SourceRow(0));
    const orbit::DesignRecord design = explorer::DesignOf(set->Row(source), set->request.search);
    orbit::analysis::SwathRequest swath;
    swath.swathKm = 290;
    orbit::analysis::LightCondition light;
    light.minSunElevationDeg = 10;
    light.nodeLongitudeRad =
        orbit::ephemeris::ResolveNode(*mission.epoch, mission.node, design.Incl, design.NodeRate).longitudeRad;
    const orbit::SubSolarTrack sun =
        orbit::sun::SubSolarTrackOver(*mission.epoch, (design.Q + 2) * 86400.0);
    const orbit::analysis::CoverageTable lit = orbit::analysis::CoverageByLatitude(design, swath, light, sun);
    QSignalSpy settled(&W(), &explorer::ExplorerWindow::RevisitsSettled);
    ASSERT_TRUE(W().Model()->Revisits()[source].state != explorer::RevisitFigure::State::Pending || Arrived(settled));
    const explorer::RevisitFigure figure = W().Model()->Revisits()[source];
    if (lit.summary.maxRevisitDays) {
        ASSERT_EQ(figure.state, explorer::RevisitFigure::State::Days);
        EXPECT_DOUBLE_EQ(figure.days, *lit.summary.maxRevisitDays);
        EXPECT_EQ(figure.north, lit.summary.fullCoverageNorth);
        EXPECT_EQ(figure.south, lit.summary.fullCoverageSouth);
    } else {
        EXPECT_EQ(figure.state, explorer::RevisitFigure::State::NoFullCoverage);
    }
    // The night half of the passes no longer counts at the equator.
    const orbit::analysis::CoverageTable unlit = orbit::analysis::CoverageByLatitude(design, swath);
    const std::size_t equator = lit.rows.size() / 2;
    ASSERT_EQ(lit.rows[equator].latitudeDeg, 0);
    EXPECT_LT(lit.rows[equator].passes, unlit.rows[equator].passes);
}

TEST_F(ExplorerMission, ExportOrbitFromTheDetailsTakesTheSelectedOrbitAndTheMission)
{
    orbit::session::MissionContext mission = design_->Session()->Mission();
    mission.epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    mission.node = {orbit::ephemeris::NodeGiven::Ltdn, 10.5};
    design_->Session()->SetMission(mission);
    ASSERT_TRUE(Settle());
    QPushButton* button = W().Details()->ExportButton();
    EXPECT_FALSE(button->isEnabled()) << "nothing selected, nothing to export";

    ASSERT_TRUE(ShowDetailsOf(2));
    ASSERT_TRUE(button->isEnabled());
    const std::shared_ptr<const explorer::CandidateSet>& set = W().Model()->Candidates();
    const orbit::DesignRecord design =
        explorer::DesignOf(set->Row(static_cast<std::size_t>(Proxy().SourceRow(2))), set->request.search);
    QTest::mouseClick(button, Qt::LeftButton);

    export_window::ExportWindow* opened = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<export_window::ExportWindow*>(widget); window && window->isVisible())
            opened = window;
    ASSERT_NE(opened, nullptr);
    // Named for the selected orbit and the mission's 10:30 descending node.
    const QString name = opened->ProposedName();
    EXPECT_TRUE(name.startsWith(QStringLiteral("N%1M%2Q%3-ss-1030.").arg(design.N).arg(design.M).arg(design.Q)))
        << name.toStdString();
    opened->close();
}

}  // namespace

// The design window's mission reaches the explorer opened from it: its
// satellites and the passes that count go into the sidelap and the worst
// revisit, its swath seeds the swath box, and the box stays the user's.

#include "tests/explorer/explorer_fixture.h"

#include "analysis/swath_coverage.h"
#include "design_window/context_menu.h"
#include "design_window/explorer_link.h"
#include "design_window/orbit_des_vorn.h"
#include "explorer/candidate_details.h"
#include "session/design_session.h"

#include <QLabel>

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

}  // namespace

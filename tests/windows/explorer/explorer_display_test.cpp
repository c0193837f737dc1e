// What the explorer shows beside the numbers: a status line that tells the
// truth about the table in front of it, counts as people read them, the
// columns that name an orbit kept in view, a worst revisit that says when it
// holds over a band alone, and thumbnails that stay readable for long
// cycles.

#include "tests/windows/explorer/explorer_fixture.h"

#include "analysis/search_columns.h"
#include "analysis/swath_coverage.h"
#include "core/number_text.h"
#include "explorer/candidate_details.h"
#include "explorer/candidate_text.h"
#include "explorer/column_chooser.h"
#include "explorer/pinned_columns.h"
#include "map_qt/map_widget.h"
#include "pattern/picture_size.h"
#include "pattern_qt/pattern_view.h"

#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdint>
#include <limits>

namespace {

using explorer::ExplorerColumn;

struct GroupedCase {
    const char* name;
    std::int64_t count;
    const char* text;
};

const GroupedCase kGrouped[] = {
    {"Zero", 0, "0"},
    {"ThreeDigits", 999, "999"},
    {"FourDigits", 1000, "1,000"},
    {"SearchOfAThousandDays", 1501362, "1,501,362"},
    {"Negative", -1234567, "-1,234,567"},
    {"LowestInt64", std::numeric_limits<std::int64_t>::min(), "-9,223,372,036,854,775,808"},
};

class GroupedCount : public ::testing::TestWithParam<GroupedCase> {};

TEST_P(GroupedCount, GroupsThousandsWithCommas)
{
    EXPECT_EQ(explorer::GroupedCountText(GetParam().count), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Counts, GroupedCount, ::testing::ValuesIn(kGrouped),
                         [](const ::testing::TestParamInfo<GroupedCase>& c) { return std::string(c.param.name); });

TEST(CountText, SingularForOneOnly)
{
    EXPECT_EQ(explorer::CountText(1, "day", "days"), "1 day");
    EXPECT_EQ(explorer::CountText(0, "day", "days"), "0 days");
    EXPECT_EQ(explorer::CountText(1000, "day", "days"), "1,000 days");
}

TEST_F(ExplorerTest, StatusLineForgetsTheSaveOnTheNextSearch)
{
    QTemporaryDir folder;
    W().SetSaveDialog([&](QWidget*) { return folder.filePath(QStringLiteral("orbits.csv")); });
    QSignalSpy saved(&W(), &explorer::ExplorerWindow::SaveFinished);
    QTest::mouseClick(W().SaveButton(), Qt::LeftButton);
    ASSERT_TRUE(Arrived(saved));
    ASSERT_TRUE(W().StatusLine()->text().contains(QStringLiteral("saved to")));
    Type(W().Inputs()->AltitudeToBox(), "700");
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(W().StatusLine()->text().contains(QStringLiteral("saved to"))) << W().StatusLine()->text().toStdString();
}

TEST_F(ExplorerTest, CountsAreGroupedAndOneDayIsSingular)
{
    W().Inputs()->AltitudeFromBox()->setValue(500);  // 15 revolutions a day, 561 km
    Type(W().Inputs()->DaysToBox(), "100");
    ASSERT_TRUE(Settle());
    const int rows = Proxy().rowCount();
    ASSERT_GE(rows, 1000);
    const QString status = W().StatusLine()->text();
    EXPECT_TRUE(status.startsWith(QString::fromStdString(explorer::GroupedCountText(rows)) +
                                  QStringLiteral(" repeat orbits found.")))
        << status.toStdString();
    EXPECT_FALSE(status.contains(QRegularExpression(QStringLiteral("\\d{4}")))) << status.toStdString();
    EXPECT_EQ(W().Inputs()->DaysFromBox()->text(), QStringLiteral("1 day"));
    EXPECT_EQ(W().Inputs()->DaysToBox()->text(), QStringLiteral("100 days"));

    // A one-day cycle's map.
    const int row = RowOf(15, 0, 1);
    ASSERT_GE(row, 0);
    ASSERT_TRUE(ShowDetailsOf(row));
    EXPECT_EQ(W().Details()->MapCaption()->text().toStdString(), "Ground track of the whole cycle, 1 day")
        << W().Details()->Title()->text().toStdString() << " row " << row;
}

TEST_F(ExplorerTest, WithASwathNAndMAndQStayInViewBesideTheCoverageColumns)
{
    Type(W().Inputs()->SwathBox(), "290");
    ASSERT_TRUE(Settle());
    QTableView* table = W().Table();
    QHeaderView* header = table->horizontalHeader();
    // At the size the window asks for (a small screen's window may have no
    // room for N, M, Q and a figure side by side).
    const QSize before = W().size();
    W().resize(W().sizeHint());
    W().layout()->activate();
    // Each coverage figure can be scrolled into full view beside N, M and Q.
    const int pinnedWidth = W().Pinned()->Width();
    QScrollBar* scroll = table->horizontalScrollBar();
    for (const ExplorerColumn column : {ExplorerColumn::SidelapPercent, ExplorerColumn::WorstRevisitDays}) {
        const int c = Column(column);
        ASSERT_FALSE(table->isColumnHidden(c)) << c;
        bool seen = false;
        for (int at = scroll->minimum(); at <= scroll->maximum() && !seen; ++at) {
            scroll->setValue(at);
            seen = header->sectionViewportPosition(c) >= pinnedWidth &&
                   header->sectionViewportPosition(c) + header->sectionSize(c) <= table->viewport()->width();
        }
        EXPECT_TRUE(seen) << "column " << c << " is never in view beside N, M and Q";
    }
    W().resize(before);
    scroll->setValue(scroll->maximum());
    // N, M and Q are still shown, by the pinned columns over the table's edge.
    QTableView* pinned = W().Pinned()->View();
    ASSERT_TRUE(pinned->isVisible());
    EXPECT_EQ(pinned->geometry().left(), table->viewport()->geometry().left());
    for (const ExplorerColumn column : {ExplorerColumn::N, ExplorerColumn::M, ExplorerColumn::Q}) {
        const int c = Column(column);
        EXPECT_FALSE(pinned->isColumnHidden(c));
        EXPECT_EQ(pinned->columnWidth(c), table->columnWidth(c));
        EXPECT_GE(pinned->horizontalHeader()->sectionViewportPosition(c), 0);
        EXPECT_LE(pinned->horizontalHeader()->sectionViewportPosition(c) + pinned->columnWidth(c), pinnedWidth);
    }
    EXPECT_TRUE(pinned->isColumnHidden(Column(ExplorerColumn::MeanAltitudeKm)));
    EXPECT_EQ(pinned->model(), table->model());
    EXPECT_EQ(pinned->selectionModel(), table->selectionModel()) << "one selection";
    EXPECT_EQ(pinned->focusPolicy(), Qt::NoFocus);

    // The hidden figures come back from the header's menu; N, M and Q cannot go.
    std::unique_ptr<QMenu> menu(W().Columns()->MakeMenu(&W()));
    QAction* semiMajorAxis = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == QStringLiteral("Semi-major axis (km)"))
            semiMajorAxis = action;
        if (action->text() == QStringLiteral("N") || action->text() == QStringLiteral("Q (days)")) {
            EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
        }
    }
    ASSERT_NE(semiMajorAxis, nullptr);
    EXPECT_TRUE(table->isColumnHidden(Column(ExplorerColumn::SemiMajorAxisKm)));
    semiMajorAxis->trigger();
    EXPECT_FALSE(table->isColumnHidden(Column(ExplorerColumn::SemiMajorAxisKm)));
    // The choice holds for the next search.
    Type(W().Inputs()->AltitudeToBox(), "750");
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(table->isColumnHidden(Column(ExplorerColumn::SemiMajorAxisKm)));
    W().Columns()->SetShown(ExplorerColumn::SemiMajorAxisKm, false);
}

TEST_F(ExplorerTest, AWorstRevisitOverABandAwayFromTheEquatorSaysSo)
{
    Type(W().Inputs()->SwathBox(), "50");
    ASSERT_TRUE(Settle());
    // Sorted down, every row's figure is worked out.
    W().Table()->sortByColumn(Column(ExplorerColumn::WorstRevisitDays), Qt::DescendingOrder);
    ASSERT_TRUE(SettleWithRevisits());
    const std::shared_ptr<const explorer::CandidateSet>& set = W().Model()->Candidates();
    int partial = 0;
    for (int row = 0; row < Proxy().rowCount(); ++row) {
        const auto source = static_cast<std::size_t>(Proxy().SourceRow(row));
        orbit::analysis::SwathRequest swath;
        swath.swathKm = 50;
        const orbit::analysis::CoverageSummary summary =
            orbit::analysis::CoverageByLatitude(explorer::DesignOf(set->Row(source), set->request.search), swath)
                .summary;
        if (!summary.maxRevisitDays)
            continue;
        std::string expected = orbit::analysis::RevisitDaysText(*summary.maxRevisitDays);
        if (!summary.FullCoverageFromEquator()) {
            ++partial;
            // Without the light test the hemispheres mirror: one band for both.
            EXPECT_EQ(summary.fullCoverageNorth, summary.fullCoverageSouth);
            expected += " at " + orbit::ShortestNumberText(summary.fullCoverageNorth->fromLatDeg) + "\u2013" +
                        orbit::ShortestNumberText(summary.fullCoverageNorth->toLatDeg) + "\u00b0 only";
            EXPECT_TRUE(Proxy()
                            .index(row, Column(ExplorerColumn::WorstRevisitDays))
                            .data(Qt::ToolTipRole)
                            .toString()
                            .contains(QStringLiteral("nearer the equator")));
        }
        EXPECT_EQ(Text(row, ExplorerColumn::WorstRevisitDays).toStdString(), expected) << row;
    }
    EXPECT_GT(partial, 0) << "a 50 km swath leaves gaps at the equator";
}

TEST_F(ExplorerTest, ALongCycleThumbnailShowsAFewDaysAndAReadablePattern)
{
    explorer::ExplorerInputs* in = W().Inputs();
    in->DaysToBox()->setValue(200);
    Type(in->DaysFromBox(), "200");
    ASSERT_TRUE(Settle());
    ASSERT_GT(Proxy().rowCount(), 0);
    explorer::CandidateDetails* details = W().Details();
    ASSERT_TRUE(ShowDetailsOf(0));
    EXPECT_LE(details->Map()->Days(), 3);
    EXPECT_EQ(details->MapCaption()->text(), QStringLiteral("Ground track of the first 3 days of 200 days"));
    // The pattern's text shrinks with the picture: at least three quarters
    // of the pattern window's size keeps it readable.
    EXPECT_GE(details->Pattern()->width(), pattern::kPictureWidthPx * 3 / 4);
    EXPECT_GE(details->Pattern()->height(), pattern::kPictureHeightPx * 3 / 4);
}

}  // namespace

namespace {

// With a swath and another sort, only the rows in view get their worst
// revisit; a sort by it places the rest by their floors first, and the
// status line says what is still to come.
TEST_F(ExplorerTest, WorstRevisitsAreWorkedOutForTheViewUnlessSortedByThem)
{
    explorer::ExplorerInputs* in = W().Inputs();
    in->DaysToBox()->setValue(30);
    QSignalSpy settled(&W(), &explorer::ExplorerWindow::RevisitsSettled);
    Type(in->SwathBox(), "290");
    ASSERT_TRUE(Settle());
    ASSERT_TRUE(Arrived(settled));
    const std::int64_t rows = W().Model()->rowCount();
    const std::int64_t pending = W().Model()->PendingRevisits();
    ASSERT_GT(rows, 150);
    EXPECT_GT(pending, rows / 2) << "rows nobody looks at were worked out";
    EXPECT_LT(pending, rows) << "the rows in view were not";
    for (int row = 0; row < W().Table()->rowAt(W().Table()->viewport()->height() - 1); ++row)
        EXPECT_NE(Text(row, ExplorerColumn::WorstRevisitDays), QStringLiteral("pending")) << row;
    const QString status = W().StatusLine()->text();
    EXPECT_TRUE(status.contains(QStringLiteral("Worst revisit: %1 of %2 worked out (the rows in view)")
                                    .arg(QString::fromStdString(explorer::GroupedCountText(rows - pending)),
                                         QString::fromStdString(explorer::GroupedCountText(rows)))))
        << status.toStdString();

    settled.clear();
    W().Table()->sortByColumn(Column(ExplorerColumn::WorstRevisitDays), Qt::AscendingOrder);
    EXPECT_TRUE(W().StatusLine()->text().contains(QStringLiteral("by a floor under its figure first")))
        << W().StatusLine()->text().toStdString();
    ASSERT_TRUE(Arrived(settled));
    ASSERT_TRUE(Settle());
    EXPECT_GT(W().Model()->PendingRevisits(), 0);
    EXPECT_TRUE(
        W().StatusLine()->text().contains(QStringLiteral("those below are worked out as the view reaches them")))
        << W().StatusLine()->text().toStdString();

    settled.clear();
    W().Table()->sortByColumn(Column(ExplorerColumn::WorstRevisitDays), Qt::DescendingOrder);
    EXPECT_TRUE(W().StatusLine()->text().contains(QStringLiteral("for the sort")))
        << W().StatusLine()->text().toStdString();
    ASSERT_TRUE(Arrived(settled));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(W().Model()->PendingRevisits(), 0);
    EXPECT_FALSE(W().StatusLine()->text().contains(QStringLiteral("Worst revisit:")));
}

}  // namespace

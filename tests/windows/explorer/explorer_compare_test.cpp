// "Compare": two to four selected orbits side by side, their figures solved
// and worked out again here, and their tracks on one map, each in its own
// colour; its own window, closed with Escape.

#include "tests/windows/explorer/explorer_fixture.h"

#include "analysis/search_columns.h"
#include "analysis/swath_coverage.h"
#include "core/design_name.h"
#include "core/result_fields.h"
#include "explorer/compare_window.h"
#include "explorer/overlay_map.h"

#include <QPushButton>
#include <QTableWidget>

namespace {

using explorer::CompareWindow;
using explorer::ExplorerColumn;

// Within the blending that smooths a line's edges.
bool Near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 60;
}

TEST_F(ExplorerTest, CompareWantsTwoToFourRows)
{
    ClickRow(0);
    EXPECT_FALSE(W().CompareButton()->isEnabled());
    for (int row = 1; row < 5; ++row) {
        ClickRow(row, Qt::ControlModifier);
        EXPECT_EQ(W().CompareButton()->isEnabled(), row + 1 <= 4) << row + 1 << " rows";
    }
}

TEST_F(ExplorerTest, CompareShowsTheOrbitsSideBySideAndTheirTracksOnOneMap)
{
    Type(W().Inputs()->SwathBox(), "290");
    ASSERT_TRUE(Settle());
    // Far apart in altitude: their tracks part within the first revolutions.
    const std::vector<int> shown{0, Proxy().rowCount() / 2, Proxy().rowCount() - 1};
    ClickRow(shown[0]);
    for (std::size_t i = 1; i < shown.size(); ++i)
        ClickRow(shown[i], Qt::ControlModifier);
    ASSERT_TRUE(W().CompareButton()->isEnabled());
    // The mnemonic clicks the button the way a button shows a click: a moment later.
    QSignalSpy clicked(W().CompareButton(), &QPushButton::clicked);
    QTest::keyClick(&W(), Qt::Key_M, Qt::AltModifier);
    ASSERT_TRUE(Arrived(clicked));
    CompareWindow* compare = W().Comparison();
    ASSERT_NE(compare, nullptr);
    ASSERT_TRUE(compare->isVisible());
    QSignalSpy complete(compare, &CompareWindow::FiguresComplete);
    QSignalSpy rendered(compare->Map(), &explorer::OverlayMap::Rendered);
    QTableWidget* table = compare->Table();
    ASSERT_EQ(table->columnCount(), 3);
    const int revisitRow = compare->RowOf(QStringLiteral("Worst revisit (days)"));
    ASSERT_GE(revisitRow, 0);
    bool pending = false;
    for (int column = 0; column < 3; ++column)
        pending = pending || table->item(revisitRow, column)->text() == QStringLiteral("pending");
    if (pending) {
        ASSERT_TRUE(Arrived(complete));
    }

    const std::shared_ptr<const explorer::CandidateSet>& set = W().Model()->Candidates();
    for (int column = 0; column < 3; ++column) {
        const auto row = static_cast<std::size_t>(Proxy().SourceRow(shown[static_cast<std::size_t>(column)]));
        orbit::DesignRecord record;
        const orbit::RepeatOrbitSolution solution = orbit::SolveRepeatOrbit(
            orbit::RepeatOrbitInputs::Fixed(set->Row(row).N, set->Row(row).M, set->Row(row).Q,
                                            orbit::OrbitType::SunSynchronous, 0, 0),
            {}, record);
        EXPECT_EQ(table->horizontalHeaderItem(column)->text().toStdString(),
                  orbit::DesignName(record, orbit::OrbitType::SunSynchronous));
        for (const orbit::ResultField field : {orbit::ResultField::MeanAltitude, orbit::ResultField::NodalPeriod}) {
            const int line = compare->RowOf(QString::fromUtf8(orbit::InfoOf(field).caption));
            ASSERT_GE(line, 0);
            EXPECT_EQ(table->item(line, column)->text().toStdString(),
                      orbit::FormatResult(field, *orbit::ValueOf(solution, field)));
        }
        EXPECT_EQ(table->item(compare->RowOf(QStringLiteral("Sidelap at the equator (%)")), column)->text().toStdString(),
                  orbit::analysis::SidelapPercentText(orbit::analysis::EquatorialSidelapPercent(record, 290)));
        orbit::analysis::SwathRequest swath;
        swath.swathKm = 290;
        const orbit::analysis::CoverageSummary summary = orbit::analysis::CoverageByLatitude(record, swath).summary;
        ASSERT_TRUE(summary.maxRevisitDays.has_value());
        EXPECT_TRUE(table->item(revisitRow, column)
                        ->text()
                        .startsWith(QString::fromStdString(orbit::analysis::RevisitDaysText(*summary.maxRevisitDays))));
    }

    // Each orbit's track is drawn in its own colour.
    // Drawn when first painted, which may have come while the figures were awaited.
    ASSERT_TRUE(!compare->Map()->Picture().isNull() || Arrived(rendered));
    const QImage picture = compare->Map()->Picture().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(compare->Map()->Orbits().size(), 3u);
    for (const explorer::OverlayMap::Orbit& orbit : compare->Map()->Orbits()) {
        ASSERT_FALSE(orbit.track.empty()) << orbit.name.toStdString();
        int pixels = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                pixels += Near(picture.pixelColor(x, y), orbit.colour) ? 1 : 0;
        EXPECT_GT(pixels, 50) << orbit.name.toStdString();
    }

    QTest::keyClick(compare, Qt::Key_Escape);
    EXPECT_FALSE(compare->isVisible());

    // Closing the explorer closes its comparison too.
    compare->show();
    W().close();
    EXPECT_FALSE(compare->isVisible());
}

}  // namespace

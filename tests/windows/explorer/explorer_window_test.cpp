// The explorer window driven with real mouse and key events: results follow
// the inputs as they are typed, the header sorts, the filters filter, Copy
// and "Save as CSV…" write what the table shows, the details follow the
// selection, and the window keeps answering while a long search runs.

#include "tests/windows/explorer/explorer_fixture.h"

#include "explorer/candidate_details.h"
#include "explorer/candidate_order.h"
#include "explorer/candidate_set.h"
#include "pattern_qt/pattern_view.h"
#include "tests/windows/explorer/command_output.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

namespace {

using explorer::ExplorerColumn;
using explorer_testing::Lines;

std::size_t RowsFound(double altMinKm, double altMaxKm, int maxDays)
{
    explorer::ExplorerRequest request;
    request.search.type = orbit::OrbitType::SunSynchronous;
    request.search.altMinKm = altMinKm;
    request.search.altMaxKm = altMaxKm;
    request.search.maxDays = maxDays;
    return explorer::FindCandidates(request)->size();
}

TEST_F(ExplorerTest, ResultsFollowTheInputsAsTheyAreTyped)
{
    ASSERT_EQ(static_cast<std::size_t>(Proxy().rowCount()), RowsFound(600, 800, 16));
    Type(W().Inputs()->AltitudeToBox(), "700");
    EXPECT_TRUE(W().Searching()) << "the search waits for the typing to pause";
    ASSERT_TRUE(Settle());
    EXPECT_EQ(static_cast<std::size_t>(Proxy().rowCount()), RowsFound(600, 700, 16));
    for (int row = 0; row < Proxy().rowCount(); ++row)
        EXPECT_LE(Value(row, ExplorerColumn::MeanAltitudeKm), 700) << row;
    EXPECT_TRUE(W().StatusLine()->text().startsWith(QStringLiteral("%1 repeat orbits found.").arg(Proxy().rowCount())))
        << W().StatusLine()->text().toStdString();
    EXPECT_TRUE(errors_.isEmpty());
}

// Within the screen where its controls allow, at 200 per cent too.
TEST_F(ExplorerTest, OpensWithinTheScreen)
{
    const QRect available = W().screen()->availableGeometry();
    EXPECT_LE(W().width(), std::max(available.width(), W().minimumSizeHint().width()));
    EXPECT_LE(W().height(), std::max(available.height(), W().minimumSizeHint().height()));
}

TEST_F(ExplorerTest, AnUpsideDownBandIsToldInTheStatusLine)
{
    Type(W().Inputs()->AltitudeFromBox(), "900");
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Proxy().rowCount(), 0);
    EXPECT_TRUE(W().StatusLine()->text().contains(QStringLiteral("upside down")))
        << W().StatusLine()->text().toStdString();
    EXPECT_FALSE(W().SaveButton()->isEnabled());
    EXPECT_TRUE(errors_.isEmpty()) << "typing never raises a message box";
}

TEST_F(ExplorerTest, HeaderClicksSortByValueUpThenDown)
{
    QHeaderView* header = W().Table()->horizontalHeader();
    const int column = Column(ExplorerColumn::GridSpacingKm);
    for (const bool descending : {false, true}) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                                 header->height() / 2));
        ASSERT_TRUE(Settle());
        EXPECT_EQ(header->sortIndicatorOrder(), descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        ASSERT_GT(Proxy().rowCount(), 20);
        for (int row = 1; row < Proxy().rowCount(); ++row) {
            const double before = Value(row - 1, ExplorerColumn::GridSpacingKm);
            const double after = Value(row, ExplorerColumn::GridSpacingKm);
            EXPECT_TRUE(descending ? before >= after : before <= after) << row;
        }
    }
}

// The order every figure, worked out, would give.
std::vector<std::int32_t> OrderOfAllFigures(const explorer::CandidateSet& set, const explorer::OrderRequest& request)
{
    std::vector<explorer::RevisitFigure> figures;
    for (std::size_t row = 0; row < set.size(); ++row)
        figures.push_back(explorer::WorstRevisitOf(set, row));
    return explorer::ComputeOrder(set, figures, request).shown;
}

// The rows shown from the top down to `last`, by the set's rows.
std::vector<std::int32_t> ShownDownTo(int last)
{
    std::vector<std::int32_t> rows;
    for (int row = 0; row <= last; ++row)
        rows.push_back(explorer::ExplorerWindow::Instance().Proxy()->SourceRow(row));
    return rows;
}

// Sorted up, only the rows down to the end of the view are worked out, and
// they are the very rows, in the very order, that every figure would give;
// the view at the bottom then brings the rest in, each in its place.
TEST_F(ExplorerTest, AnAscendingRevisitSortWorksOutOnlyTheRowsDownToTheView)
{
    W().Inputs()->DaysToBox()->setValue(50);
    W().Inputs()->SwathBox()->setValue(290);
    ASSERT_TRUE(Settle());
    QSignalSpy settled(&W(), &explorer::ExplorerWindow::RevisitsSettled);
    W().Table()->sortByColumn(Column(ExplorerColumn::WorstRevisitDays), Qt::AscendingOrder);
    ASSERT_TRUE(Arrived(settled));
    ASSERT_TRUE(Settle());
    const explorer::CandidateSet& set = *W().Model()->Candidates();
    const std::vector<std::int32_t> truth = OrderOfAllFigures(set, Proxy().Request());
    const int last = W().Table()->rowAt(W().Table()->viewport()->height() - 1);
    ASSERT_GT(last, 5);
    ASSERT_GT(Proxy().rowCount(), 3 * (last + 1));
    EXPECT_EQ(ShownDownTo(last), std::vector<std::int32_t>(truth.begin(), truth.begin() + last + 1));
    for (int row = 0; row <= last; ++row)
        EXPECT_NE(Text(row, ExplorerColumn::WorstRevisitDays), QStringLiteral("pending")) << row;
    EXPECT_GT(W().Model()->PendingRevisits(), Proxy().rowCount() / 2) << "rows below the view were worked out";
    EXPECT_TRUE(W().StatusLine()->text().contains(QStringLiteral("in their places")))
        << W().StatusLine()->text().toStdString();

    settled.clear();
    W().Table()->setFocus();
    QTest::keyClick(W().Table(), Qt::Key_End, Qt::ControlModifier);
    ASSERT_TRUE(Arrived(settled));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(W().Model()->PendingRevisits(), 0) << "the view at the bottom needs every row above it";
    EXPECT_EQ(ShownDownTo(Proxy().rowCount() - 1), truth);
}

// Sorted down, a floor says nothing of where a row belongs: every figure is
// worked out, and the table sorted again when all are in.
TEST_F(ExplorerTest, ADescendingRevisitSortEndsWithEveryFigureInPlace)
{
    W().Inputs()->SwathBox()->setValue(290);
    ASSERT_TRUE(Settle());
    W().Table()->sortByColumn(Column(ExplorerColumn::WorstRevisitDays), Qt::DescendingOrder);
    ASSERT_TRUE(SettleWithRevisits());
    EXPECT_EQ(ShownDownTo(Proxy().rowCount() - 1),
              OrderOfAllFigures(*W().Model()->Candidates(), Proxy().Request()));
    EXPECT_FALSE(W().StatusLine()->text().contains(QStringLiteral("pending")));
}

TEST_F(ExplorerTest, FiltersFromTheControls)
{
    explorer::ExplorerInputs* in = W().Inputs();
    const int all = Proxy().rowCount();
    EXPECT_FALSE(in->EquatorWithoutGapsBox()->isEnabled()) << "no swath, no sidelap";

    Type(in->GridSpacingBox(), "300");
    ASSERT_TRUE(SettleFilter());
    ASSERT_LT(Proxy().rowCount(), all);
    for (int row = 0; row < Proxy().rowCount(); ++row)
        EXPECT_LE(Value(row, ExplorerColumn::GridSpacingKm), 300) << row;
    EXPECT_TRUE(W().StatusLine()->text().contains(QStringLiteral("%1 shown.").arg(Proxy().rowCount())));

    in->GridSpacingBox()->setValue(0);
    Type(in->SubcycleBox(), "2");
    ASSERT_TRUE(SettleFilter());
    ASSERT_LT(Proxy().rowCount(), all);
    for (int row = 0; row < Proxy().rowCount(); ++row)
        EXPECT_LE(Value(row, ExplorerColumn::SubcycleDays), 2) << row;

    in->SubcycleBox()->setValue(0);
    Type(in->SwathBox(), "290");
    ASSERT_TRUE(Settle());
    ASSERT_TRUE(in->EquatorWithoutGapsBox()->isEnabled());
    QTest::mouseClick(in->EquatorWithoutGapsBox(), Qt::LeftButton);
    ASSERT_TRUE(SettleFilter());
    ASSERT_LT(Proxy().rowCount(), all);
    ASSERT_GT(Proxy().rowCount(), 0);
    for (int row = 0; row < Proxy().rowCount(); ++row)
        EXPECT_GE(Value(row, ExplorerColumn::SidelapPercent), 0) << row;
}

TEST_F(ExplorerTest, CtrlCCopiesTheSelectedRowsAsShownUnderTheirNames)
{
    ClickRow(0);
    ClickRow(2, Qt::ControlModifier);
    QSignalSpy copied(&W(), &explorer::ExplorerWindow::CopyFinished);
    QTest::keyClick(W().Table(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(Arrived(copied));
    const std::vector<std::string> lines = Lines(QGuiApplication::clipboard()->text().toStdString());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].starts_with("N\tM\tQ\trevs\tsemi_major_axis_km\tmean_altitude_km")) << lines[0];
    for (const int row : {0, 2}) {
        QStringList cells;
        for (int column = 0; column < Proxy().columnCount(); ++column)
            cells << Proxy().index(row, column).data().toString();
        EXPECT_EQ(lines[row == 0 ? 1 : 2], cells.join('\t').toStdString());
    }
}

TEST_F(ExplorerTest, SaveAsCsvWritesTheTableInTheOrderAndFilterShown)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("orbits.csv"));
    W().SetSaveDialog([&](QWidget*) { return path; });
    W().Inputs()->SubcycleBox()->setValue(3);
    W().Table()->sortByColumn(Column(ExplorerColumn::GridSpacingKm), Qt::AscendingOrder);
    ASSERT_TRUE(SettleFilter());
    QSignalSpy saved(&W(), &explorer::ExplorerWindow::SaveFinished);
    QTest::mouseClick(W().SaveButton(), Qt::LeftButton);
    ASSERT_TRUE(Arrived(saved));
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::vector<std::string> lines = Lines(file.readAll().toStdString());
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(Proxy().rowCount()) + 1);
    EXPECT_TRUE(lines[0].starts_with("N,M,Q,revs,")) << lines[0];
    for (int row = 0; row < Proxy().rowCount(); ++row) {
        const QString start = QStringLiteral("%1,%2,%3,").arg(Text(row, ExplorerColumn::N),
                                                               Text(row, ExplorerColumn::M), Text(row, ExplorerColumn::Q));
        EXPECT_TRUE(QString::fromStdString(lines[static_cast<std::size_t>(row) + 1]).startsWith(start)) << row;
    }
    EXPECT_TRUE(W().StatusLine()->text().contains(QStringLiteral("saved to"))) << W().StatusLine()->text().toStdString();
}

TEST_F(ExplorerTest, SaveAsCsvIntoAMissingFolderIsReportedAndWritesNothing)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("missing/orbits.csv"));
    W().SetSaveDialog([&](QWidget*) { return path; });
    QSignalSpy saved(&W(), &explorer::ExplorerWindow::SaveFinished);
    QTest::mouseClick(W().SaveButton(), Qt::LeftButton);
    ASSERT_TRUE(Arrived(saved));
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_.front().contains(path)) << errors_.front().toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ExplorerTest, DetailsFollowTheCurrentRow)
{
    const int row = RowOf(14, 3, 10);
    ASSERT_GE(row, 0);
    explorer::CandidateDetails* details = W().Details();
    QSignalSpy shown(details, &explorer::CandidateDetails::CandidateShown);
    QSignalSpy rendered(details->Pattern(), &pattern::PatternView::Rendered);
    ClickRow(row);
    ASSERT_TRUE(shown.count() > 0 || shown.wait(kWorkTimeoutMs));
    // The pattern renders when first painted, once the layout has given it
    // its area: wait for that rather than read it at whatever size it has.
    ASSERT_TRUE(rendered.count() > 0 || rendered.wait(kWorkTimeoutMs));
    EXPECT_EQ(details->Title()->text(), QStringLiteral("N 14, M 3, Q 10, sun-synchronous"));
    EXPECT_GE(details->Pattern()->width(), details->Pattern()->minimumSizeHint().width());
    EXPECT_EQ(details->FieldText(QStringLiteral("Mean altitude (km)")), QStringLiteral("786.12"));
    EXPECT_EQ(details->FieldText(QStringLiteral("Sun-Synchronous inclination, deg")), QStringLiteral("98.544"));
    EXPECT_FALSE(details->Pattern()->Picture().isNull());
    EXPECT_EQ(details->MapCaption()->text(), QStringLiteral("Ground track of the first 3 days of 10 days"));
    EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(ExplorerTest, KeepsAnsweringWhileALongSearchRuns)
{
    explorer::ExplorerInputs* in = W().Inputs();
    in->SwathBox()->setValue(290);
    in->AltitudeFromBox()->setValue(200);
    in->AltitudeToBox()->setValue(2000);
    in->DaysToBox()->setValue(1000);
    ASSERT_TRUE(QTest::qWaitFor([] { return W().ProgressBar()->isVisible(); }, kWorkTimeoutMs));
    QSignalSpy finished(&W(), &explorer::ExplorerWindow::SearchFinished);

    // A timer on the window's thread ticks on only while events are being
    // processed: a search on this thread would hold it up for seconds.
    int ticks = 0;
    int progress = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (!W().Searching())
            return;
        ++ticks;
        progress = std::max(progress, W().ProgressBar()->value());
    });
    ticker.start(20);
    const bool ended = QTest::qWaitFor([] { return !W().Searching(); }, 1000);
    EXPECT_GE(ticks, 5) << (ended ? "the search ended within a second" : "the search is still running");
    // Typing is taken while the search runs, and the new inputs cancel it.
    const bool cancelled = W().Searching();
    Type(in->DaysToBox(), "20");
    EXPECT_EQ(in->DaysToBox()->value(), 20);
    ASSERT_TRUE(Settle());
    ticker.stop();
    EXPECT_GT(progress, 0) << "the progress bar moved";
    if (cancelled) {
        EXPECT_EQ(finished.count(), 1) << "the 1000-day search never reached the table";
    }
    ASSERT_GT(Proxy().rowCount(), 0);
    for (int row = 0; row < Proxy().rowCount(); ++row)
        ASSERT_LE(Text(row, ExplorerColumn::Q).toInt(), 20) << row;
}

TEST_F(ExplorerTest, ReturnOnARowUsesItAndReturnInAnInputDoesNot)
{
    Type(W().Inputs()->AltitudeToBox(), "790");
    QTest::keyClick(W().Inputs()->AltitudeToBox(), Qt::Key_Return);
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(chosen_.empty());

    const int row = RowOf(14, 3, 10);
    ASSERT_GE(row, 0);
    ClickRow(row);
    QTest::keyClick(W().Table(), Qt::Key_Return);
    ASSERT_EQ(chosen_.size(), 1u);
    EXPECT_EQ(chosen_.front(), (explorer::DesignChoice{14, 3, 10, orbit::OrbitType::SunSynchronous, 0, 0}));
}

explorer::ExplorerInputs* In() { return explorer::ExplorerWindow::Instance().Inputs(); }

struct Mnemonic {
    const char* name;
    Qt::Key key;
    QWidget* (*target)();
};

const Mnemonic kMnemonics[] = {
    {"AltAIsAltitudeFrom", Qt::Key_A, [] { return static_cast<QWidget*>(In()->AltitudeFromBox()); }},
    {"AltTIsAltitudeTo", Qt::Key_T, [] { return static_cast<QWidget*>(In()->AltitudeToBox()); }},
    {"AltYIsCycleFrom", Qt::Key_Y, [] { return static_cast<QWidget*>(In()->DaysFromBox()); }},
    {"AltOIsCycleTo", Qt::Key_O, [] { return static_cast<QWidget*>(In()->DaysToBox()); }},
    {"AltWIsSwath", Qt::Key_W, [] { return static_cast<QWidget*>(In()->SwathBox()); }},
    {"AltGIsGridSpacing", Qt::Key_G, [] { return static_cast<QWidget*>(In()->GridSpacingBox()); }},
    {"AltBIsSubcycle", Qt::Key_B, [] { return static_cast<QWidget*>(In()->SubcycleBox()); }},
    {"AltRIsTheTable", Qt::Key_R, [] { return static_cast<QWidget*>(explorer::ExplorerWindow::Instance().Table()); }},
};

class ExplorerMnemonic : public ExplorerTest, public ::testing::WithParamInterface<Mnemonic> {};

TEST_P(ExplorerMnemonic, TakesTheFocusToItsControl)
{
    QWidget* target = GetParam().target();
    ASSERT_FALSE(target->hasFocus());
    QTest::keyClick(&W(), GetParam().key, Qt::AltModifier);
    EXPECT_TRUE(target->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Keys, ExplorerMnemonic, ::testing::ValuesIn(kMnemonics),
                         [](const ::testing::TestParamInfo<Mnemonic>& m) { return std::string(m.param.name); });

}  // namespace

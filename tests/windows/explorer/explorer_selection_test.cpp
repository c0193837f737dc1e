// One current candidate: the details, Copy and "Use in design window" act on
// the same orbit whatever the keys and clicks did to the focus, and on none
// when no row is selected.

#include "tests/windows/explorer/explorer_fixture.h"

#include "explorer/candidate_details.h"
#include "tests/windows/explorer/command_output.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace {

using explorer::ExplorerColumn;
using explorer_testing::Lines;

class CurrentCandidate : public ExplorerTest {
protected:
    // The design name the details give the row shown at `row`.
    static QString NameOf(int row)
    {
        return QStringLiteral("N %1, M %2, Q %3, sun-synchronous")
            .arg(Text(row, ExplorerColumn::N), Text(row, ExplorerColumn::M), Text(row, ExplorerColumn::Q));
    }
    static explorer::DesignChoice ChoiceOf(int row)
    {
        return {Text(row, ExplorerColumn::N).toInt(), Text(row, ExplorerColumn::M).toInt(),
                Text(row, ExplorerColumn::Q).toInt(), orbit::OrbitType::SunSynchronous, 0, 0};
    }
    // The data lines Copy puts on the clipboard.
    std::vector<std::string> Copied()
    {
        QSignalSpy copied(&W(), &explorer::ExplorerWindow::CopyFinished);
        QTest::mouseClick(W().CopyButton(), Qt::LeftButton);
        if (!Arrived(copied))
            return {};
        std::vector<std::string> lines = Lines(QGuiApplication::clipboard()->text().toStdString());
        lines.erase(lines.begin());
        return lines;
    }
    static std::string RowLine(int row)
    {
        QStringList cells;
        for (int column = 0; column < Proxy().columnCount(); ++column)
            cells << Proxy().index(row, column).data().toString();
        return cells.join('\t').toStdString();
    }
    static QString DetailsTitle() { return W().Details()->Title()->text(); }
    static constexpr const char* kNoCandidate = "Select an orbit to see its details.";
};

TEST_F(CurrentCandidate, CtrlClickingARowOutLeavesTheOtherSelectedRowForEverything)
{
    ClickRow(0);
    ClickRow(3, Qt::ControlModifier);
    QSignalSpy changed(&W(), &explorer::ExplorerWindow::CandidateChanged);
    ClickRow(3, Qt::ControlModifier);  // out again; the focus stays on it
    ASSERT_TRUE(Arrived(changed));
    EXPECT_EQ(DetailsTitle(), NameOf(0));
    EXPECT_EQ(Copied(), std::vector<std::string>{RowLine(0)});
    QTest::mouseClick(W().UseButton(), Qt::LeftButton);
    ASSERT_EQ(chosen_.size(), 1u);
    EXPECT_EQ(chosen_.front(), ChoiceOf(0));
}

TEST_F(CurrentCandidate, CtrlClickingTheOnlyRowOutLeavesNone)
{
    ClickRow(2);
    ASSERT_TRUE(W().UseButton()->isEnabled());
    QSignalSpy changed(&W(), &explorer::ExplorerWindow::CandidateChanged);
    ClickRow(2, Qt::ControlModifier);
    ASSERT_FALSE(W().Table()->selectionModel()->hasSelection());
    ASSERT_TRUE(Arrived(changed));
    EXPECT_EQ(DetailsTitle(), QString::fromLatin1(kNoCandidate));
    EXPECT_FALSE(W().UseButton()->isEnabled());
    EXPECT_FALSE(W().CopyButton()->isEnabled());
    EXPECT_FALSE(W().CurrentChoice().has_value());
    QTest::keyClick(W().Table(), Qt::Key_Return);
    EXPECT_TRUE(chosen_.empty()) << "Return on a row nobody selected";
}

TEST_F(CurrentCandidate, CtrlEndMovesTheFocusButNotTheCandidate)
{
    ClickRow(1);
    QSignalSpy changed(&W(), &explorer::ExplorerWindow::CandidateChanged);
    QTest::keyClick(W().Table(), Qt::Key_End, Qt::ControlModifier);
    ASSERT_TRUE(Arrived(changed));
    ASSERT_EQ(W().Table()->currentIndex().row(), Proxy().rowCount() - 1) << "the focus went to the end";
    EXPECT_EQ(DetailsTitle(), NameOf(1));
    EXPECT_EQ(W().CurrentChoice(), ChoiceOf(1));
    EXPECT_EQ(Copied(), std::vector<std::string>{RowLine(1)});
    QTest::keyClick(W().Table(), Qt::Key_Return);
    ASSERT_EQ(chosen_.size(), 1u);
    EXPECT_EQ(chosen_.front(), ChoiceOf(1));
}

TEST_F(CurrentCandidate, AfterASearchThatDropsTheSelectedOrbitThereIsNone)
{
    const int row = RowOf(14, 3, 10);
    ASSERT_GE(row, 0);
    ClickRow(row);
    Type(W().Inputs()->DaysToBox(), "9");  // no 10-day cycles now
    ASSERT_TRUE(Settle());
    ASSERT_FALSE(W().Table()->selectionModel()->hasSelection());
    // The table takes the focus by its mnemonic, which puts the focus on a
    // row without selecting it.
    QSignalSpy changed(&W(), &explorer::ExplorerWindow::CandidateChanged);
    QTest::keyClick(&W(), Qt::Key_R, Qt::AltModifier);
    ASSERT_TRUE(W().Table()->hasFocus());
    ASSERT_TRUE(Arrived(changed));
    EXPECT_EQ(DetailsTitle(), QString::fromLatin1(kNoCandidate));
    EXPECT_FALSE(W().UseButton()->isEnabled());
    EXPECT_FALSE(W().CurrentChoice().has_value());
}

TEST_F(CurrentCandidate, AnOrbitStillFoundStaysTheCandidateAfterANewSearch)
{
    const int row = RowOf(14, 3, 10);
    ASSERT_GE(row, 0);
    ClickRow(row);
    Type(W().Inputs()->AltitudeFromBox(), "700");
    ASSERT_TRUE(Settle());
    const int now = RowOf(14, 3, 10);
    ASSERT_GE(now, 0);
    EXPECT_TRUE(W().Table()->selectionModel()->isRowSelected(now, {}));
    EXPECT_EQ(W().CurrentChoice(), ChoiceOf(now));
    EXPECT_EQ(DetailsTitle(), NameOf(now));
}

}  // namespace

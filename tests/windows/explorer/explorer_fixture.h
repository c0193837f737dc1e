#pragma once
// The explorer window as a user meets it: shown, active, its inputs back at
// their first values (sun-synchronous, 600 to 800 km, cycles of 1 to 16
// days, no swath, no filter), sorted by altitude from the top, with its
// choices and error messages recorded instead of sent on or shown.

#include "explorer/candidate_details.h"
#include "explorer/candidate_model.h"
#include "explorer/candidate_proxy.h"
#include "explorer/explorer_inputs.h"
#include "explorer/explorer_window.h"
#include "map_qt/world_shapes.h"
#include "platform/handler_boundary.h"
#include "tests/support/work_timeout.h"

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include <memory>
#include <vector>

class ExplorerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world_map::UseLandFile(QStringLiteral(LAND_FILE));
        sink_ = std::make_unique<platform::ScopedErrorSink>([this](QWidget*, const QString& text) { errors_ << text; });
        explorer::ExplorerInputs* in = W().Inputs();
        in->SunSynchronousOption()->setChecked(true);
        in->InclinationBox()->setValue(65);
        in->AltitudeFromBox()->setValue(600);
        in->AltitudeToBox()->setValue(800);
        in->DaysFromBox()->setValue(1);
        in->DaysToBox()->setValue(16);
        in->SwathBox()->setValue(0);
        in->GridSpacingBox()->setValue(0);
        in->SubcycleBox()->setValue(0);
        in->EquatorWithoutGapsBox()->setChecked(false);
        W().Table()->sortByColumn(Column(explorer::ExplorerColumn::MeanAltitudeKm), Qt::DescendingOrder);
        // The window outlives a case: each starts with no row chosen, as a
        // window newly opened does, whatever the case before it chose.
        W().Table()->selectionModel()->clear();
        W().SetDesignTarget([this](const explorer::DesignChoice& choice) { chosen_.push_back(choice); });
        W().ShowWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&W()));
        ASSERT_TRUE(Settle());
    }

    void TearDown() override
    {
        W().SetSession(nullptr);  // no mission carried into the next case
        W().close();
        sink_.reset();
    }

    static explorer::ExplorerWindow& W() { return explorer::ExplorerWindow::Instance(); }
    static explorer::CandidateProxy& Proxy() { return *W().Proxy(); }
    static int Column(explorer::ExplorerColumn column) { return W().Model()->ColumnIndexOf(column); }

    // Waits until the search and the order are done (after the typing pause).
    static bool Settle()
    {
        return QTest::qWaitFor([] { return !W().Searching() && !Proxy().Ordering(); }, kWorkTimeoutMs);
    }
    // Waits until the table shows the filters as they are now set.
    static bool SettleFilter()
    {
        return QTest::qWaitFor(
            [] { return Proxy().Request().filter == W().Inputs()->Filter() && !Proxy().Ordering(); }, kWorkTimeoutMs);
    }
    static bool SettleWithRevisits()
    {
        return Settle() && QTest::qWaitFor([] { return W().Model()->PendingRevisits() == 0; }, kWorkTimeoutMs) &&
               Settle();
    }

    // Whether the spied signal has come, now or within the time allowed (work
    // that ends at once emits it before the spy could wait).
    static bool Arrived(QSignalSpy& spy) { return !spy.isEmpty() || spy.wait(kWorkTimeoutMs); }

    // Replaces a box's number by typing, as a user would.
    static void Type(QAbstractSpinBox* box, const QString& text)
    {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

    // The cell as shown, and its number.
    static QString Text(int row, explorer::ExplorerColumn column)
    {
        return Proxy().index(row, Column(column)).data().toString();
    }
    static double Value(int row, explorer::ExplorerColumn column)
    {
        return Proxy().index(row, Column(column)).data(explorer::CandidateModel::kValueRole).toDouble();
    }

    // The shown row of N, M and Q; -1 when not shown.
    static int RowOf(int n, int m, int q)
    {
        for (int row = 0; row < Proxy().rowCount(); ++row)
            if (Text(row, explorer::ExplorerColumn::N).toInt() == n && Text(row, explorer::ExplorerColumn::M).toInt() == m &&
                Text(row, explorer::ExplorerColumn::Q).toInt() == q)
                return row;
        return -1;
    }

    // Selects `row` alone and waits until the details show it, drawn afresh.
    static bool ShowDetailsOf(int row)
    {
        explorer::ExplorerWindow& w = explorer::ExplorerWindow::Instance();
        if (w.CurrentChoice()) {
            QSignalSpy changed(&w, &explorer::ExplorerWindow::CandidateChanged);
            w.Table()->clearSelection();
            if (!changed.wait(kWorkTimeoutMs))
                return false;
        }
        QSignalSpy shown(w.Details(), &explorer::CandidateDetails::CandidateShown);
        QTableView* table = w.Table();
        // A view whose rows changed lays them out later, and scrolls only
        // then: lay them out now, so the row is where the click goes.
        table->doItemsLayout();
        table->scrollTo(w.Proxy()->index(row, 0), QAbstractItemView::PositionAtCenter);  // clear of the edges
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(w.Proxy()->index(row, 0)).center());
        return shown.wait(kWorkTimeoutMs);
    }

    // Clicks a row's first cell.
    static void ClickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTableView* table = W().Table();
        table->doItemsLayout();  // as in ShowDetailsOf
        table->scrollTo(Proxy().index(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers,
                          table->visualRect(Proxy().index(row, 0)).center());
    }

    std::unique_ptr<platform::ScopedErrorSink> sink_;
    QStringList errors_;
    std::vector<explorer::DesignChoice> chosen_;
};

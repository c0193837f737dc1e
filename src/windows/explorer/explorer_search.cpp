// The search and the figures that follow it: from the inputs to the table,
// every step of the work on another thread, the window only taking what is
// done; and the status line that tells how far it got.

#include "explorer/explorer_window.h"

#include "core/orbit_error.h"
#include "explorer/candidate_model.h"
#include "explorer/candidate_order.h"
#include "explorer/candidate_proxy.h"
#include "explorer/candidate_text.h"
#include "explorer/explorer_inputs.h"
#include "explorer/revisit_schedule.h"
#include "explorer/revisit_worker.h"
#include "platform/vector_state.h"

#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace explorer {

namespace {

// A refused request in the window's words: the input named as its box.
QString ProblemText(const orbit::OrbitError& e)
{
    const QString reason = QString::fromUtf8(e.what());
    switch (e.Input()) {
    case orbit::RequestInput::AltitudeMinKm:
        return ExplorerWindow::tr("Altitude from: %1").arg(reason);
    case orbit::RequestInput::AltitudeMaxKm:
        return ExplorerWindow::tr("Altitude to: %1").arg(reason);
    case orbit::RequestInput::MinDays:
        return ExplorerWindow::tr("Cycle from: %1").arg(reason);
    case orbit::RequestInput::MaxDays:
        return ExplorerWindow::tr("Cycle to: %1").arg(reason);
    case orbit::RequestInput::SwathKm:
        return ExplorerWindow::tr("Swath width: %1").arg(reason);
    default:
        return reason;
    }
}

// Whether two missions light the track alike: the same epoch and node.
bool SameLight(const orbit::session::MissionContext& a, const orbit::session::MissionContext& b)
{
    if (a.epoch.has_value() != b.epoch.has_value())
        return false;
    if (a.epoch && a.epoch->SecondsSince(*b.epoch) != 0)
        return false;
    return a.node.given == b.node.given && a.node.value == b.node.value;
}

}  // namespace

// What a search hands back to the window: the set, and its order for the
// sort and filter the table had when the search started.
struct SearchResult {
    std::shared_ptr<const CandidateSet> set;
    RowOrder order;
    OrderRequest orderRequest;
    QString error;
};

void ExplorerWindow::StartSearch()
{
    searchDelay_->stop();
    CancelSearch();
    revisits_->Cancel();
    // What the last save wrote belongs to the last table.
    saveNote_.clear();
    const ExplorerInputs::Reading reading = inputs_->Request();
    if (!reading.request) {
        problem_ = reading.problem;
        searchOutdated_ = false;
        KeepCurrentRow();
        ShowCandidates(nullptr);
        UpdateStatus();
        UpdateCommands();
        return;
    }
    problem_.clear();

    ExplorerRequest request = *reading.request;
    appliedMission_ = session_ ? session_->Mission() : orbit::session::MissionContext{};
    request.satellites = appliedMission_.satellites;
    request.passes = appliedMission_.passes;
    request.sunMinDeg = appliedMission_.sunMinDeg;
    request.epoch = appliedMission_.epoch;
    request.node = appliedMission_.node;
    OrderRequest order = proxy_->Request();
    order.filter = inputs_->Filter();
    auto progress = std::make_shared<std::atomic<int>>(0);
    searchProgress_ = progress;
    progressBar_->setValue(0);
    progressBar_->show();
    progressTimer_->start();
    search_.Start(
        [request, order, progress, earlier = model_->Candidates()](
            const std::atomic<bool>& cancelled) {
            SearchResult result;
            result.orderRequest = order;
            try {
                result.set = FindCandidates(
                    request, [&progress](double share) { progress->store(static_cast<int>(share * 1000)); },
                    &cancelled, earlier.get());
                if (!result.set->outcome.cancelled)
                    result.order = ComputeOrder(*result.set, {}, order, &cancelled);
            } catch (const orbit::OrbitError& e) {
                result.error = ProblemText(e);
            } catch (const std::bad_alloc&) {
                result.error = tr("Not enough memory for this search: ask for a narrower band or "
                                  "shorter cycles.");
            }
            return result;
        },
        [this](SearchResult result) { TakeResult(result); });
    UpdateStatus();
}

void ExplorerWindow::FollowMission()
{
    const orbit::session::MissionContext mission =
        session_ ? session_->Mission() : orbit::session::MissionContext{};
    // The mission's swath is the explorer's starting point, not a lock: it
    // goes into the box when it changes, and the box stays editable.
    // A mission without a swath leaves the box as the user set it.
    if (!swathSeeded_ || mission.swathKm != seededSwathKm_) {
        swathSeeded_ = true;
        seededSwathKm_ = mission.swathKm;
        if (mission.swathKm)
            inputs_->SwathBox()->setValue(*mission.swathKm);  // a new search when it differs
    }
    if (mission.satellites != appliedMission_.satellites || mission.passes != appliedMission_.passes ||
        mission.sunMinDeg != appliedMission_.sunMinDeg ||
        (mission.sunMinDeg && !SameLight(mission, appliedMission_))) {
        searchOutdated_ = true;
        searchDelay_->start();
    }
    ShowMission();
    UpdateStatus();
}

void ExplorerWindow::ShowMission()
{
    const orbit::session::MissionContext mission =
        session_ ? session_->Mission() : orbit::session::MissionContext{};
    QStringList parts;
    parts << QString::fromStdString(explorer::CountText(mission.satellites, "satellite", "satellites"));
    switch (mission.passes) {
    case orbit::analysis::PassDirection::Both:
        parts << tr("every pass counts");
        break;
    case orbit::analysis::PassDirection::Ascending:
        parts << tr("ascending passes only");
        break;
    case orbit::analysis::PassDirection::Descending:
        parts << tr("descending passes only");
        break;
    }
    if (mission.sunMinDeg && mission.epoch)
        parts << tr("daylight looks only (Sun at least %1\u00b0 over the first cycle from %2)")
                     .arg(*mission.sunMinDeg)
                     .arg(QString::fromStdString(mission.epoch->IsoUtc(0)));
    else if (mission.sunMinDeg)
        parts << tr("every look counts: daylight looks only (Sun at least %1\u00b0) need the mission's epoch")
                     .arg(*mission.sunMinDeg);
    missionLine_->setText(tr("Mission: %1.").arg(parts.join(QStringLiteral(", "))));
}

void ExplorerWindow::CancelSearch()
{
    search_.Cancel();
    progressTimer_->stop();
    progressBar_->hide();
}

void ExplorerWindow::TakeResult(SearchResult& result)
{
    progressTimer_->stop();
    progressBar_->hide();
    searchOutdated_ = false;
    KeepCurrentRow();
    if (!result.error.isEmpty() || !result.set) {
        problem_ = result.error;
        ShowCandidates(nullptr);
    } else {
        proxy_->PrepareOrder(result.set.get(), std::move(result.order), result.orderRequest);
        ShowCandidates(result.set);
        FollowSortColumn();
        if (proxy_->Request().filter != inputs_->Filter())
            proxy_->SetFilter(inputs_->Filter());  // edited while the search ran
        if (shownColumns_ != model_->columnCount() && model_->rowCount() > 0) {
            table_->resizeColumnsToContents();
            shownColumns_ = model_->columnCount();
        }
        RestoreCurrentRow();
        StartRevisits();
    }
    UpdateStatus();
    UpdateCommands();
    emit SearchFinished();
}

void ExplorerWindow::FollowSortColumn()
{
    // The sort stays with its figure; when a new set lacks that column (no
    // swath now), the table goes back to the search's order.
    const OrderRequest& request = proxy_->Request();
    int column = request.sortColumn ? model_->ColumnIndexOf(*request.sortColumn) : -1;
    Qt::SortOrder order = request.descending ? Qt::DescendingOrder : Qt::AscendingOrder;
    if (column < 0) {
        column = model_->ColumnIndexOf(ExplorerColumn::MeanAltitudeKm);
        order = Qt::DescendingOrder;
    }
    QHeaderView* header = table_->horizontalHeader();
    if (header->sortIndicatorSection() != column || header->sortIndicatorOrder() != order)
        header->setSortIndicator(column, order);  // sorts through the proxy
    else
        proxy_->sort(column, order);
}

void ExplorerWindow::ShowCandidates(std::shared_ptr<const CandidateSet> set)
{
    schedule_.NewSet();
    model_->SetCandidates(std::move(set));
}

void ExplorerWindow::StartRevisits()
{
    const std::shared_ptr<const CandidateSet>& set = model_->Candidates();
    if (!set || !set->HasSwath() || model_->PendingRevisits() == 0 || !isVisible()) {
        revisits_->Cancel();
        return;
    }
    std::vector<std::int32_t> wanted = RowsWanted();
    schedule_.JobStarted(proxy_->Request(), wanted, model_->Revisits(), model_->PendingRevisits());
    revisitJob_ = revisits_->Start(set, model_->Revisits(), schedule_.WantedReach(proxy_->Request()),
                                   std::move(wanted), model_->Floors(), proxy_->Request().filter);
    revisitClock_.start();
    UpdateStatus();
}

void ExplorerWindow::FollowRevisitSort()
{
    if (schedule_.RestartForSort(proxy_->Request(), revisits_->Busy(), revisits_->JobReach(),
                                 revisits_->JobFilter()))
        StartRevisits();
}

void ExplorerWindow::TakeRevisits(std::uint64_t job, const RevisitBatch& batch)
{
    if (job != revisitJob_)
        return;
    model_->AddRevisits(batch);
    schedule_.FiguresIn(model_->PendingRevisits(), static_cast<double>(revisitClock_.elapsed()) / 1000.0);
    UpdateStatus();
}

void ExplorerWindow::TakeFloors(std::uint64_t job, const FloorBatch& batch)
{
    if (job != revisitJob_)
        return;
    model_->AddFloors(batch);
    schedule_.FloorsIn(static_cast<std::int64_t>(batch.size()), static_cast<double>(revisitClock_.elapsed()) / 1000.0);
    UpdateStatus();
}

void ExplorerWindow::RevisitsFinished(std::uint64_t job)
{
    if (job != revisitJob_)
        return;
    // Rows sorted while their figures were pending take their places now;
    // the new order then says whether rows in view may still move.
    if (schedule_.JobEnded(revisits_->JobReach(), revisits_->JobFilter(), proxy_->Request())) {
        proxy_->Refresh();
        UpdateStatus();
        return;
    }
    UpdateStatus();
    emit RevisitsSettled();
}

void ExplorerWindow::SettleRevisitOrder()
{
    switch (schedule_.OrderComputed(proxy_->Request(), proxy_->Order(), model_->Revisits(), View(), isVisible())) {
    case RevisitSchedule::AfterOrder::Nothing:
        return;
    case RevisitSchedule::AfterOrder::AnotherRound:
        StartRevisits();
        return;
    case RevisitSchedule::AfterOrder::Settled:
        UpdateStatus();
        emit RevisitsSettled();
        return;
    }
}

int ExplorerWindow::LastRowInView() const
{
    const int rows = proxy_->rowCount();
    const int first = std::max(0, table_->rowAt(0));
    const int last = table_->rowAt(table_->viewport()->height() - 1);
    return last >= 0 ? last : std::min(rows - 1, first + kRowsInViewAtMost);
}

std::vector<std::int32_t> ExplorerWindow::RowsInView() const
{
    std::vector<std::int32_t> rows;
    if (proxy_->rowCount() == 0)
        return rows;
    if (const int current = CurrentSourceRow(); current >= 0)
        rows.push_back(current);
    const int last = LastRowInView();
    for (int row = std::max(0, table_->rowAt(0)); row <= last; ++row)
        rows.push_back(proxy_->SourceRow(row));
    return rows;
}

RevisitView ExplorerWindow::View() const
{
    RevisitView view;
    view.rowsShown = proxy_->rowCount();
    view.currentRow = CurrentSourceRow();
    view.rowsInView = RowsInView();
    view.lastRowInView = LastRowInView();
    return view;
}

std::vector<std::int32_t> ExplorerWindow::RowsWanted() const
{
    return schedule_.RowsWanted(proxy_->Request(), proxy_->Order(), model_->Revisits(), View());
}

void ExplorerWindow::PrioritizeVisibleRows()
{
    priorityDelay_->stop();
    const std::shared_ptr<const CandidateSet>& set = model_->Candidates();
    if (!set || !set->HasSwath() || model_->PendingRevisits() == 0 || !isVisible())
        return;
    std::vector<std::int32_t> rows = RowsWanted();
    const std::int64_t pending = RevisitSchedule::PendingAmong(rows, model_->Revisits());
    schedule_.Prioritized(proxy_->Request(), pending);
    if (!revisits_->Prioritize(std::move(rows)) && pending > 0)
        StartRevisits();  // the last job ended with the rows it was given
}

void ExplorerWindow::ShowProgress()
{
    if (searchProgress_)
        progressBar_->setValue(searchProgress_->load());
}

void ExplorerWindow::UpdateStatus()
{
    const std::shared_ptr<const CandidateSet>& set = model_->Candidates();
    QStringList parts;
    QString toolTip;
    if (!problem_.isEmpty()) {
        parts << problem_;
    } else if (Searching()) {
        parts << tr("Searching\u2026");
    } else if (set) {
        const orbit::analysis::SearchOutcome& outcome = set->outcome;
        parts << (set->size() == 0 ? tr("No repeat orbit lies in this band.")
                                   : CountText(static_cast<std::int64_t>(set->size()), "repeat orbit found.",
                                           "repeat orbits found."));
        if (proxy_->rowCount() != model_->rowCount() && !proxy_->Ordering())
            parts << tr("%1 shown.").arg(QString::fromStdString(GroupedCountText(proxy_->rowCount())));
        if (const int failed = outcome.failureCount(); failed > 0) {
            parts << CountText(failed, "candidate failed to solve.", "candidates failed to solve.");
            QStringList reasons;
            for (const auto& [text, count] : outcome.failures)
                reasons << tr("%1: %2").arg(QString::fromUtf8(text.c_str()), QString::fromStdString(GroupedCountText(count)));
            toolTip = tr("Candidates left out because the solver failed on them:\n") + reasons.join('\n');
        }
        if (outcome.notSunSynchronous > 0)
            parts << CountText(outcome.notSunSynchronous, "design left out: no sun-synchronous orbit at its axis.",
                           "designs left out: no sun-synchronous orbit at their axes.");
        if (model_->PendingRevisits() > 0)
            parts << RevisitStatus();
    }
    if (proxy_->Ordering())
        parts << tr("Sorting\u2026");
    if (!saveNote_.isEmpty())
        parts << saveNote_;
    statusLine_->setText(parts.join(QLatin1Char(' ')));
    statusLine_->setToolTip(toolTip);
}

QString ExplorerWindow::RevisitStatus() const
{
    // Said as it is: how many figures are known, whether more are being
    // worked out and for what, and at the rate seen so far how long the rest
    // will take.
    const std::int64_t rows = model_->rowCount();
    const std::int64_t pending = model_->PendingRevisits();
    const std::int64_t known = rows - pending;
    QString text = tr("Worst revisit: %1 of %2 worked out")
                       .arg(QString::fromStdString(GroupedCountText(known)),
                            QString::fromStdString(GroupedCountText(rows)));
    const bool busy = revisits_->Busy();
    const RevisitReach reach = revisits_->JobReach();
    const std::int64_t floorsDone = schedule_.FloorsDone();
    if (busy && reach == RevisitReach::Floors) {
        const std::int64_t sweep = revisits_->SweepRows();
        text += tr("; sorting by it places each row by a floor under its figure first, from parallels "
                   "10\u00b0 apart: %1 of %2")
                    .arg(QString::fromStdString(GroupedCountText(std::min(floorsDone, sweep))),
                         QString::fromStdString(GroupedCountText(sweep)));
        if (const std::optional<double> left = schedule_.FloorSecondsLeft(sweep))
            text += tr(", about %1 to go").arg(DurationText(*left));
        return text + tr("; then the rows at the top are worked out in full.");
    }
    if (schedule_.SettlingByFloors(proxy_->Request())) {
        if (busy && schedule_.RowsToSettle() > 0) {
            text += tr("; %1 at the top may still move").arg(CountText(schedule_.RowsToSettle(), "row", "rows"));
            if (const std::optional<double> left = schedule_.SettleSecondsLeft())
                text += tr(", about %1 to work them out").arg(DurationText(*left));
            return text + QLatin1Char('.');
        }
        return text + tr("; the rows down to the end of the view are in their places, and those below are worked "
                         "out as the view reaches them.");
    }
    const bool sweeping = busy && reach == RevisitReach::WholeSet;
    if (!sweeping)
        return text + tr(" (the rows in view).");
    const std::optional<double> left = schedule_.SweepSecondsLeft(pending);
    if (!left)
        return text + tr(" for the sort\u2026");
    const double perSecond = schedule_.FiguresPerSecond();
    return text + tr(" for the sort, about %1 to go (%2 a second); the table is sorted again when all are in.")
                      .arg(DurationText(*left),
                           QString::fromStdString(GroupedCountText(std::llround(perSecond))));
}

QString ExplorerWindow::DurationText(double seconds)
{
    const auto whole = static_cast<std::int64_t>(std::ceil(seconds));
    if (whole < 60)
        return tr("%1 s").arg(std::max<std::int64_t>(whole, 1));
    const std::int64_t minutes = (whole + 59) / 60;
    if (minutes < 60)
        return tr("%1 min").arg(minutes);
    const std::int64_t hours = minutes / 60;
    if (hours < 48)
        return tr("%1 h %2 min").arg(hours).arg(minutes % 60);
    return tr("%1 days").arg(QString::fromStdString(GroupedCountText((hours + 23) / 24)));
}

QString ExplorerWindow::CountText(std::int64_t n, const char* one, const char* many)
{
    return QString::fromStdString(explorer::CountText(n, one, many));
}

}  // namespace explorer

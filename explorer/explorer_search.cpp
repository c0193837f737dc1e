// The search and the figures that follow it: from the inputs to the table,
// every step of the work on another thread, the window only taking what is
// done; and the status line that tells how far it got.

#include "explorer/explorer_window.h"

#include "core/orbit_error.h"
#include "explorer/candidate_model.h"
#include "explorer/candidate_order.h"
#include "explorer/candidate_proxy.h"
#include "explorer/explorer_inputs.h"
#include "explorer/revisit_worker.h"
#include "platform/vector_state.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QTimer>

#include <algorithm>

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
    const ExplorerInputs::Reading reading = inputs_->Request();
    if (!reading.request) {
        problem_ = reading.problem;
        searchOutdated_ = false;
        KeepCurrentRow();
        model_->SetCandidates(nullptr);
        UpdateStatus();
        UpdateCommands();
        return;
    }
    problem_.clear();

    OrderRequest order = proxy_->Request();
    order.filter = inputs_->Filter();
    auto progress = std::make_shared<std::atomic<int>>(0);
    searchProgress_ = progress;
    progressBar_->setValue(0);
    progressBar_->show();
    progressTimer_->start();
    search_.Start(
        [request = *reading.request, order, progress, earlier = model_->Candidates()](
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
        model_->SetCandidates(nullptr);
    } else {
        proxy_->PrepareOrder(result.set.get(), std::move(result.order), result.orderRequest);
        model_->SetCandidates(result.set);
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

void ExplorerWindow::StartRevisits()
{
    const std::shared_ptr<const CandidateSet>& set = model_->Candidates();
    if (!set || !set->HasSwath() || model_->PendingRevisits() == 0 || !isVisible())
        return;
    revisitJob_ = revisits_->Start(set, model_->Revisits());
    PrioritizeVisibleRows();
}

void ExplorerWindow::TakeRevisits(std::uint64_t job, const RevisitBatch& batch)
{
    if (job != revisitJob_)
        return;
    model_->AddRevisits(batch);
    UpdateStatus();
}

void ExplorerWindow::RevisitsFinished(std::uint64_t job)
{
    if (job != revisitJob_)
        return;
    // Rows sorted while their figures were pending take their places now.
    if (proxy_->Request().sortColumn == ExplorerColumn::WorstRevisitDays)
        proxy_->Refresh();
    UpdateStatus();
}

void ExplorerWindow::PrioritizeVisibleRows()
{
    priorityDelay_->stop();
    if (!revisits_->Busy() || proxy_->rowCount() == 0)
        return;
    std::vector<std::int32_t> rows;
    if (const int current = CurrentSourceRow(); current >= 0)
        rows.push_back(current);
    const int first = std::max(0, table_->rowAt(0));
    int last = table_->rowAt(table_->viewport()->height() - 1);
    if (last < 0)
        last = proxy_->rowCount() - 1;
    for (int row = first; row <= last; ++row)
        rows.push_back(proxy_->SourceRow(row));
    revisits_->Prioritize(std::move(rows));
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
            parts << tr("%1 shown.").arg(proxy_->rowCount());
        if (const int failed = outcome.failureCount(); failed > 0) {
            parts << CountText(failed, "candidate failed to solve.", "candidates failed to solve.");
            QStringList reasons;
            for (const auto& [text, count] : outcome.failures)
                reasons << tr("%1: %2").arg(QString::fromUtf8(text.c_str())).arg(count);
            toolTip = tr("Candidates left out because the solver failed on them:\n") + reasons.join('\n');
        }
        if (outcome.notSunSynchronous > 0)
            parts << CountText(outcome.notSunSynchronous, "design left out: no sun-synchronous orbit at its axis.",
                           "designs left out: no sun-synchronous orbit at their axes.");
        if (model_->PendingRevisits() > 0)
            parts << CountText(model_->PendingRevisits(), "revisit figure pending.", "revisit figures pending.");
    }
    if (proxy_->Ordering())
        parts << tr("Sorting\u2026");
    if (!saveNote_.isEmpty())
        parts << saveNote_;
    statusLine_->setText(parts.join(QLatin1Char(' ')));
    statusLine_->setToolTip(toolTip);
}

QString ExplorerWindow::CountText(std::int64_t n, const char* one, const char* many)
{
    return tr("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

}  // namespace explorer

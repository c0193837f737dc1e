// The explorer where a user could wait on it. The window's thread only
// takes finished work: a new search's rows and order into the model, proxy
// and table in one step, a new order after a sort, a batch of revisits. That
// part is measured here against the window's 100 ms; the work done away from
// it (the search with its sidelaps, the sort) is measured beside it. The
// band is 200 to 2000 km, sun-synchronous, with a 290 km swath, cycles up to
// 100 days (about 15,000 rows) and up to 1000 days (1.5 million). Run on the
// offscreen platform unless another one is chosen:
//   build/bench/explorer_bench

#include "explorer/candidate_details.h"
#include "explorer/candidate_model.h"
#include "explorer/candidate_order.h"
#include "explorer/candidate_proxy.h"
#include "explorer/candidate_set.h"
#include "platform/vector_state.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using explorer::CandidateModel;
using explorer::CandidateProxy;
using explorer::CandidateSet;
using explorer::ExplorerColumn;
using explorer::OrderRequest;

explorer::ExplorerRequest Band(int maxDays)
{
    explorer::ExplorerRequest request;
    request.search.type = orbit::OrbitType::SunSynchronous;
    request.search.altMinKm = 200;
    request.search.altMaxKm = 2000;
    request.search.maxDays = maxDays;
    request.swathKm = 290;
    return request;
}

// Searched once per band for the whole run: the 1000-day search takes seconds.
std::shared_ptr<const CandidateSet> Found(int maxDays)
{
    static std::map<int, std::shared_ptr<const CandidateSet>> found;
    auto& set = found[maxDays];
    if (!set)
        set = explorer::FindCandidates(Band(maxDays));
    return set;
}

OrderRequest BySidelap()
{
    OrderRequest request;
    request.sortColumn = ExplorerColumn::SidelapPercent;
    request.descending = true;
    return request;
}

// A table as the window holds it, shown on the offscreen screen.
struct ShownTable {
    ShownTable()
    {
        proxy.setSourceModel(&model);
        view.setModel(&proxy);
        view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view.setSortingEnabled(true);
        view.resize(1000, 600);
        view.show();
        QApplication::processEvents();
    }
    CandidateModel model;
    CandidateProxy proxy;
    QTableView view;
};

// The window's part when a search ends: the rows and their order in, the
// table reset and painted once.
void FillModel(benchmark::State& state)
{
    const auto set = Found(static_cast<int>(state.range(0)));
    const explorer::RowOrder order = explorer::ComputeOrder(*set, {}, OrderRequest{});
    ShownTable table;
    for (auto _ : state) {
        state.PauseTiming();
        table.model.SetCandidates(nullptr);
        explorer::RowOrder copy = order;
        QApplication::processEvents();
        state.ResumeTiming();
        table.proxy.PrepareOrder(set.get(), std::move(copy), table.proxy.Request());
        table.model.SetCandidates(set);
        table.view.repaint();
    }
    state.counters["rows"] = static_cast<double>(set->size());
}

// The window's part when a sort ends: the new order in, the table reset and
// painted once.
void ApplyOrder(benchmark::State& state)
{
    const auto set = Found(static_cast<int>(state.range(0)));
    const explorer::RowOrder bySidelap = explorer::ComputeOrder(*set, {}, BySidelap());
    ShownTable table;
    for (auto _ : state) {
        state.PauseTiming();
        table.model.SetCandidates(nullptr);
        explorer::RowOrder copy = bySidelap;
        QApplication::processEvents();
        state.ResumeTiming();
        table.proxy.PrepareOrder(set.get(), std::move(copy), table.proxy.Request());
        table.model.SetCandidates(set);
        table.view.repaint();
    }
}

// A batch of revisit figures into the model: the table repaints its rows.
void TakeRevisits(benchmark::State& state)
{
    const auto set = Found(100);
    ShownTable table;
    table.proxy.PrepareOrder(set.get(), explorer::ComputeOrder(*set, {}, OrderRequest{}), table.proxy.Request());
    table.model.SetCandidates(set);
    explorer::RevisitBatch batch;
    for (std::int32_t row = 0; row < 64; ++row)
        batch.emplace_back(row * 200, explorer::RevisitFigure{explorer::RevisitFigure::State::Days, 3.5});
    for (auto _ : state) {
        table.model.AddRevisits(batch);
        table.view.repaint();
    }
}

// The selected row's details: its elements, its pattern and its map with
// the swath, drawn at the size they have in the window, for the longest
// cycles of the band.
void ShowDetails(benchmark::State& state)
{
    const auto set = Found(static_cast<int>(state.range(0)));
    // The two longest cycles, shown in turn so that each pass draws afresh.
    std::size_t longest = 0, next = 1;
    for (std::size_t row = 0; row < set->size(); ++row) {
        if (set->Row(row).Q > set->Row(longest).Q) {
            next = longest;
            longest = row;
        } else if (row != longest && set->Row(row).Q > set->Row(next).Q) {
            next = row;
        }
    }
    explorer::CandidateDetails details;
    details.resize(450, 700);
    details.show();
    QApplication::processEvents();
    std::size_t shown = longest;
    for (auto _ : state) {
        shown = shown == longest ? next : longest;
        details.ShowCandidate(set.get(), shown);
        details.repaint();
    }
    state.counters["Q"] = set->Row(longest).Q;
}

// Away from the window: the search with every row's sidelap, on a thread
// whose vector state the GUI has left dirty (as every thread started after
// it is) and, as the window's workers run it, once that state is released.
void SearchWithSidelaps(benchmark::State& state)
{
    const explorer::ExplorerRequest request = Band(static_cast<int>(state.range(0)));
    const bool released = state.range(1) != 0;
    for (auto _ : state) {
        if (released)
            platform::ReleaseUpperVectorState();
        else
            ShownTable().view.repaint();  // as the GUI leaves it
        benchmark::DoNotOptimize(explorer::FindCandidates(request));
    }
}

// Away from the window: sorting every row by its sidelap.
void SortBySidelap(benchmark::State& state)
{
    const auto set = Found(static_cast<int>(state.range(0)));
    platform::ReleaseUpperVectorState();  // as the window's workers do
    for (auto _ : state)
        benchmark::DoNotOptimize(explorer::ComputeOrder(*set, {}, BySidelap()));
}

// Away from the window: one row's worst revisit, rows taken across the band.
void WorstRevisit(benchmark::State& state)
{
    const auto set = Found(static_cast<int>(state.range(0)));
    platform::ReleaseUpperVectorState();  // as the window's workers do
    std::size_t row = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(explorer::WorstRevisitOf(*set, row));
        row = (row + 997) % set->size();
    }
}

// The floor an ascending sort by the worst revisit places a pending row by.
void RevisitFloor(benchmark::State& state)
{
    const auto set = Found(static_cast<int>(state.range(0)));
    platform::ReleaseUpperVectorState();
    std::size_t row = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(explorer::WorstRevisitFloorOf(*set, row));
        row = (row + 997) % set->size();
    }
}

}  // namespace

BENCHMARK(FillModel)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(ApplyOrder)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(TakeRevisits)->Unit(benchmark::kMillisecond);
BENCHMARK(ShowDetails)->Arg(16)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchWithSidelaps)->Args({100, 0})->Args({100, 1})->Args({1000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(SortBySidelap)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(WorstRevisit)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(RevisitFloor)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

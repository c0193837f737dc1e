#pragma once
// Works out the worst revisit of rows of a candidate set in the background,
// a few milliseconds a row: first the rows the user is looking at (those in
// view and the selected one, as the window says), then, as a sort needs
// them, the rest in the set's order, or the rest's floors, which take a
// tenth of that (analysis/worst_revisit.h). Figures come back to the
// window's thread in batches, through a queued signal, a few times a second
// at most.
//
// The work runs in the background (platform/background_work.h), split over
// one fewer core than the machine has, so the window's thread keeps a core
// to itself. Starting on another set,
// or Cancel(), drops what is outstanding; a row being worked on is finished
// and its figure thrown away.

#include "explorer/candidate_set.h"
#include "explorer/revisit_schedule.h"
#include "platform/background_work.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

namespace explorer {

class RevisitWorker : public QObject {
    Q_OBJECT

public:
    using Batch = RevisitBatch;

    explicit RevisitWorker(QObject* parent = nullptr);
    ~RevisitWorker() override;

    // Which rows a job works on: those it is given to prioritize (the rows
    // in view and the selected one), and once those are done, of the rows
    // that pass `filter` and are still pending: none, the figure of every
    // one (what a descending sort by the worst revisit needs), or the floor
    // of every one whose floor is not known either (what an ascending sort
    // places the pending rows by).
    using Reach = RevisitReach;

    // Starts on the rows of `set` whose figure in `known` (one per row, or
    // empty) is still pending; `knownFloors` likewise for the floors.
    // Returns the job's number, which its batches carry. A job that only
    // works on the rows asked for ends when they are done and no thread
    // waits: Prioritize() then starts it again.
    std::uint64_t Start(std::shared_ptr<const CandidateSet> set, const std::vector<RevisitFigure>& known = {},
                        Reach reach = Reach::WholeSet, std::vector<std::int32_t> priority = {},
                        const std::vector<RevisitFloorFigure>& knownFloors = {}, const CandidateFilter& filter = {});
    void Cancel();
    // The rows the job's sweep (beyond the rows asked for) set out to do.
    std::int64_t SweepRows() const { return sweepRows_; }
    const CandidateFilter& JobFilter() const { return filter_; }

    // Rows to work on before any other, most wanted first; replaces the last
    // list. Returns false when the job had already ended: the caller starts
    // a new one for the rows still pending.
    bool Prioritize(std::vector<std::int32_t> rows);

    // True while rows are left to work on.
    bool Busy() const;
    std::uint64_t Job() const { return jobNumber_; }
    Reach JobReach() const;

signals:
    void FiguresReady(std::uint64_t job, const explorer::RevisitWorker::Batch& batch);
    void FloorsReady(std::uint64_t job, const explorer::FloorBatch& batch);
    void Finished(std::uint64_t job);

private:
    struct Work;
    void Run(const std::shared_ptr<Work>& job);

    platform::LatestRequest work_;
    std::shared_ptr<Work> job_;
    std::uint64_t jobNumber_ = 0;
    std::int64_t sweepRows_ = 0;
    CandidateFilter filter_;
};

}  // namespace explorer

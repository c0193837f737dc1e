#pragma once
// Works out the worst revisit of every row of a candidate set in the
// background, a few milliseconds a row: first the rows the user is looking
// at (those in view and the selected one, as the window says), then the rest
// in the set's order. Figures come back to the window's thread in batches,
// through a queued signal, a few times a second at most.
//
// The work runs in the background (platform/background_work.h), split over
// one fewer core than the machine has, so the window's thread keeps a core
// to itself. Starting on another set,
// or Cancel(), drops what is outstanding; a row being worked on is finished
// and its figure thrown away.

#include "explorer/candidate_set.h"
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

    // Which rows a job works on: only those it is given to prioritize (the
    // rows in view and the selected one), or, once those are done, every
    // row still pending (what a sort by the worst revisit needs).
    enum class Reach { AskedRows, WholeSet };

    // Starts on the rows of `set` whose figure in `known` (one per row, or
    // empty) is still pending. Returns the job's number, which its batches
    // carry. A job that only works on the rows asked for ends when they are
    // done and no thread waits: Prioritize() then starts it again.
    std::uint64_t Start(std::shared_ptr<const CandidateSet> set, const std::vector<RevisitFigure>& known = {},
                        Reach reach = Reach::WholeSet, std::vector<std::int32_t> priority = {});
    void Cancel();

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
    void Finished(std::uint64_t job);

private:
    struct Work;
    void Run(const std::shared_ptr<Work>& job);

    platform::LatestRequest work_;
    std::shared_ptr<Work> job_;
    std::uint64_t jobNumber_ = 0;
};

}  // namespace explorer

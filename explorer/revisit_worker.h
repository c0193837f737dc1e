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

    // Starts on the rows of `set` whose figure in `known` (one per row, or
    // empty) is still pending. Returns the job's number, which its batches carry.
    std::uint64_t Start(std::shared_ptr<const CandidateSet> set, const std::vector<RevisitFigure>& known = {});
    void Cancel();

    // Rows to work on before any other, most wanted first; replaces the last list.
    void Prioritize(std::vector<std::int32_t> rows);

    // True while rows are left to work on.
    bool Busy() const;
    std::uint64_t Job() const { return jobNumber_; }

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

#include "explorer/revisit_worker.h"

#include "explorer/candidate_order.h"
#include "platform/background_work.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>

namespace explorer {

namespace {

using Clock = std::chrono::steady_clock;

// Figures go back at most this often, and in batches of at most this many,
// so that the window's thread spends its time on the user, not on batches.
constexpr auto kBatchInterval = std::chrono::milliseconds(100);
constexpr std::size_t kLargestBatch = 4096;

}  // namespace

struct RevisitWorker::Work {
    std::uint64_t number = 0;
    std::shared_ptr<const CandidateSet> set;
    Reach reach = Reach::WholeSet;
    std::atomic<bool> cancelled{false};

    std::mutex mutex;  // guards everything below
    std::vector<std::uint8_t> claimed;  // per row: its figure taken by a thread, or known before
    std::vector<std::uint8_t> swept;    // per row: left out of the sweep, or taken by it
    std::vector<std::int32_t> priority;
    std::size_t priorityNext = 0;
    std::size_t cursor = 0;
    Batch batch;
    FloorBatch floors;
    Clock::time_point lastPost;
    int running = 0;  // threads still at work

    struct Task {
        std::int32_t row = -1;  // -1 when none is left
        bool floorOnly = false;
    };
    Task Next()
    {
        while (priorityNext < priority.size()) {
            const std::int32_t row = priority[priorityNext++];
            if (row >= 0 && static_cast<std::size_t>(row) < claimed.size() && !claimed[static_cast<std::size_t>(row)]) {
                claimed[static_cast<std::size_t>(row)] = 1;
                return {row, false};
            }
        }
        while (reach != Reach::AskedRows && cursor < swept.size()) {
            const std::size_t row = cursor++;
            if (swept[row] || claimed[row])
                continue;
            swept[row] = 1;
            if (reach == Reach::WholeSet)
                claimed[row] = 1;
            return {static_cast<std::int32_t>(row), reach == Reach::Floors};
        }
        return {};
    }
};

RevisitWorker::RevisitWorker(QObject* parent) : QObject(parent), work_(this) {}

// Cancels, and work_ then waits for the threads: none may post to this
// object once it is gone.
RevisitWorker::~RevisitWorker() { Cancel(); }

std::uint64_t RevisitWorker::Start(std::shared_ptr<const CandidateSet> set, const std::vector<RevisitFigure>& known,
                                   Reach reach, std::vector<std::int32_t> priority,
                                   const std::vector<RevisitFloorFigure>& knownFloors, const CandidateFilter& filter)
{
    Cancel();
    auto job = std::make_shared<Work>();
    job->number = ++jobNumber_;
    job->set = std::move(set);
    job->reach = reach;
    job->priority = std::move(priority);
    filter_ = filter;
    const std::size_t rows = job->set && job->set->HasSwath() ? job->set->size() : 0;
    job->claimed.assign(rows, 0);
    job->swept.assign(rows, 1);
    std::size_t pending = 0, sweep = 0;
    for (std::size_t row = 0; row < rows; ++row) {
        if (row < known.size() && known[row].state != RevisitFigure::State::Pending) {
            job->claimed[row] = 1;
            continue;
        }
        ++pending;
        const bool floorKnown =
            row < knownFloors.size() && knownFloors[row].state != RevisitFloorFigure::State::Unknown;
        if (reach == Reach::AskedRows || (reach == Reach::Floors && floorKnown) ||
            !PassesFilter(*job->set, row, filter))
            continue;
        job->swept[row] = 0;
        ++sweep;
    }
    sweepRows_ = static_cast<std::int64_t>(sweep);
    const std::size_t left = std::min(pending, sweep + job->priority.size());
    job_ = job;
    if (left == 0) {
        QMetaObject::invokeMethod(this, [this, number = job->number] { emit Finished(number); }, Qt::QueuedConnection);
        return job->number;
    }
    // One core fewer than the machine has: the window's thread keeps one.
    const int threads = static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(std::max(1, platform::CoreCount() - 1)), left));
    job->running = threads;
    work_.Start(
        [this, job, threads](const std::atomic<bool>&) {
            platform::RunOnCores(threads, [this, &job](int) { Run(job); });
            return job->number;
        },
        [this](std::uint64_t number) { emit Finished(number); });
    return job->number;
}

void RevisitWorker::Cancel()
{
    if (job_)
        job_->cancelled.store(true);
    job_.reset();
    work_.Cancel();
}

bool RevisitWorker::Prioritize(std::vector<std::int32_t> rows)
{
    if (!job_)
        return false;
    const std::lock_guard lock(job_->mutex);
    job_->priority = std::move(rows);
    job_->priorityNext = 0;
    return job_->running > 0;
}

RevisitWorker::Reach RevisitWorker::JobReach() const { return job_ ? job_->reach : Reach::AskedRows; }

bool RevisitWorker::Busy() const
{
    if (!job_)
        return false;
    const std::lock_guard lock(job_->mutex);
    return job_->running > 0;
}

void RevisitWorker::Run(const std::shared_ptr<Work>& job)
{
    // Posted before the work returns, so every batch reaches the window
    // before the job's Finished does.
    const auto post = [this, &job](Batch batch) {
        if (batch.empty())
            return;
        QMetaObject::invokeMethod(
            this, [this, number = job->number, batch = std::move(batch)] { emit FiguresReady(number, batch); },
            Qt::QueuedConnection);
    };

    const auto postFloors = [this, &job](FloorBatch floors) {
        if (floors.empty())
            return;
        QMetaObject::invokeMethod(
            this, [this, number = job->number, floors = std::move(floors)] { emit FloorsReady(number, floors); },
            Qt::QueuedConnection);
    };
    const auto postBoth = [&] {
        job->lastPost = Clock::now();
        postFloors(std::exchange(job->floors, {}));
        post(std::exchange(job->batch, {}));
    };

    for (;;) {
        Work::Task task;
        {
            const std::lock_guard lock(job->mutex);
            if (!job->cancelled.load())
                task = job->Next();
        }
        if (task.row < 0)
            break;
        const auto row = static_cast<std::size_t>(task.row);
        RevisitFloorFigure floor;
        RevisitFigure figure;
        if (task.floorOnly)
            floor = WorstRevisitFloorOf(*job->set, row);
        else
            figure = WorstRevisitOf(*job->set, row);

        const std::lock_guard lock(job->mutex);
        if (job->cancelled.load())
            break;
        if (task.floorOnly)
            job->floors.emplace_back(task.row, floor);
        else
            job->batch.emplace_back(task.row, figure);
        if (job->batch.size() + job->floors.size() >= kLargestBatch ||
            Clock::now() - job->lastPost >= kBatchInterval)
            postBoth();
    }

    const std::lock_guard lock(job->mutex);
    if (--job->running == 0 && !job->cancelled.load())
        postBoth();
}

}  // namespace explorer

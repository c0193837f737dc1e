#include "explorer/revisit_worker.h"

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
    std::vector<std::uint8_t> claimed;  // per row: taken by a thread, or known before
    std::vector<std::int32_t> priority;
    std::size_t priorityNext = 0;
    std::size_t cursor = 0;
    Batch batch;
    Clock::time_point lastPost;
    int running = 0;  // threads still at work

    // The next row to work on; -1 when none is left.
    std::int32_t NextRow()
    {
        while (priorityNext < priority.size()) {
            const std::int32_t row = priority[priorityNext++];
            if (row >= 0 && static_cast<std::size_t>(row) < claimed.size() && !claimed[static_cast<std::size_t>(row)]) {
                claimed[static_cast<std::size_t>(row)] = 1;
                return row;
            }
        }
        while (reach == Reach::WholeSet && cursor < claimed.size()) {
            const std::size_t row = cursor++;
            if (!claimed[row]) {
                claimed[row] = 1;
                return static_cast<std::int32_t>(row);
            }
        }
        return -1;
    }
};

RevisitWorker::RevisitWorker(QObject* parent) : QObject(parent), work_(this) {}

// Cancels, and work_ then waits for the threads: none may post to this
// object once it is gone.
RevisitWorker::~RevisitWorker() { Cancel(); }

std::uint64_t RevisitWorker::Start(std::shared_ptr<const CandidateSet> set, const std::vector<RevisitFigure>& known,
                                   Reach reach, std::vector<std::int32_t> priority)
{
    Cancel();
    auto job = std::make_shared<Work>();
    job->number = ++jobNumber_;
    job->set = std::move(set);
    job->reach = reach;
    job->priority = std::move(priority);
    const std::size_t rows = job->set && job->set->HasSwath() ? job->set->size() : 0;
    job->claimed.assign(rows, 0);
    std::size_t left = rows;
    for (std::size_t row = 0; row < rows && row < known.size(); ++row) {
        if (known[row].state != RevisitFigure::State::Pending) {
            job->claimed[row] = 1;
            --left;
        }
    }
    if (reach == Reach::AskedRows)
        left = std::min(left, job->priority.size());
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

    for (;;) {
        std::int32_t row = -1;
        {
            const std::lock_guard lock(job->mutex);
            if (!job->cancelled.load())
                row = job->NextRow();
        }
        if (row < 0)
            break;
        const RevisitFigure figure = WorstRevisitOf(*job->set, static_cast<std::size_t>(row));

        const std::lock_guard lock(job->mutex);
        if (job->cancelled.load())
            break;
        job->batch.emplace_back(row, figure);
        const Clock::time_point now = Clock::now();
        if (job->batch.size() >= kLargestBatch || now - job->lastPost >= kBatchInterval) {
            job->lastPost = now;
            post(std::exchange(job->batch, {}));
        }
    }

    const std::lock_guard lock(job->mutex);
    if (--job->running == 0 && !job->cancelled.load())
        post(std::exchange(job->batch, {}));
}

}  // namespace explorer

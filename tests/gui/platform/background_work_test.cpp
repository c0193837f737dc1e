// The one way the windows run work off their thread: only the newest
// request's result arrives, on the receiver's thread, and a cancelled one's
// work is told to stop.

#include "platform/background_work.h"
#include "tests/support/work_timeout.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QTest>
#include <QThread>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

using platform::LatestRequest;

// Work that runs until it is cancelled or let go, and reports which.
struct HeldWork {
    std::shared_ptr<std::atomic<bool>> release = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> sawCancel = std::make_shared<std::atomic<bool>>(false);

    auto Work(int answer) const
    {
        return [release = release, sawCancel = sawCancel, answer](const std::atomic<bool>& cancelled) {
            while (!release->load()) {
                if (cancelled.load()) {
                    sawCancel->store(true);
                    return -1;
                }
                QThread::msleep(1);
            }
            return answer;
        };
    }
};

TEST(LatestRequest, OnlyTheNewestRequestIsDelivered)
{
    QObject receiver;
    std::vector<int> delivered;
    HeldWork first, second;
    {
        LatestRequest request(&receiver);
        request.Start(first.Work(1), [&](int answer) { delivered.push_back(answer); });
        request.Start(second.Work(2), [&](int answer) { delivered.push_back(answer); });
        ASSERT_TRUE(QTest::qWaitFor([&] { return first.sawCancel->load(); }, kWorkTimeoutMs))
            << "the superseded work is told to stop";
        second.release->store(true);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !request.Pending(); }, kWorkTimeoutMs));
    }
    EXPECT_EQ(delivered, std::vector<int>{2});
}

TEST(LatestRequest, ACancelledRequestDeliversNothing)
{
    QObject receiver;
    bool delivered = false;
    HeldWork held;
    LatestRequest request(&receiver);
    request.Start(held.Work(7), [&](int) { delivered = true; });
    EXPECT_TRUE(request.Pending());
    request.Cancel();
    EXPECT_FALSE(request.Pending());
    request.WaitForDone();
    EXPECT_TRUE(held.sawCancel->load());
    QCoreApplication::processEvents();
    EXPECT_FALSE(delivered);
}

TEST(LatestRequest, WorksOffTheReceiversThreadAndDeliversOnIt)
{
    QObject receiver;
    std::atomic<QThread*> workedOn{nullptr};
    QThread* deliveredOn = nullptr;
    LatestRequest request(&receiver);
    request.Start(
        [&](const std::atomic<bool>&) {
            workedOn.store(QThread::currentThread());
            return 0;
        },
        [&](int) { deliveredOn = QThread::currentThread(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return deliveredOn != nullptr; }, kWorkTimeoutMs));
    EXPECT_NE(workedOn.load(), receiver.thread());
    EXPECT_EQ(deliveredOn, receiver.thread());
}

TEST(LatestRequest, ItsEndWaitsForTheWork)
{
    // A window going away must not leave work behind that still reads its data.
    QObject receiver;
    HeldWork held;
    std::atomic<bool> workEnded{false};
    {
        LatestRequest request(&receiver);
        request.Start(
            [&, work = held.Work(1)](const std::atomic<bool>& cancelled) {
                const int answer = work(cancelled);
                workEnded.store(true);
                return answer;
            },
            [](int) {});
    }
    EXPECT_TRUE(workEnded.load());
}

TEST(RunOnCores, RunsEveryJobAndRethrowsAFailure)
{
    std::vector<std::atomic<int>> runs(6);
    platform::RunOnCores(6, [&](int index) { ++runs[static_cast<std::size_t>(index)]; });
    for (const std::atomic<int>& count : runs)
        EXPECT_EQ(count.load(), 1);
    EXPECT_THROW(platform::RunOnCores(3,
                                      [](int index) {
                                          if (index == 2)
                                              throw std::runtime_error("strip 2");
                                      }),
                 std::runtime_error);
    EXPECT_GE(platform::CoreCount(), 1);
}

}  // namespace

// Ordered jobs: outcomes in submission order, the worker and byte bounds, dropping of jobs not
// started, and every exception turned into an outcome.
#include "app/work/OrderedJobs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

using quillora::work::JobLimits;
using quillora::work::OrderedJobs;

namespace {

void Pause(int microseconds) { std::this_thread::sleep_for(std::chrono::microseconds(microseconds)); }

TEST(OrderedJobs, HandsOutcomesBackInSubmissionOrder)
{
    OrderedJobs<int> jobs({4, 8, 0});
    constexpr int kJobs = 30;
    for (int i = 0; i < kJobs; ++i)
        jobs.Submit({}, [i] {
            Pause((kJobs - i) * 100); // later jobs finish first
            return i;
        });
    for (int i = 0; i < kJobs; ++i)
        EXPECT_EQ(jobs.TakeNext().value, i);
    EXPECT_TRUE(jobs.Empty());
}

// Tracks how many jobs and how many declared bytes are inside job bodies at once.
struct Occupancy {
    std::atomic<int> jobs{0};
    std::atomic<std::int64_t> bytes{0};
    std::atomic<int> mostJobs{0};
    std::atomic<std::int64_t> mostBytesBesideOthers{0}; // only while more than one job runs
    std::atomic<bool> largeJobHadCompany{false};

    void Run(std::int64_t cost, bool large)
    {
        const int together = ++jobs;
        const std::int64_t held = bytes += cost;
        mostJobs = std::max(mostJobs.load(), together);
        if (together > 1)
            mostBytesBesideOthers = std::max(mostBytesBesideOthers.load(), held);
        Pause(300);
        if (large && jobs.load() > 1)
            largeJobHadCompany = true;
        bytes -= cost;
        --jobs;
    }
};

struct BoundCase {
    JobLimits limits;
    std::vector<std::int64_t> costs;
};

class BoundTest : public testing::TestWithParam<BoundCase> { };

TEST_P(BoundTest, RunningJobsStayWithinWorkersAndBudget)
{
    const BoundCase c = GetParam();
    Occupancy occupancy;
    OrderedJobs<int> jobs(c.limits);
    for (int round = 0; round < 5; ++round)
        for (const std::int64_t cost : c.costs)
            jobs.Submit([cost] { return cost; },
                        [&occupancy, cost, budget = c.limits.byteBudget] {
                            occupancy.Run(cost, cost > budget);
                            return 0;
                        });
    while (!jobs.Empty())
        ASSERT_TRUE(jobs.TakeNext().ok());
    EXPECT_LE(occupancy.mostJobs.load(), c.limits.workers);
    EXPECT_LE(occupancy.mostBytesBesideOthers.load(), c.limits.byteBudget);
    EXPECT_FALSE(occupancy.largeJobHadCompany.load());
}

INSTANTIATE_TEST_SUITE_P(
    OrderedJobs, BoundTest,
    testing::Values(BoundCase{{2, 6, 1000}, {10, 10, 10, 10}},          // workers bind
                    BoundCase{{4, 8, 100}, {60, 30, 30, 50, 10, 90}},   // budget binds
                    BoundCase{{4, 8, 100}, {10, 250, 10, 10, 400, 10}}, // larger than the budget: alone
                    BoundCase{{3, 3, 0}, {0, 5, 0}}));                  // no budget: a cost runs alone

TEST(OrderedJobs, ClearingDropsJobsNotStartedAndKeepsWorking)
{
    std::atomic<int> ran{0};
    OrderedJobs<int> jobs({1, 1, 0}); // one job ahead: the rest wait until the first is taken
    for (int i = 0; i < 6; ++i)
        jobs.Submit({}, [&ran, i] {
            ++ran;
            return i;
        });
    ASSERT_TRUE(jobs.WaitNext(std::chrono::minutes(1)));
    jobs.Clear();
    EXPECT_EQ(ran.load(), 1);
    EXPECT_TRUE(jobs.Empty());

    jobs.Submit({}, [] { return 7; });
    EXPECT_EQ(jobs.TakeNext().value, 7);
}

TEST(OrderedJobs, DestructionWaitsOnlyForRunningJobs)
{
    std::promise<void> started;
    std::atomic<bool> finished{false};
    std::atomic<int> ran{0};
    {
        OrderedJobs<int> jobs({1, 4, 0});
        jobs.Submit({}, [&] {
            started.set_value();
            Pause(20000);
            finished = true;
            return 0;
        });
        for (int i = 0; i < 5; ++i)
            jobs.Submit({}, [&ran] { return ++ran; });
        started.get_future().wait();
    }
    EXPECT_TRUE(finished.load());
    EXPECT_EQ(ran.load(), 0);
}

TEST(OrderedJobs, DroppingQueuedJobsLeavesTheRunningOneToFinishAndBeTaken)
{
    std::promise<void> started;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> ran{0};
    OrderedJobs<int> jobs({1, 4, 0});
    jobs.Submit({}, [&, released] {
        started.set_value();
        released.wait();
        return 1;
    });
    for (int i = 0; i < 5; ++i)
        jobs.Submit({}, [&ran] { return 10 + ++ran; });
    started.get_future().wait();
    jobs.DropQueued(); // does not wait for the running job
    EXPECT_EQ(jobs.Size(), 1u);
    release.set_value();
    jobs.Submit({}, [] { return 2; });
    EXPECT_EQ(jobs.TakeNext().value, 1);
    EXPECT_EQ(jobs.TakeNext().value, 2);
    EXPECT_EQ(ran.load(), 0);
}

// A job submitted after a drop may get the dropped job's place; the estimate of the dropped
// job, finishing later, must not be taken for its own.
TEST(OrderedJobs, AJobSubmittedAfterADropIsEstimatedItself)
{
    OrderedJobs<int> jobs({1, 1, 0});
    std::promise<void> estimating, release;
    jobs.Submit(
        [&]() -> std::int64_t {
            estimating.set_value();
            release.get_future().wait();
            return 0;
        },
        [] { return 1; });
    estimating.get_future().wait();
    jobs.DropQueued();
    std::atomic<bool> estimated{false};
    jobs.Submit(
        [&]() -> std::int64_t {
            estimated = true;
            return 0;
        },
        [] { return 2; });
    release.set_value();
    EXPECT_EQ(jobs.TakeNext().value, 2);
    EXPECT_TRUE(estimated);
}

// The cost of a job may read its file: after clearing, no job's code runs any more.
TEST(OrderedJobs, ClearingWaitsForAnEstimateUnderWay)
{
    OrderedJobs<int> jobs({1, 1, 0});
    std::promise<void> estimating, release;
    std::atomic<bool> estimated{false};
    jobs.Submit(
        [&]() -> std::int64_t {
            estimating.set_value();
            release.get_future().wait();
            estimated = true;
            return 0;
        },
        [] { return 1; });
    estimating.get_future().wait();
    auto cleared = std::async(std::launch::async, [&] {
        jobs.Clear();
        return estimated.load();
    });
    EXPECT_EQ(cleared.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    release.set_value();
    EXPECT_TRUE(cleared.get());
}

TEST(OrderedJobs, EveryExceptionBecomesAnOutcome)
{
    OrderedJobs<int> jobs({2, 4, 100});
    jobs.Submit({}, []() -> int { throw std::runtime_error("disk gone"); });
    jobs.Submit({}, []() -> int { throw 42; });
    jobs.Submit([]() -> std::int64_t { throw std::bad_alloc(); }, [] { return 3; }); // cost fails
    jobs.Submit({}, [] { return 4; });

    const auto runtime = jobs.TakeNext();
    EXPECT_FALSE(runtime.ok());
    EXPECT_EQ(runtime.ErrorText(), "disk gone");
    EXPECT_THROW(std::rethrow_exception(runtime.error), std::runtime_error);
    const auto odd = jobs.TakeNext();
    EXPECT_FALSE(odd.ok());
    EXPECT_FALSE(odd.ErrorText().empty());
    EXPECT_EQ(jobs.TakeNext().value, 3);
    EXPECT_EQ(jobs.TakeNext().value, 4);
}

} // namespace

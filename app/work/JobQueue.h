#pragma once
// The scheduling behind OrderedJobs (which most code should use): jobs run on a few worker
// threads, started in submission order, and finish in any order; the caller takes them back in
// submission order. How many run at once is bounded twice, by the worker count and by a byte
// budget, since one job may need far more memory than the others: each job declares what it
// will hold (its cost, estimated on a worker just before it may start) and starts only while the
// costs of the running jobs and its own fit the budget. One job may always run, so a job larger
// than the whole budget runs alone. At most `lookahead` jobs are started and not yet taken, so
// finished results waiting for the caller are bounded too.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace quillora::work {

struct JobLimits {
    int workers = 1;             // jobs running at once (at least one)
    int lookahead = 2;           // jobs started and not yet taken (at least `workers`)
    std::int64_t byteBudget = 0; // bytes the running jobs may declare together
};

// One worker per core of this machine (at least one).
int CoreCount();

class JobQueue {
public:
    using Cost = std::function<std::int64_t()>; // may throw: the job then counts as free
    using Work = std::function<void()>;         // must not throw

    // `onFinished` is called on the worker thread, under the queue's lock, each time a job has
    // finished: it may post a notification but must not call back into the queue.
    explicit JobQueue(JobLimits limits, std::function<void()> onFinished = {});
    // Drops the jobs that have not started and waits for the running ones.
    ~JobQueue();
    JobQueue(const JobQueue&) = delete;
    JobQueue& operator=(const JobQueue&) = delete;

    void Submit(Cost cost, Work work);
    // Jobs submitted and not taken (queued, running or finished).
    std::size_t Size() const;
    // Whether the oldest job not taken has finished. False when there is none.
    bool FrontFinished() const;
    // Waits until the oldest job not taken has finished (true) or the time is up (false).
    bool WaitFront(std::chrono::milliseconds timeout);
    void WaitFront();
    // The caller has taken the oldest job's result: another job may start.
    void PopFront();
    // Drops the jobs that have not started, waits for the running ones (and an estimate under
    // way) and forgets them all.
    void Clear();
    // Drops the jobs that have not started, without waiting; returns how many. They are the
    // newest ones, since jobs start in submission order.
    std::size_t DropQueued();

private:
    enum class State { Queued, Running, Finished };
    struct Queued {
        std::uint64_t id;
        Cost cost;
        Work work;
        std::int64_t bytes = -1; // -1: not yet estimated
    };

    void WorkerLoop();
    bool HasWorkLocked() const;
    bool MayStartLocked(std::int64_t bytes) const;
    void EstimateFront(std::unique_lock<std::mutex>& lock);
    void RunFront(std::unique_lock<std::mutex>& lock);
    State& StateOf(std::uint64_t id) { return states_[static_cast<std::size_t>(id - firstId_)]; }
    void DropQueuedLocked();

    const JobLimits limits_;
    const std::function<void()> onFinished_;
    mutable std::mutex mutex_;
    std::condition_variable workersWake_;
    std::condition_variable jobFinished_;
    std::deque<Queued> queued_; // not started, in submission order
    std::deque<State> states_;  // every job not taken; the first has id firstId_
    std::uint64_t firstId_ = 0;
    int running_ = 0;
    std::int64_t runningBytes_ = 0;
    bool estimating_ = false;
    // Counts the drops of jobs not started: a job submitted after a drop may take a dropped
    // job's id, so an estimate finishing after a drop belongs to no job.
    std::uint64_t drops_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace quillora::work

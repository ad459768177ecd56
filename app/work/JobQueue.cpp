#include "app/work/JobQueue.h"

#include "app/work/OrderedJobs.h"

#include <algorithm>
#include <system_error>

namespace quillora::work {

std::string DescribeException(const std::exception_ptr& error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return "an unexpected error without a description";
}

int CoreCount() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

JobQueue::JobQueue(JobLimits limits, std::function<void()> onFinished)
    : limits_{std::max(1, limits.workers), std::max({1, limits.workers, limits.lookahead}),
              std::max<std::int64_t>(0, limits.byteBudget)},
      onFinished_(std::move(onFinished))
{
}

JobQueue::~JobQueue()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        DropQueuedLocked();
    }
    workersWake_.notify_all();
    for (auto& thread : threads_)
        thread.join();
}

void JobQueue::Submit(Cost cost, Work work)
{
    {
        const std::lock_guard lock(mutex_);
        // Threads are started as jobs arrive, up to the worker count. When the system refuses
        // another thread, the ones there are do the work.
        const auto wanted = std::min(static_cast<std::size_t>(limits_.workers), states_.size() + 1);
        if (threads_.size() < wanted) {
            try {
                threads_.emplace_back([this] { WorkerLoop(); });
            } catch (const std::system_error&) {
                if (threads_.empty())
                    throw;
            }
        }
        queued_.push_back({firstId_ + states_.size(), std::move(cost), std::move(work)});
        states_.push_back(State::Queued);
    }
    workersWake_.notify_one();
}

std::size_t JobQueue::Size() const
{
    const std::lock_guard lock(mutex_);
    return states_.size();
}

bool JobQueue::FrontFinished() const
{
    const std::lock_guard lock(mutex_);
    return !states_.empty() && states_.front() == State::Finished;
}

bool JobQueue::WaitFront(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return jobFinished_.wait_for(lock, timeout,
                                 [this] { return !states_.empty() && states_.front() == State::Finished; });
}

void JobQueue::WaitFront()
{
    std::unique_lock lock(mutex_);
    jobFinished_.wait(lock, [this] { return states_.empty() || states_.front() == State::Finished; });
}

void JobQueue::PopFront()
{
    {
        const std::lock_guard lock(mutex_);
        if (states_.empty() || states_.front() != State::Finished)
            return;
        states_.pop_front();
        ++firstId_;
    }
    workersWake_.notify_all();
}

void JobQueue::Clear()
{
    std::unique_lock lock(mutex_);
    DropQueuedLocked();
    // An estimate under way may read a file too: afterwards no job's code is running.
    jobFinished_.wait(lock, [this] { return running_ == 0 && !estimating_; });
    firstId_ += states_.size();
    states_.clear();
}

std::size_t JobQueue::DropQueued()
{
    const std::lock_guard lock(mutex_);
    const std::size_t dropped = queued_.size();
    DropQueuedLocked();
    return dropped;
}

// The jobs not started are the newest ones, since jobs start in submission order.
void JobQueue::DropQueuedLocked()
{
    ++drops_;
    states_.resize(states_.size() - queued_.size());
    queued_.clear();
}

bool JobQueue::MayStartLocked(std::int64_t bytes) const
{
    if (running_ == 0)
        return true;
    return running_ < limits_.workers && runningBytes_ + bytes <= limits_.byteBudget;
}

bool JobQueue::HasWorkLocked() const
{
    if (queued_.empty())
        return false;
    const auto started = static_cast<std::ptrdiff_t>(states_.size() - queued_.size());
    if (started >= limits_.lookahead)
        return false;
    const Queued& front = queued_.front();
    return front.bytes < 0 ? !estimating_ : MayStartLocked(front.bytes);
}

void JobQueue::WorkerLoop()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        workersWake_.wait(lock, [this] { return stopping_ || HasWorkLocked(); });
        if (stopping_)
            return;
        if (queued_.front().bytes < 0)
            EstimateFront(lock);
        else
            RunFront(lock);
    }
}

// Reads the front job's cost without holding the lock (it may read a file). Meanwhile no other
// job starts ahead of it.
void JobQueue::EstimateFront(std::unique_lock<std::mutex>& lock)
{
    estimating_ = true;
    const std::uint64_t id = queued_.front().id;
    const std::uint64_t drops = drops_;
    const Cost cost = queued_.front().cost;
    lock.unlock();
    std::int64_t bytes = 0;
    try {
        bytes = cost ? std::max<std::int64_t>(0, cost()) : 0;
    } catch (...) {
        bytes = 0; // the job itself will meet the problem and report it
    }
    lock.lock();
    estimating_ = false;
    if (drops == drops_ && !queued_.empty() && queued_.front().id == id)
        queued_.front().bytes = bytes;
    workersWake_.notify_all();
    jobFinished_.notify_all(); // Clear waits for the estimate, too
}

void JobQueue::RunFront(std::unique_lock<std::mutex>& lock)
{
    Queued job = std::move(queued_.front());
    queued_.pop_front();
    const std::uint64_t id = job.id;
    const std::int64_t bytes = job.bytes;
    StateOf(id) = State::Running;
    ++running_;
    runningBytes_ += bytes;
    lock.unlock();
    try {
        job.work();
    } catch (...) {
        // Work does not throw (OrderedJobs turns exceptions into outcomes); should one escape
        // anyway, the job still counts as finished rather than ending the program.
    }
    job = {}; // what the job captured is released before its budget is
    lock.lock();
    --running_;
    runningBytes_ -= bytes;
    StateOf(id) = State::Finished; // Clear waits for running jobs, so the state is still there
    if (onFinished_)
        onFinished_();
    jobFinished_.notify_all();
    workersWake_.notify_all();
}

} // namespace quillora::work

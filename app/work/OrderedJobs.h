#pragma once
// Jobs that produce a T on worker threads, handed back in the order they were submitted (see
// JobQueue.h for how many run at once). Every exception a job throws becomes its outcome, so
// nothing escapes a worker thread and the caller decides how to report it. Clearing or
// destroying drops the jobs that have not started and waits only for the running ones. One
// thread (the caller's) submits and takes; only the jobs run elsewhere.
#include "app/work/JobQueue.h"

#include <cassert>
#include <deque>
#include <exception>
#include <memory>
#include <optional>
#include <string>

namespace quillora::work {

// The what() of an exception, or a fixed text for one that is not a std::exception.
std::string DescribeException(const std::exception_ptr& error);

template <class T> struct JobOutcome {
    std::optional<T> value;   // what the job returned
    std::exception_ptr error; // what it threw instead

    bool ok() const { return value.has_value(); }
    std::string ErrorText() const { return DescribeException(error); }
};

template <class T> class OrderedJobs {
public:
    using Job = std::function<T()>;
    using Cost = JobQueue::Cost;

    explicit OrderedJobs(JobLimits limits, std::function<void()> onFinished = {})
        : queue_(limits, std::move(onFinished))
    {
    }
    ~OrderedJobs() { queue_.Clear(); } // before the outcomes the running jobs write to

    // `cost` estimates the bytes the job will hold; it runs on a worker before the job.
    void Submit(Cost cost, Job job)
    {
        JobOutcome<T>* outcome = outcomes_.emplace_back(std::make_unique<JobOutcome<T>>()).get();
        try {
            queue_.Submit(std::move(cost), [outcome, job = std::move(job)] {
                try {
                    outcome->value.emplace(job());
                } catch (...) {
                    outcome->error = std::current_exception();
                }
            });
        } catch (...) {
            outcomes_.pop_back();
            throw;
        }
    }

    bool Empty() const { return outcomes_.empty(); }
    std::size_t Size() const { return outcomes_.size(); }
    bool NextFinished() const { return queue_.FrontFinished(); }
    bool WaitNext(std::chrono::milliseconds timeout) { return queue_.WaitFront(timeout); }

    // The outcome of the oldest job not taken, waiting for it. Not to be called when Empty().
    JobOutcome<T> TakeNext()
    {
        assert(!outcomes_.empty());
        queue_.WaitFront();
        JobOutcome<T> outcome = std::move(*outcomes_.front());
        outcomes_.pop_front();
        queue_.PopFront();
        return outcome;
    }

    void Clear()
    {
        queue_.Clear();
        outcomes_.clear();
    }

    // Drops the jobs that have not started; the running ones go on, and their outcomes are
    // taken as before.
    void DropQueued()
    {
        for (std::size_t dropped = queue_.DropQueued(); dropped > 0; --dropped)
            outcomes_.pop_back();
    }

private:
    JobQueue queue_;
    std::deque<std::unique_ptr<JobOutcome<T>>> outcomes_;
};

} // namespace quillora::work

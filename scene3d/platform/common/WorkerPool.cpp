#include "scene3d/platform/common/WorkerPool.h"

#include <algorithm>
#include <atomic>
#include <utility>

#include <sched.h>

namespace bw {

WorkerPool::WorkerPool(unsigned workerCount) {
    threads_.reserve(workerCount);
    for (unsigned i = 0; i < workerCount; ++i)
        threads_.emplace_back([this] { workerLoop(); });
}

WorkerPool::~WorkerPool() {
    {
        std::unique_lock lock(mutex_);
        finished_.wait(lock, [this] { return busyWorkers_ == 0; });
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& thread : threads_)
        thread.join();
}

unsigned WorkerPool::usableCores() {
    // The cores this process may run on (taskset, cgroups), not all the machine has: a
    // worker per core it may not use would only take turns with the caller.
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0) {
        const int count = CPU_COUNT(&allowed);
        if (count > 0) return static_cast<unsigned>(count);
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

unsigned WorkerPool::coresBesidesCaller(unsigned limit) {
    return std::clamp(usableCores(), 1u, std::max(limit, 1u)) - 1;
}

void WorkerPool::start(std::function<void()> job) {
    if (threads_.empty()) return;
    {
        std::unique_lock lock(mutex_);
        finished_.wait(lock, [this] { return busyWorkers_ == 0; });
        job_ = std::move(job);
        busyWorkers_ = static_cast<unsigned>(threads_.size());
        ++generation_;
    }
    wake_.notify_all();
}

void WorkerPool::wait() {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return busyWorkers_ == 0; });
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void WorkerPool::forEach(std::uint32_t taskCount, const std::function<void(std::uint32_t)>& task) {
    if (taskCount == 0) return;
    if (threads_.empty() || taskCount == 1) {
        for (std::uint32_t i = 0; i < taskCount; ++i)
            task(i);
        return;
    }
    std::atomic<std::uint32_t> next{0};
    const auto takeTasks = [&] {
        for (std::uint32_t i = next.fetch_add(1); i < taskCount; i = next.fetch_add(1))
            task(i);
    };
    start(takeTasks);
    try {
        takeTasks();
    } catch (...) {
        // The workers still read next and task: let them finish before both go.
        next = taskCount;
        wait();
        throw;
    }
    wait();
}

void WorkerPool::workerLoop() {
    std::uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (generation_ == seen) return; // stopping, nothing left to run
            seen = generation_;
        }
        std::exception_ptr failure;
        try {
            job_();
        } catch (...) {
            failure = std::current_exception();
        }
        bool last = false;
        {
            std::lock_guard lock(mutex_);
            if (failure && !failure_) failure_ = failure;
            last = --busyWorkers_ == 0;
        }
        if (last) finished_.notify_all();
    }
}

} // namespace bw

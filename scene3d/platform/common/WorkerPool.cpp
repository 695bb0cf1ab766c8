#include "scene3d/platform/common/WorkerPool.h"

#include <algorithm>
#include <atomic>
#include <utility>
#include <vector>

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

void WorkerPool::forEachInOrder(std::uint32_t taskCount, std::uint32_t slots, const SlotTask& task,
                                const SlotTask& done) {
    slots = std::max(slots, 1u);
    if (threads_.empty()) {
        for (std::uint32_t i = 0; i < taskCount; ++i) {
            task(i, i % slots);
            done(i, i % slots);
        }
        return;
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::uint32_t next = 0;                        // the first task not taken
    std::uint32_t handedOn = 0;                    // tasks given to done: their slots are free again
    std::vector<std::uint32_t> finished(slots, 0); // in each slot, the task finished there, + 1
    bool stopping = false;                         // a task threw, or done did
    // Runs the next task if its slot is free, with the lock released meanwhile.
    const auto runNext = [&](std::unique_lock<std::mutex>& lock) {
        if (stopping || next >= taskCount || next >= handedOn + slots) return false;
        const std::uint32_t i = next++;
        lock.unlock();
        try {
            task(i, i % slots);
        } catch (...) {
            lock.lock();
            stopping = true;
            changed.notify_all();
            throw;
        }
        lock.lock();
        finished[i % slots] = i + 1;
        changed.notify_all();
        return true;
    };
    start([&] {
        std::unique_lock lock(mutex);
        while (!stopping && next < taskCount)
            if (!runNext(lock)) changed.wait(lock);
    });
    try {
        for (std::uint32_t i = 0; i < taskCount; ++i) {
            {
                std::unique_lock lock(mutex);
                while (finished[i % slots] != i + 1 && !stopping)
                    if (!runNext(lock)) changed.wait(lock);
                if (stopping) break; // a worker's task threw: wait() passes it on
            }
            done(i, i % slots);
            {
                std::lock_guard lock(mutex);
                handedOn = i + 1;
            }
            changed.notify_all();
        }
    } catch (...) {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        changed.notify_all();
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

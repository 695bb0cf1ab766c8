#pragma once
// A small pool of background threads that all run one job at a time: either a numbered
// set of tasks shared out among them and the caller (the bands of a frame), or a
// long-running loop each (the readers of model files). No Qt here.

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace bw {

class WorkerPool {
public:
    explicit WorkerPool(unsigned workerCount);
    // Waits for the job that is running, then ends the threads.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    unsigned workerCount() const { return static_cast<unsigned>(threads_.size()); }

    // The hardware threads this process may run on (at least 1).
    static unsigned usableCores();
    // One thread per usable hardware thread, less the caller's own, between 0 and limit - 1.
    static unsigned coresBesidesCaller(unsigned limit);

    // Runs job once on every worker and returns at once; waits first for the job before.
    // With no workers the job does not run.
    void start(std::function<void()> job);
    // Returns when every worker has finished the job started last; rethrows the first
    // exception a worker's run of it threw.
    void wait();

    // Runs task(0) .. task(taskCount - 1), each exactly once, on the workers and the
    // calling thread; returns when all have finished.
    void forEach(std::uint32_t taskCount, const std::function<void(std::uint32_t)>& task);

    // The same, with each task's result handed on in order: done(i, slot) runs on the
    // calling thread after task(i, slot), for i = 0 .. taskCount - 1 in turn. A task's
    // result lives in its slot, i % slots, until it is handed on, so no more than `slots`
    // tasks run ahead of the one handed on next; the caller runs tasks while it waits.
    using SlotTask = std::function<void(std::uint32_t task, std::uint32_t slot)>;
    void forEachInOrder(std::uint32_t taskCount, std::uint32_t slots, const SlotTask& task,
                        const SlotTask& done);

private:
    void workerLoop();

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    std::function<void()> job_;
    unsigned busyWorkers_ = 0;
    std::uint64_t generation_ = 0;
    std::exception_ptr failure_;
    bool stopping_ = false;
};

} // namespace bw

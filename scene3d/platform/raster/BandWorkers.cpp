#include "scene3d/platform/raster/BandWorkers.h"

#include <algorithm>

namespace bw::raster {

BandWorkers::BandWorkers(unsigned threadCount) {
    if (threadCount == 0) threadCount = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    for (unsigned i = 1; i < threadCount; ++i)
        threads_.emplace_back([this] { workerLoop(); });
}

BandWorkers::~BandWorkers() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& thread : threads_)
        thread.join();
}

void BandWorkers::takeTasks() {
    for (std::uint32_t i = nextTask_.fetch_add(1); i < taskCount_; i = nextTask_.fetch_add(1))
        (*task_)(i);
}

void BandWorkers::run(std::uint32_t taskCount, const std::function<void(std::uint32_t)>& task) {
    if (taskCount == 0) return;
    if (threads_.empty() || taskCount == 1) {
        for (std::uint32_t i = 0; i < taskCount; ++i)
            task(i);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        task_ = &task;
        taskCount_ = taskCount;
        nextTask_ = 0;
        busyWorkers_ = static_cast<unsigned>(threads_.size());
        ++generation_;
    }
    wake_.notify_all();
    takeTasks();
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return busyWorkers_ == 0; });
    task_ = nullptr;
}

void BandWorkers::workerLoop() {
    std::uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_) return;
            seen = generation_;
        }
        takeTasks();
        {
            std::lock_guard lock(mutex_);
            --busyWorkers_;
        }
        finished_.notify_one();
    }
}

} // namespace bw::raster

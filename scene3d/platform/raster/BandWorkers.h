#pragma once
// A small pool of threads that share out numbered tasks (the bands of a frame). The
// calling thread takes part, so one thread means no extra threads at all.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace bw::raster {

class BandWorkers {
public:
    // threadCount counts the caller; 0 picks one per hardware thread (at most 8).
    explicit BandWorkers(unsigned threadCount = 0);
    ~BandWorkers();
    BandWorkers(const BandWorkers&) = delete;
    BandWorkers& operator=(const BandWorkers&) = delete;

    unsigned threadCount() const { return static_cast<unsigned>(threads_.size()) + 1; }

    // Runs task(0) .. task(taskCount - 1), each exactly once, spread over the threads;
    // returns when all have finished.
    void run(std::uint32_t taskCount, const std::function<void(std::uint32_t)>& task);

private:
    void workerLoop();
    void takeTasks();

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    const std::function<void(std::uint32_t)>* task_ = nullptr;
    std::uint32_t taskCount_ = 0;
    std::atomic<std::uint32_t> nextTask_{0};
    unsigned busyWorkers_ = 0;
    std::uint64_t generation_ = 0;
    bool stopping_ = false;
};

} // namespace bw::raster

// The worker pool the rasterizer's bands and the model-file read-ahead share.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "scene3d/platform/common/WorkerPool.h"

#include <sched.h>

namespace bw {
namespace {

using namespace std::chrono_literals;

// Spins until count reaches target or a few seconds pass; true when it did.
bool reaches(const std::atomic<int>& count, int target) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (count.load() < target)
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        else
            std::this_thread::yield();
    return true;
}

TEST(WorkerPool, ForEachRunsEveryTaskExactlyOnceAndReturnsWhenAllHaveFinished) {
    WorkerPool pool(3);
    for (const std::uint32_t count : {0u, 1u, 2u, 7u, 1000u}) {
        std::vector<std::atomic<int>> runs(count);
        std::atomic<std::uint32_t> finished{0};
        pool.forEach(count, [&](std::uint32_t i) {
            if (i % 97 == 0) std::this_thread::sleep_for(1ms); // some tasks finish late
            ++runs[i];
            ++finished;
        });
        EXPECT_EQ(finished.load(), count);
        for (std::uint32_t i = 0; i < count; ++i)
            ASSERT_EQ(runs[i].load(), 1) << "task " << i << " of " << count;
    }
}

TEST(WorkerPool, ForEachSharesTasksBetweenTheCallerAndTheWorkers) {
    WorkerPool pool(1);
    std::atomic<int> arrived{0};
    std::atomic<int> sawBoth{0};
    std::mutex mutex;
    std::set<std::thread::id> threads;
    // Each task waits for the other: only two threads at once can finish both.
    pool.forEach(2, [&](std::uint32_t) {
        {
            std::lock_guard lock(mutex);
            threads.insert(std::this_thread::get_id());
        }
        ++arrived;
        if (reaches(arrived, 2)) ++sawBoth;
    });
    EXPECT_EQ(sawBoth.load(), 2);
    EXPECT_EQ(threads.size(), 2u);
    EXPECT_TRUE(threads.count(std::this_thread::get_id()));
}

TEST(WorkerPool, WithoutWorkersTheCallerRunsEveryTaskAndStartedJobsDoNotRun) {
    WorkerPool pool(0);
    EXPECT_EQ(pool.workerCount(), 0u);
    std::vector<std::thread::id> threads;
    pool.forEach(5, [&](std::uint32_t) { threads.push_back(std::this_thread::get_id()); });
    ASSERT_EQ(threads.size(), 5u);
    for (const auto id : threads)
        EXPECT_EQ(id, std::this_thread::get_id());
    bool ran = false;
    pool.start([&] { ran = true; });
    pool.wait();
    EXPECT_FALSE(ran);
}

TEST(WorkerPool, AStartedJobRunsOnceOnEveryWorkerAndJobsNeverOverlap) {
    WorkerPool pool(3);
    std::atomic<bool> gate{false};
    std::atomic<int> firstRuns{0};
    std::atomic<int> secondRuns{0};
    std::atomic<int> secondSawFirstUnfinished{0};
    pool.start([&] {
        while (!gate.load())
            std::this_thread::yield();
        ++firstRuns;
    });
    // start returned while the job is held at the gate.
    EXPECT_EQ(firstRuns.load(), 0);
    std::thread opener([&] {
        std::this_thread::sleep_for(20ms);
        gate = true;
    });
    // Waits for the first job on every worker before the second begins.
    pool.start([&] {
        if (firstRuns.load() != 3) ++secondSawFirstUnfinished;
        ++secondRuns;
    });
    pool.wait();
    opener.join();
    EXPECT_EQ(firstRuns.load(), 3);
    EXPECT_EQ(secondRuns.load(), 3);
    EXPECT_EQ(secondSawFirstUnfinished.load(), 0);
}

TEST(WorkerPool, WaitPassesOnAWorkersExceptionAndThePoolGoesOn) {
    WorkerPool pool(2);
    pool.start([] { throw std::runtime_error("unreadable"); });
    EXPECT_THROW(pool.wait(), std::runtime_error);
    pool.wait(); // reported once
    std::atomic<int> runs{0};
    pool.forEach(50, [&](std::uint32_t) { ++runs; });
    EXPECT_EQ(runs.load(), 50);
}

TEST(WorkerPool, ACallersTaskExceptionLeavesNoTaskRunningAfterForEach) {
    WorkerPool pool(2);
    std::atomic<int> running{0};
    EXPECT_THROW(pool.forEach(100,
                              [&](std::uint32_t i) {
                                  ++running;
                                  std::this_thread::sleep_for(100us);
                                  --running;
                                  if (i == 3) throw std::logic_error("bad band");
                              }),
                 std::logic_error);
    EXPECT_EQ(running.load(), 0);
}

// Each result is handed on in order, from the slot its task wrote, and no task writes a
// slot whose result has not been handed on yet.
TEST(WorkerPool, ForEachInOrderHandsOnEveryResultInOrderFromASlotNotReusedTooSoon) {
    for (const unsigned workers : {0u, 1u, 3u})
        for (const std::uint32_t slots : {1u, 2u, 5u})
            for (const std::uint32_t count : {0u, 1u, 7u, 300u}) {
                WorkerPool pool(workers);
                std::vector<std::atomic<std::int64_t>> slot(slots);
                for (auto& s : slot)
                    s = -1; // free
                std::atomic<int> overwrites{0};
                std::uint32_t handedOn = 0;
                bool inOrder = true;
                pool.forEachInOrder(
                    count, slots,
                    [&](std::uint32_t i, std::uint32_t s) {
                        if (i % 13 == 0) std::this_thread::sleep_for(200us); // some finish late
                        std::int64_t free = -1;
                        if (!slot[s].compare_exchange_strong(free, i)) ++overwrites;
                    },
                    [&](std::uint32_t i, std::uint32_t s) {
                        inOrder = inOrder && i == handedOn && slot[s].load() == i;
                        slot[s] = -1;
                        ++handedOn;
                    });
                ASSERT_EQ(handedOn, count) << workers << " workers, " << slots << " slots";
                EXPECT_TRUE(inOrder) << workers << " workers, " << slots << " slots, " << count;
                EXPECT_EQ(overwrites.load(), 0) << workers << " workers, " << slots << " slots, " << count;
            }
}

TEST(WorkerPool, ForEachInOrderPassesOnATasksOrAHandOversExceptionAndThePoolGoesOn) {
    WorkerPool pool(2);
    std::atomic<int> running{0};
    const auto task = [&](std::uint32_t i, std::uint32_t) {
        ++running;
        std::this_thread::sleep_for(50us);
        --running;
        if (i == 20) throw std::logic_error("bad band");
    };
    EXPECT_THROW(pool.forEachInOrder(100, 4, task, [](std::uint32_t, std::uint32_t) {}), std::logic_error);
    EXPECT_EQ(running.load(), 0);
    const auto failingHandOver = [](std::uint32_t i, std::uint32_t) {
        if (i == 5) throw std::runtime_error("window gone");
    };
    EXPECT_THROW(pool.forEachInOrder(
                     100, 4, [&](std::uint32_t, std::uint32_t) { ++running, --running; }, failingHandOver),
                 std::runtime_error);
    EXPECT_EQ(running.load(), 0);
    std::uint32_t handedOn = 0;
    pool.forEachInOrder(
        10, 2, [](std::uint32_t, std::uint32_t) {}, [&](std::uint32_t, std::uint32_t) { ++handedOn; });
    EXPECT_EQ(handedOn, 10u);
}

TEST(WorkerPool, DestructionWaitsForTheRunningJobThenEndsTheThreads) {
    std::atomic<int> finished{0};
    std::atomic<bool> stop{false};
    {
        WorkerPool pool(2);
        pool.start([&] {
            while (!stop.load())
                std::this_thread::sleep_for(1ms);
            std::this_thread::sleep_for(10ms);
            ++finished;
        });
        stop = true;
    }
    EXPECT_EQ(finished.load(), 2);
    // An idle pool ends at once.
    const auto before = std::chrono::steady_clock::now();
    { WorkerPool idle(4); }
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
}

// Pinned to one core (taskset -c 0) the pool adds no worker that could only take turns
// with the caller.
TEST(WorkerPool, CountsOnlyTheCoresTheThreadMayRunOn) {
    cpu_set_t original;
    ASSERT_EQ(sched_getaffinity(0, sizeof original, &original), 0);
    const unsigned all = WorkerPool::usableCores();
    EXPECT_EQ(all, static_cast<unsigned>(CPU_COUNT(&original)));
    EXPECT_EQ(WorkerPool::coresBesidesCaller(64), all - 1);
    EXPECT_EQ(WorkerPool::coresBesidesCaller(1), 0u);

    int first = 0;
    while (!CPU_ISSET(first, &original))
        ++first;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(first, &one);
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    EXPECT_EQ(WorkerPool::usableCores(), 1u);
    EXPECT_EQ(WorkerPool::coresBesidesCaller(8), 0u);
    ASSERT_EQ(sched_setaffinity(0, sizeof original, &original), 0);
}

} // namespace
} // namespace bw

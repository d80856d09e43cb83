#include "client/web/background_job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>

namespace {

using namespace std::chrono_literals;

bool eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 10000; ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(1ms);
    }
    return condition();
}

// Waits until stop is requested or the time runs out, as a job's pauses do.
void pause_unless_stopped(std::chrono::milliseconds duration, std::stop_token stop)
{
    std::mutex mutex;
    std::condition_variable_any woken;
    std::unique_lock lock(mutex);
    woken.wait_for(lock, stop, duration, [] { return false; });
}

TEST(BackgroundJob, CancelStopsOnlyItsOwnThread)
{
    std::atomic<int> first_state{0}, other_state{0};
    auto waiting_job = [](std::atomic<int>& state) {
        return [&state](std::stop_token stop) {
            state = 1;
            pause_unless_stopped(1h, stop);
            state = stop.stop_requested() ? 2 : 3;
        };
    };
    web::BackgroundJob publishing, search;
    publishing.start(waiting_job(first_state));
    search.start(waiting_job(other_state));
    ASSERT_TRUE(eventually([&] { return first_state == 1 && other_state == 1; }));

    publishing.cancel();
    EXPECT_TRUE(eventually([&] { return first_state == 2; }));
    EXPECT_EQ(other_state.load(), 1);
    search.cancel();
    EXPECT_TRUE(eventually([&] { return other_state == 2; }));
}

TEST(BackgroundJob, StartStopsTheRunningJobAndDestructionWaitsForAll)
{
    std::atomic<int> ended{0};
    std::atomic<int> started{0};
    {
        web::BackgroundJob job;
        for (int i = 0; i < 3; ++i) {
            job.start([&](std::stop_token stop) {
                ++started;
                pause_unless_stopped(1h, stop);
                ++ended;
            });
            ASSERT_TRUE(eventually([&] { return started == i + 1; }));
            // Each start ended the run before it.
            EXPECT_TRUE(eventually([&] { return ended == i; }));
        }
    }
    EXPECT_EQ(ended.load(), 3);
}

TEST(BackgroundJob, AThrowingJobEndsQuietly)
{
    web::BackgroundJob job;
    std::atomic<bool> ran{false};
    job.start([&](std::stop_token) {
        ran = true;
        throw std::runtime_error("broken");
    });
    EXPECT_TRUE(eventually([&] { return ran.load(); }));
    EXPECT_TRUE(eventually([&] { return !job.running(); }));
}

TEST(BackgroundJob, RunningFollowsTheCurrentWorkerOnly)
{
    web::BackgroundJob job;
    EXPECT_FALSE(job.running());

    std::atomic<bool> release{false};
    std::atomic<bool> entered{false};
    std::atomic<bool> left{false};
    // Ignores its stop token, so only `release` (or its own time limit) lets it return.
    job.start([&](std::stop_token) {
        entered = true;
        const auto limit = std::chrono::steady_clock::now() + 10s;
        while (!release && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(1ms);
        left = true;
    });
    ASSERT_TRUE(eventually([&] { return entered.load(); }));
    EXPECT_TRUE(job.running());

    // Cancel returns while the worker is still busy, and the job is idle at once.
    job.cancel();
    EXPECT_FALSE(job.running());
    EXPECT_FALSE(left.load());

    std::atomic<bool> finished{false};
    job.start([&](std::stop_token) { finished = true; });
    EXPECT_TRUE(eventually([&] { return finished.load() && !job.running(); }));

    release = true;
    EXPECT_TRUE(eventually([&] { return left.load(); }));
}

}  // namespace

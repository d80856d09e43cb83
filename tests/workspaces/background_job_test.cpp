#include "client/workspaces/background_job.h"

#include "client/workspaces/publishing_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

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

TEST(BackgroundJob, CancelStopsOnlyItsOwnThread)
{
    std::atomic<int> first_state{0}, other_state{0};
    auto waiting_job = [](std::atomic<int>& state) {
        return [&state](std::stop_token stop) {
            state = 1;
            workspaces::pause_unless_stopped(1h, stop);
            state = stop.stop_requested() ? 2 : 3;
        };
    };
    workspaces::BackgroundJob publishing, search;
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
        workspaces::BackgroundJob job;
        for (int i = 0; i < 3; ++i) {
            job.start([&](std::stop_token stop) {
                ++started;
                workspaces::pause_unless_stopped(1h, stop);
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
    workspaces::BackgroundJob job;
    std::atomic<bool> ran{false};
    job.start([&](std::stop_token) {
        ran = true;
        throw std::runtime_error("broken");
    });
    EXPECT_TRUE(eventually([&] { return ran.load(); }));
}

}  // namespace

#pragma once
// A job on a thread of its own, ended only through its stop token. Each
// page owns its jobs, so cancelling one never touches another's thread.

#include <atomic>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

namespace workspaces {

class BackgroundJob {
public:
    BackgroundJob() = default;
    // Requests stop of every thread started here and waits for them.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Cancels the current run, if any, then starts `work` on a new thread.
    void start(std::function<void(std::stop_token)> work);
    // Requests stop and returns at once; the thread ends on its own and is
    // joined later, so the caller never waits for a transfer to wind down.
    void cancel();

private:
    struct Run {
        std::jthread thread;
        std::shared_ptr<std::atomic<bool>> ended;
    };
    void join_ended();

    Run m_current;
    std::vector<Run> m_stopping;
};

}  // namespace workspaces

#pragma once
// A job on a worker thread of its own, ended only through its stop token.
// Cancelling asks the worker to stop and returns at once; the worker ends
// by itself (its requests and pauses watch the token) and is joined later,
// so the caller never waits for a transfer to wind down. No thread is ever
// killed. Used from one thread (the GUI thread); each owner has its own
// jobs, so cancelling one never touches another's thread.

#include <atomic>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

namespace web {

class BackgroundJob {
public:
    BackgroundJob() = default;
    // Requests stop of every worker started here and waits for them.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Cancels the current run, if any, then runs `work` on a new thread.
    // Whatever `work` throws ends it quietly.
    void start(std::function<void(std::stop_token)> work);
    // Requests stop and returns at once.
    void cancel();
    // The current worker has not returned yet.
    bool running() const;

private:
    struct Worker {
        std::jthread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void join_finished();

    std::unique_ptr<Worker> m_current;
    std::vector<std::unique_ptr<Worker>> m_stopping;
};

}  // namespace web

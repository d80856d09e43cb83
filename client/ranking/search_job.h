#pragma once
// The search job's own worker thread. Cancelling asks the worker to stop
// and returns at once; the worker ends by itself (its requests abort
// through the stop token) and is joined later. No thread is ever killed.
// Used from one thread (the GUI thread).

#include <atomic>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

namespace ranking {

class SearchJob {
public:
    SearchJob() = default;
    // Stops and joins every worker this job started.
    ~SearchJob();
    SearchJob(const SearchJob&) = delete;
    SearchJob& operator=(const SearchJob&) = delete;

    // Cancels a running job, then runs `work` on a new thread. Whatever
    // `work` throws ends it quietly.
    void start(std::function<void(std::stop_token)> work);
    void cancel();
    // The current worker has not returned yet.
    bool running() const;

private:
    struct Worker {
        std::jthread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void reap_finished();

    std::unique_ptr<Worker> m_current;
    std::vector<std::unique_ptr<Worker>> m_stopping;
};

}  // namespace ranking

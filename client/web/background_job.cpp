#include "client/web/background_job.h"

#include <algorithm>

namespace web {

BackgroundJob::~BackgroundJob()
{
    cancel();
    // Ask every worker first so they wind down side by side, then wait.
    for (auto& worker : m_stopping)
        worker->thread.request_stop();
    for (auto& worker : m_stopping)
        worker->thread.join();
}

void BackgroundJob::start(std::function<void(std::stop_token)> work)
{
    cancel();
    join_finished();
    auto worker = std::make_unique<Worker>();
    worker->done = std::make_shared<std::atomic<bool>>(false);
    worker->thread = std::jthread(
        [work = std::move(work), done = worker->done](std::stop_token stop) {
            try {
                work(stop);
            } catch (...) {
                // A job reports its own failures; nothing may escape its thread.
            }
            done->store(true);
        });
    m_current = std::move(worker);
}

void BackgroundJob::cancel()
{
    if (!m_current)
        return;
    m_current->thread.request_stop();
    m_stopping.push_back(std::move(m_current));
}

bool BackgroundJob::running() const
{
    return m_current && !m_current->done->load();
}

void BackgroundJob::join_finished()
{
    // A finished worker joins at once; one still winding down stays for a
    // later start or the destructor.
    std::erase_if(m_stopping, [](const std::unique_ptr<Worker>& worker) {
        if (!worker->done->load())
            return false;
        worker->thread.join();
        return true;
    });
}

}  // namespace web

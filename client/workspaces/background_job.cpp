#include "client/workspaces/background_job.h"

namespace workspaces {

BackgroundJob::~BackgroundJob()
{
    cancel();
    for (auto& run : m_stopping)
        run.thread.join();
}

void BackgroundJob::start(std::function<void(std::stop_token)> work)
{
    cancel();
    join_ended();
    auto ended = std::make_shared<std::atomic<bool>>(false);
    m_current.ended = ended;
    m_current.thread = std::jthread([work = std::move(work), ended](std::stop_token stop) {
        try {
            work(stop);
        } catch (...) {
            // A job reports its own failures; nothing may escape its thread.
        }
        ended->store(true);
    });
}

void BackgroundJob::cancel()
{
    if (!m_current.thread.joinable())
        return;
    m_current.thread.request_stop();
    m_stopping.push_back(std::move(m_current));
    m_current = {};
}

void BackgroundJob::join_ended()
{
    // Threads still winding down stay until a later start or the destructor.
    std::erase_if(m_stopping, [](Run& run) {
        if (!run.ended->load())
            return false;
        run.thread.join();
        return true;
    });
}

}  // namespace workspaces

#include "client/ranking/search_job.h"

#include <algorithm>

namespace ranking {

SearchJob::~SearchJob()
{
    cancel();
    for (auto& worker : m_stopping)
        worker->thread.request_stop();
    // jthread joins on destruction; the stop token makes that prompt.
}

void SearchJob::start(std::function<void(std::stop_token)> work)
{
    cancel();
    reap_finished();
    auto worker = std::make_unique<Worker>();
    worker->done = std::make_shared<std::atomic<bool>>(false);
    worker->thread = std::jthread(
        [work = std::move(work), done = worker->done](std::stop_token stop) {
            try {
                work(stop);
            } catch (...) {
                // A failed job ends like a finished one; it has nothing to report beyond
                // the cells it already wrote.
            }
            done->store(true);
        });
    m_current = std::move(worker);
}

void SearchJob::cancel()
{
    if (!m_current)
        return;
    m_current->thread.request_stop();
    m_stopping.push_back(std::move(m_current));
}

bool SearchJob::running() const
{
    return m_current && !m_current->done->load();
}

void SearchJob::reap_finished()
{
    // A finished worker joins at once; one still winding down stays for later.
    std::erase_if(m_stopping, [](const std::unique_ptr<Worker>& worker) {
        return worker->done->load();
    });
}

}  // namespace ranking

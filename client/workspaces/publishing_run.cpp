#include "client/workspaces/publishing_run.h"

#include "client/web/http.h"
#include "client/workspaces/workspace_addresses.h"

#include <condition_variable>
#include <mutex>

namespace workspaces {

bool pause_unless_stopped(std::chrono::milliseconds duration, std::stop_token stop)
{
    std::mutex mutex;
    std::condition_variable_any woken;
    std::unique_lock lock(mutex);
    woken.wait_for(lock, stop, duration, [] { return false; });
    return !stop.stop_requested();
}

PublishingOutcome run_publishing(const PublishingRequest& request, const PublishingEvents& events,
                                 std::stop_token stop)
{
    int published = 0;
    for (std::size_t row = 0; row < request.rows; ++row) {
        if (stop.stop_requested())
            return PublishingOutcome::Cancelled;
        if (request.is_ticked && request.is_ticked(row)) {
            const int seconds = (request.random ? request.random(1, 6) : 1) + 2;
            if (!pause_unless_stopped(request.second * seconds, stop))
                return PublishingOutcome::Cancelled;
            ++published;
            if (events.row_published)
                events.row_published(row, published);
        }
        web::HttpRequest probe;
        probe.url = request.connectivity_url;
        probe.method = "get";
        probe.stop = stop;
        const std::string page = web::http_request_text(probe);
        if (stop.stop_requested())
            return PublishingOutcome::Cancelled;
        if (page.find(kConnectivityMarker) == std::string::npos) {
            if (events.network_failed)
                events.network_failed();
            return PublishingOutcome::NetworkFailed;
        }
    }
    if (events.finished)
        events.finished(published);
    return PublishingOutcome::Finished;
}

}  // namespace workspaces

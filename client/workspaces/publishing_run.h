#pragma once
// One publishing run over the platform list: every ticked row is marked
// published after a random pause, and after every row, ticked or not, the
// internet is checked by loading Baidu's home page. Nothing is sent to the
// platforms themselves.

#include <chrono>
#include <cstddef>
#include <functional>
#include <stop_token>
#include <string>

namespace workspaces {

struct PublishingRequest {
    std::size_t rows = 0;
    // Read when the run reaches the row, so a tick changed meanwhile counts.
    std::function<bool(std::size_t row)> is_ticked;
    std::string connectivity_url;
    // Uniform whole number in [low, high]; the pause before a row is
    // random(1, 6) + 2 of `second`.
    std::function<int(int low, int high)> random;
    std::chrono::milliseconds second{1000};
};

struct PublishingEvents {
    std::function<void(std::size_t row, int published)> row_published;
    std::function<void()> network_failed;
    std::function<void(int published)> finished;
};

enum class PublishingOutcome { Finished, NetworkFailed, Cancelled };

// Runs on the caller's thread until the last row, a failed connectivity test
// or a stop request (which ends pauses and transfers at once). A cancelled
// run reports nothing after the stop.
PublishingOutcome run_publishing(const PublishingRequest& request, const PublishingEvents& events,
                                 std::stop_token stop);

// Sleeps for `duration` unless stop is requested first; false when stopped.
bool pause_unless_stopped(std::chrono::milliseconds duration, std::stop_token stop);

}  // namespace workspaces

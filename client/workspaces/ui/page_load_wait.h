#pragma once
// Waiting for an embedded browser to finish its page, as continuations.
// A page that never completes (a server that hangs, an address the engine
// refuses) ends the wait at a limit, so no page stays on its loading look.

#include <functional>

class QObject;
class QWebEnginePage;

namespace workspaces {

inline constexpr int kPageLoadLimitMs = 30000;

struct LoadWaitCallbacks {
    // The browser has taken the navigation (it started loading).
    std::function<void()> started;
    // Once: true when the page completed, false when the limit passed first.
    std::function<void(bool completed)> finished;
};

// Call right before asking `page` to load: waits for a load that starts after
// this call (or for the load under way, which the new navigation joins) and
// for the page to be complete afterwards. `started` may be called inside the
// call. Nothing is called once `context` or `page` is gone.
void wait_for_next_load(QWebEnginePage* page, int limit_ms, QObject* context,
                        LoadWaitCallbacks callbacks);

// Calls `finished` once `page` is not loading (looked at every `poll_ms`),
// or with false after `limit_ms`.
void wait_until_not_loading(QWebEnginePage* page, int poll_ms, int limit_ms, QObject* context,
                            std::function<void(bool completed)> finished);

}  // namespace workspaces

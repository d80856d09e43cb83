#pragma once
// A small statistics site on 127.0.0.1 for pages the simulator does not
// carry (hostile sizes, charsets, broken markers): it answers the overview,
// backlink and whois paths from queues of pages and records every target.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace checkup_test {

struct StatsPage {
    int status = 200;
    std::string body;
    std::string content_type = "text/html; charset=utf-8";
};

class StatsServer {
public:
    enum Route { Overview, Backlinks, Whois };

    StatsServer();
    ~StatsServer();
    StatsServer(const StatsServer&) = delete;
    StatsServer& operator=(const StatsServer&) = delete;

    // "127.0.0.1:port": both the main and the whois host of the site.
    std::string host() const;
    // Each request takes the next page of the route; the last one repeats.
    void set_pages(Route route, std::vector<StatsPage> pages);
    // Every request target (path and query) in the order served.
    std::vector<std::string> targets() const;
    // Replies of the route wait until release() (at most ten seconds).
    void hold(Route route);
    void release();

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::vector<StatsPage> m_pages[3];
    std::size_t m_served[3] = {};
    std::vector<std::string> m_targets;
    std::condition_variable m_released;
    int m_held = -1;
};

// Realistic pages of the statistics site for `domain`.
std::string overview_page(const std::string& domain);
std::string backlink_reply();
std::string whois_page(const std::string& created, const std::string& expires);

} // namespace checkup_test

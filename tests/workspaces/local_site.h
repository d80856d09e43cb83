#pragma once
// A small HTTP site on 127.0.0.1 for pages the simulator does not serve
// (hostile or minimal fixtures). It records every request it answers.

#include <httplib.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

struct SeenRequest {
    std::string method;
    std::string target;  // path and query as sent
    std::string user_agent;
    std::string body;
};

class LocalSite {
public:
    LocalSite() = default;
    ~LocalSite() { stop(); }
    LocalSite(const LocalSite&) = delete;
    LocalSite& operator=(const LocalSite&) = delete;

    httplib::Server& server() { return m_server; }

    void start()
    {
        // Recorded before the reply goes out, so a client never sees its
        // answer ahead of the record.
        m_server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
            std::lock_guard lock(m_mutex);
            m_seen.push_back({request.method, request.target, request.get_header_value("User-Agent"),
                              request.body});
            return httplib::Server::HandlerResponse::Unhandled;
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        for (int i = 0; i < 5000 && !m_server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    // Afterwards the port refuses connections.
    void stop()
    {
        m_server.stop();
        if (m_thread.joinable())
            m_thread.join();
    }

    std::string base() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    std::string host() const { return "127.0.0.1:" + std::to_string(m_port); }

    std::vector<SeenRequest> seen()
    {
        std::lock_guard lock(m_mutex);
        return m_seen;
    }
    std::size_t count(const std::string& target)
    {
        std::lock_guard lock(m_mutex);
        std::size_t n = 0;
        for (const auto& request : m_seen)
            n += request.target == target;
        return n;
    }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    std::mutex m_mutex;
    std::vector<SeenRequest> m_seen;
};

}  // namespace testsupport

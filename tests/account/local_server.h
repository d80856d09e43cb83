#pragma once
// A small HTTP server on 127.0.0.1 for replies the simulator has no
// scenario for (hostile or edge-case bodies). Routes answer from a table the
// test fills; every request is recorded.

#include <httplib.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace accounttest {

struct Recorded {
    std::string method;
    std::string path;
    std::string target;  // path and query as sent
    std::string body;
    std::string user_agent;
    std::string cookie;
};

class LocalServer {
public:
    // Returns the body; may add headers to the response.
    using Handler = std::function<std::string(const httplib::Request&, httplib::Response&)>;

    LocalServer()
    {
        m_server.Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
            answer(req, res);
        });
        m_server.Post(".*", [this](const httplib::Request& req, httplib::Response& res) {
            answer(req, res);
        });
        // One request per connection: a browser's idle keep-alive connection
        // would otherwise hold stop() for the keep-alive time-out.
        m_server.set_keep_alive_max_count(1);
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // stop() is only heard once the accept loop runs: wait for it
        // (bounded), or a quick test would leave the loop running forever.
        for (int i = 0; i < 500 && !m_server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~LocalServer()
    {
        m_server.stop();
        if (m_thread.joinable())
            m_thread.join();
    }
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    int port() const { return m_port; }
    std::string host() const { return "127.0.0.1:" + std::to_string(m_port); }

    // Answers requests whose path equals `path` (query ignored).
    void route(const std::string& path, Handler handler)
    {
        std::lock_guard lock(m_mutex);
        m_routes.push_back({path, std::move(handler)});
    }
    void reply(const std::string& path, const std::string& body)
    {
        route(path, [body](const httplib::Request&, httplib::Response&) { return body; });
    }
    std::vector<Recorded> log() const
    {
        std::lock_guard lock(m_mutex);
        return m_log;
    }
    std::vector<Recorded> requests_to(const std::string& path) const
    {
        std::vector<Recorded> found;
        for (const Recorded& r : log())
            if (r.path == path)
                found.push_back(r);
        return found;
    }

private:
    void answer(const httplib::Request& req, httplib::Response& res)
    {
        Handler handler;
        {
            std::lock_guard lock(m_mutex);
            // Recorded before the reply goes out, so a client that has its
            // answer finds its request in the log.
            m_log.push_back({req.method, req.path, req.target, req.body,
                             req.get_header_value("User-Agent"), req.get_header_value("Cookie")});
            for (auto it = m_routes.rbegin(); it != m_routes.rend(); ++it)
                if (it->first == req.path) {
                    handler = it->second;
                    break;
                }
        }
        if (!handler) {
            res.status = 404;
            return;
        }
        const std::string body = handler(req, res);
        res.set_content(body, "text/html; charset=utf-8");
    }

    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::vector<std::pair<std::string, Handler>> m_routes;
    std::vector<Recorded> m_log;
};

}  // namespace accounttest

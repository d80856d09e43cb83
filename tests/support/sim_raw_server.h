#pragma once
// A scripted HTTP peer for tests that must see or send exact bytes: it
// listens on a loopback address of the test's choosing (127.0.0.1,
// 127.9.0.1, ...), keeps every raw request it receives and answers each with
// the same raw reply, then closes the connection.

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class SimRawServer {
public:
    explicit SimRawServer(std::string reply, std::string address = "127.0.0.1");
    ~SimRawServer();
    SimRawServer(const SimRawServer&) = delete;
    SimRawServer& operator=(const SimRawServer&) = delete;

    bool ok() const { return m_fd >= 0; }
    int port() const { return m_port; }
    std::string host() const;                      // "address:port"
    std::string url(const std::string& path) const;  // "http://address:port" + path

    void set_reply(std::string reply);
    // Raw requests (head and body) received so far, waiting up to `limit` for `count`.
    std::vector<std::string> requests(std::size_t count = 0,
                                      std::chrono::milliseconds limit = std::chrono::seconds(5)) const;

    // A whole reply: status line, the given header lines, Content-Length, body.
    static std::string reply(const std::string& status, const std::vector<std::string>& headers,
                             const std::string& body);
    // The header lines of a raw request (after the request line, before the blank line).
    static std::vector<std::string> header_lines(const std::string& request);
    static std::string request_line(const std::string& request);
    static std::string body_of(const std::string& request);

private:
    void serve();
    void answer(int connection);

    std::string m_address;
    int m_fd = -1;
    int m_port = 0;
    std::atomic<bool> m_running{true};
    mutable std::mutex m_mutex;
    std::string m_reply;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

}  // namespace testsupport

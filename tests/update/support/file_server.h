#pragma once
// A small HTTP/1.1 file server on 127.0.0.1 for the updater's tests and
// benchmarks. It serves one body under any path and can be told to misbehave
// the ways real servers do: ignore Range, refuse HEAD, send no length, cut the
// body short, announce more bytes than it has, or pace each connection.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

struct FileServerOptions {
    bool honour_ranges = true;
    bool head_allowed = true;
    bool send_length = true;           // false: the end of the body is the closed connection
    bool chunked = false;              // with send_length false: chunked, ended by the last chunk
    std::int64_t cut_at = -1;          // stop at this file offset and close
    std::int64_t extra_length = 0;     // announce this many bytes more than exist
    std::string etag = "\"v1\"";       // empty: none
    std::int64_t bytes_per_second = 0; // per connection; 0: as fast as possible
};

struct LoggedRequest {
    std::string method;
    std::string path;
    std::string range;
    std::string if_range;
};

class FileServer {
public:
    explicit FileServer(std::string body, FileServerOptions options = {});
    ~FileServer();
    FileServer(const FileServer&) = delete;
    FileServer& operator=(const FileServer&) = delete;

    bool listening() const { return m_port > 0; }
    int port() const { return m_port; }
    std::string url(const std::string& path = "/pkg/client.zip") const;
    std::vector<LoggedRequest> requests() const;
    // The most connections that were being served at the same time.
    int max_concurrent() const { return m_max_concurrent.load(); }

private:
    void accept_loop();
    void serve(int fd);

    std::string m_body;
    FileServerOptions m_options;
    int m_listen_fd = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_concurrent{0};
    std::atomic<int> m_max_concurrent{0};
    mutable std::mutex m_mutex;
    std::vector<LoggedRequest> m_log;
    std::vector<int> m_open_fds;
    std::vector<std::thread> m_connections;
    std::thread m_acceptor;
};

// Deterministic bytes that do not compress, for checksummed downloads.
std::string pseudo_random_bytes(std::size_t size, std::uint32_t seed = 1);

} // namespace testsupport

#pragma once
// Multi-connection HTTP download into one file. The size is learned first,
// then up to `connections` byte ranges are fetched in parallel, each written
// at its own offset of one preallocated file. A server that does not honour
// ranges gets one plain connection; so does a reply without a length, which
// is then capped at `max_size`. Events arrive on the engine's own thread.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace update {

enum class DownloadEventKind {
    Started,           // value1 = total size, -1 when the server gave none
    ConnectionStarted, // value1..value2 = byte range asked (value2 -1: to the end)
    ConnectionEnded,   // value1 = last byte position written
    ConnectionFailed,  // value1 = position reached
    Finished,          // value1 = total length, value2 = 1 when the file is whole
};

struct DownloadEvent {
    DownloadEventKind kind = DownloadEventKind::Started;
    std::int64_t value1 = 0;
    std::int64_t value2 = 0;
};

struct DownloadOptions {
    std::string url;
    std::string destination; // ours; never a name the server suggests
    int connections = 5;
    long connect_timeout_ms = 5000;
    long send_timeout_ms = 5001;
    long receive_timeout_ms = 10000;
    long receive_buffer = 204000;
    std::int64_t max_size = std::int64_t{2} << 30;
    std::int64_t min_segment = 64 * 1024; // smaller files use fewer connections
    int attempts_per_range = 3;
};

class Downloader {
public:
    using EventHandler = std::function<void(const DownloadEvent&)>;

    Downloader();
    ~Downloader();
    Downloader(const Downloader&) = delete;
    Downloader& operator=(const Downloader&) = delete;

    // Starts the task on a worker thread; false while one is still running.
    bool start(DownloadOptions options, EventHandler on_event);
    // Stops the transfer and waits for the worker; no event follows.
    void cancel();
    bool running() const;

    // Bytes received by all connections since the previous call.
    std::int64_t take_received_bytes() { return m_received.exchange(0); }
    // Bytes of the file in place so far.
    std::int64_t downloaded_bytes() const { return m_downloaded.load(); }

    class Task;

private:
    std::atomic<std::int64_t> m_received{0};
    std::atomic<std::int64_t> m_downloaded{0};
    std::unique_ptr<Task> m_task;
    std::thread m_worker;
};

} // namespace update

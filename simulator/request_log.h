#pragma once
// Every request the simulator served, in arrival order across all roles,
// readable at /__log.

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct LogEntry {
    std::uint64_t seq = 0;
    std::string role;
    std::string method;
    std::string target;  // path and query as sent
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    bool body_truncated = false;
};

class RequestLog {
public:
    // Keeps the newest entries only, so a long demo run cannot grow without bound.
    explicit RequestLog(std::size_t capacity = 20000) : m_capacity(capacity) {}

    void add(LogEntry entry);
    // JSON array of the entries of `role` (all when empty) with seq > since.
    std::string to_json(const std::string& role, std::uint64_t since) const;
    void clear();

    static constexpr std::size_t max_body = 256 * 1024;

private:
    mutable std::mutex m_mutex;
    std::deque<LogEntry> m_entries;
    std::uint64_t m_next_seq = 1;
    std::size_t m_capacity;
};

}  // namespace sim

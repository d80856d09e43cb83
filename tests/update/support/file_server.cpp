#include "update/support/file_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>

namespace testsupport {

namespace {

std::string lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool send_all(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::int64_t> number(const std::string& text)
{
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Sends body bytes, paced when asked to.
class Pacer {
public:
    explicit Pacer(std::int64_t rate) : m_rate(rate), m_start(std::chrono::steady_clock::now()) {}
    bool send(int fd, const char* data, std::size_t size)
    {
        const std::size_t slice = m_rate > 0 ? 16 * 1024 : 1 << 20;
        while (size > 0) {
            const std::size_t n = std::min(size, slice);
            if (m_rate > 0) {
                const auto due = m_start + std::chrono::microseconds(m_sent * 1000000 / m_rate);
                std::this_thread::sleep_until(due);
            }
            if (!send_all(fd, data, n))
                return false;
            m_sent += static_cast<std::int64_t>(n);
            data += n;
            size -= n;
        }
        return true;
    }

private:
    std::int64_t m_rate;
    std::int64_t m_sent = 0;
    std::chrono::steady_clock::time_point m_start;
};

} // namespace

std::string pseudo_random_bytes(std::size_t size, std::uint32_t seed)
{
    std::string out(size, '\0');
    std::uint64_t state = 0x9E3779B97F4A7C15ull ^ seed;
    for (std::size_t i = 0; i < size; i += 8) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        std::memcpy(out.data() + i, &state, std::min<std::size_t>(8, size - i));
    }
    return out;
}

FileServer::FileServer(std::string body, FileServerOptions options)
    : m_body(std::move(body)), m_options(std::move(options))
{
    m_listen_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listen_fd < 0)
        return;
    const int yes = 1;
    ::setsockopt(m_listen_fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(m_listen_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listen_fd, 64) != 0 ||
        ::getsockname(m_listen_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { accept_loop(); });
}

FileServer::~FileServer()
{
    m_stopping = true;
    if (m_acceptor.joinable())
        m_acceptor.join();
    {
        std::lock_guard lock(m_mutex);
        for (const int fd : m_open_fds)
            ::shutdown(fd, SHUT_RDWR);
    }
    for (std::thread& connection : m_connections)
        connection.join();
    if (m_listen_fd >= 0)
        ::close(m_listen_fd);
}

std::string FileServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<LoggedRequest> FileServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_log;
}

void FileServer::accept_loop()
{
    while (!m_stopping) {
        pollfd waiting{m_listen_fd, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0)
            continue;
        const int fd = ::accept4(m_listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        std::lock_guard lock(m_mutex);
        m_open_fds.push_back(fd);
        m_connections.emplace_back([this, fd] { serve(fd); });
    }
}

void FileServer::serve(int fd)
{
    const int now_serving = ++m_concurrent;
    for (int seen = m_max_concurrent.load(); seen < now_serving;)
        m_max_concurrent.compare_exchange_weak(seen, now_serving);
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    LoggedRequest logged;
    const std::size_t line_end = request.find("\r\n");
    const std::string first_line = request.substr(0, line_end);
    const std::size_t space1 = first_line.find(' ');
    const std::size_t space2 = first_line.find(' ', space1 + 1);
    if (space1 != std::string::npos && space2 != std::string::npos) {
        logged.method = first_line.substr(0, space1);
        logged.path = first_line.substr(space1 + 1, space2 - space1 - 1);
    }
    for (std::size_t at = line_end; at != std::string::npos && at + 2 < request.size();) {
        const std::size_t next = request.find("\r\n", at + 2);
        const std::string line =
            request.substr(at + 2, next == std::string::npos ? std::string::npos : next - at - 2);
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos) {
            const std::string name = lower(trim(line.substr(0, colon)));
            if (name == "range")
                logged.range = trim(line.substr(colon + 1));
            else if (name == "if-range")
                logged.if_range = trim(line.substr(colon + 1));
        }
        at = next;
    }
    {
        std::lock_guard lock(m_mutex);
        m_log.push_back(logged);
    }

    const std::int64_t size = static_cast<std::int64_t>(m_body.size());
    const std::int64_t announced = size + m_options.extra_length;
    const std::int64_t available = m_options.cut_at >= 0 ? std::min(size, m_options.cut_at) : size;
    std::string head;
    std::int64_t from = 0;
    std::int64_t to = 0; // exclusive
    bool chunked = false;
    const std::string common =
        (m_options.etag.empty() ? "" : "ETag: " + m_options.etag + "\r\n") +
        std::string(m_options.honour_ranges ? "Accept-Ranges: bytes\r\n" : "") +
        "Connection: close\r\n";

    std::optional<std::pair<std::int64_t, std::int64_t>> range;
    if (m_options.honour_ranges && logged.range.starts_with("bytes=") &&
        (logged.if_range.empty() || logged.if_range == m_options.etag)) {
        const std::string bounds = logged.range.substr(6);
        const std::size_t dash = bounds.find('-');
        const auto first = number(bounds.substr(0, dash));
        const auto last = dash + 1 < bounds.size() ? number(bounds.substr(dash + 1))
                                                   : std::optional<std::int64_t>(announced - 1);
        if (dash != std::string::npos && first && last && *first <= *last)
            range = {{*first, std::min(*last, announced - 1)}};
    }

    if (logged.method == "HEAD" && !m_options.head_allowed) {
        head = "HTTP/1.1 405 Method Not Allowed\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    } else if (logged.method != "GET" && logged.method != "HEAD") {
        head = "HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    } else if (range && range->first >= announced) {
        head = "HTTP/1.1 416 Range Not Satisfiable\r\nContent-Range: bytes */" +
               std::to_string(announced) + "\r\nContent-Length: 0\r\n" + common + "\r\n";
    } else if (range) {
        head = "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " +
               std::to_string(range->first) + "-" + std::to_string(range->second) + "/" +
               std::to_string(announced) +
               "\r\nContent-Length: " + std::to_string(range->second - range->first + 1) + "\r\n" +
               common + "\r\n";
        from = range->first;
        to = std::min(range->second + 1, available);
    } else {
        chunked = !m_options.send_length && m_options.chunked;
        head =
            "HTTP/1.1 200 OK\r\n" + common +
            (m_options.send_length ? "Content-Length: " + std::to_string(announced) + "\r\n" : "") +
            (chunked ? "Transfer-Encoding: chunked\r\n" : "") + "\r\n";
        to = available;
    }

    bool sent = send_all(fd, head.data(), head.size());
    if (logged.method == "GET" && sent && to > from) {
        Pacer pacer(m_options.bytes_per_second);
        if (chunked) {
            constexpr std::int64_t kChunk = 64 * 1024;
            for (std::int64_t at = from; sent && at < to; at += kChunk) {
                const std::int64_t n = std::min(kChunk, to - at);
                char size_line[32];
                const int len = std::snprintf(size_line, sizeof size_line, "%llx\r\n",
                                              static_cast<unsigned long long>(n));
                sent = send_all(fd, size_line, static_cast<std::size_t>(len)) &&
                       pacer.send(fd, m_body.data() + at, static_cast<std::size_t>(n)) &&
                       send_all(fd, "\r\n", 2);
            }
            if (sent && to == size)
                send_all(fd, "0\r\n\r\n", 5);
        } else {
            pacer.send(fd, m_body.data() + from, static_cast<std::size_t>(to - from));
        }
    } else if (logged.method == "GET" && sent && chunked && to == size) {
        send_all(fd, "0\r\n\r\n", 5);
    }
    ::shutdown(fd, SHUT_WR);
    // Drain what the client still sends so the close is not a reset.
    while (::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
    }
    {
        std::lock_guard lock(m_mutex);
        m_open_fds.erase(std::remove(m_open_fds.begin(), m_open_fds.end(), fd), m_open_fds.end());
    }
    ::close(fd);
    --m_concurrent;
}

} // namespace testsupport

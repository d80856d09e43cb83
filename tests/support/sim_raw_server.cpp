#include "support/sim_raw_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace testsupport {
namespace {

using Clock = std::chrono::steady_clock;

// Reads until the head is complete and the body its Content-Length names.
std::string read_request(int connection)
{
    std::string data;
    char buffer[16384];
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    std::size_t wanted = std::string::npos;
    while (Clock::now() < deadline) {
        const auto head_end = data.find("\r\n\r\n");
        if (head_end != std::string::npos && wanted == std::string::npos) {
            wanted = head_end + 4;
            std::string lower = data.substr(0, head_end);
            for (char& c : lower)
                c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
            const auto at = lower.find("\r\ncontent-length:");
            if (at != std::string::npos)
                wanted += std::strtoull(lower.c_str() + at + 17, nullptr, 10);
        }
        if (wanted != std::string::npos && data.size() >= wanted)
            break;
        pollfd waiting{connection, POLLIN, 0};
        if (::poll(&waiting, 1, 100) <= 0)
            continue;
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    return data;
}

}  // namespace

SimRawServer::SimRawServer(std::string reply, std::string address)
    : m_address(std::move(address)), m_reply(std::move(reply))
{
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = 0;
    const int one = 1;
    ::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (m_fd < 0 || ::inet_pton(AF_INET, m_address.c_str(), &where.sin_addr) != 1 ||
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 ||
        ::listen(m_fd, 16) != 0) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        return;
    }
    socklen_t length = sizeof where;
    ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&where), &length);
    m_port = ntohs(where.sin_port);
    m_thread = std::thread([this] { serve(); });
}

SimRawServer::~SimRawServer()
{
    m_running = false;
    if (m_thread.joinable())
        m_thread.join();
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string SimRawServer::host() const
{
    return m_address + ":" + std::to_string(m_port);
}

std::string SimRawServer::url(const std::string& path) const
{
    return "http://" + host() + path;
}

void SimRawServer::set_reply(std::string reply)
{
    std::lock_guard lock(m_mutex);
    m_reply = std::move(reply);
}

std::vector<std::string> SimRawServer::requests(std::size_t count,
                                                std::chrono::milliseconds limit) const
{
    const auto deadline = Clock::now() + limit;
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (m_requests.size() >= count || Clock::now() >= deadline)
                return m_requests;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void SimRawServer::serve()
{
    while (m_running) {
        pollfd waiting{m_fd, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0)
            continue;
        const int connection = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        answer(connection);
        ::close(connection);
    }
}

void SimRawServer::answer(int connection)
{
    std::string request = read_request(connection);
    std::string reply;
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(std::move(request));
        reply = m_reply;
    }
    std::size_t sent = 0;
    while (sent < reply.size()) {
        const ssize_t n = ::send(connection, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += static_cast<std::size_t>(n);
    }
    ::shutdown(connection, SHUT_WR);
}

std::string SimRawServer::reply(const std::string& status, const std::vector<std::string>& headers,
                                const std::string& body)
{
    std::string text = "HTTP/1.1 " + status + "\r\n";
    for (const std::string& line : headers)
        text += line + "\r\n";
    text += "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
    return text + body;
}

std::vector<std::string> SimRawServer::header_lines(const std::string& request)
{
    std::vector<std::string> lines;
    const auto head_end = request.find("\r\n\r\n");
    std::size_t at = request.find("\r\n");
    while (at != std::string::npos && at < head_end) {
        const auto next = request.find("\r\n", at + 2);
        lines.push_back(request.substr(at + 2, next - at - 2));
        at = next;
    }
    return lines;
}

std::string SimRawServer::request_line(const std::string& request)
{
    return request.substr(0, request.find("\r\n"));
}

std::string SimRawServer::body_of(const std::string& request)
{
    const auto head_end = request.find("\r\n\r\n");
    return head_end == std::string::npos ? std::string() : request.substr(head_end + 4);
}

}  // namespace testsupport

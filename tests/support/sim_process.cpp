#include "support/sim_process.h"

#include <httplib.h>
#include <simdjson.h>

#include <cctype>
#include <csignal>
#include <cstdlib>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testsupport {
namespace {

using Clock = std::chrono::steady_clock;

bool equal_ci(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string url_encode(std::string_view text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::vector<SimProcess::LogEntry> parse_log(const std::string& json)
{
    std::vector<SimProcess::LogEntry> entries;
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (parser.parse(json).get(root) != simdjson::SUCCESS)
        return entries;
    simdjson::dom::array items;
    if (root.get_array().get(items) != simdjson::SUCCESS)
        return entries;
    for (simdjson::dom::element item : items) {
        SimProcess::LogEntry entry;
        std::uint64_t seq = 0;
        std::string_view text;
        if (item["seq"].get_uint64().get(seq) == simdjson::SUCCESS)
            entry.seq = seq;
        if (item["role"].get_string().get(text) == simdjson::SUCCESS)
            entry.role = text;
        if (item["method"].get_string().get(text) == simdjson::SUCCESS)
            entry.method = text;
        if (item["target"].get_string().get(text) == simdjson::SUCCESS)
            entry.target = text;
        if (item["body"].get_string().get(text) == simdjson::SUCCESS)
            entry.body = text;
        simdjson::dom::array headers;
        if (item["headers"].get_array().get(headers) == simdjson::SUCCESS) {
            for (simdjson::dom::element pair : headers) {
                std::string_view name;
                std::string_view value;
                if (pair.at(0).get_string().get(name) == simdjson::SUCCESS &&
                    pair.at(1).get_string().get(value) == simdjson::SUCCESS)
                    entry.headers.emplace_back(name, value);
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace

std::string SimProcess::LogEntry::header(std::string_view name) const
{
    for (const auto& [key, value] : headers)
        if (equal_ci(key, name))
            return value;
    return {};
}

std::size_t SimProcess::LogEntry::header_count(std::string_view name) const
{
    std::size_t count = 0;
    for (const auto& header : headers)
        count += equal_ci(header.first, name) ? 1 : 0;
    return count;
}

std::string SimProcess::Reply::header(const std::string& name) const
{
    for (const auto& [key, value] : headers)
        if (equal_ci(key, name))
            return value;
    return {};
}

SimProcess::SimProcess(std::vector<std::string> extra_args)
{
    const char* binary = std::getenv("VARNEL_SIM");
    if (!binary || !*binary) {
        m_error = "VARNEL_SIM is not set (the path of varnel-sim)";
        return;
    }
    if (m_run_dir.path().empty()) {
        m_error = "no temporary run directory";
        return;
    }
    const std::string ready = run_dir() + "/sim.ready";
    const std::string output = run_dir() + "/sim.out";
    std::vector<std::string> args{binary, "--write-endpoints", run_dir(), "--ready-file", ready,
                                  "--quiet"};
    args.insert(args.end(), extra_args.begin(), extra_args.end());

    const pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid == 0) {
        // The simulator must not outlive a test that crashes.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(127);
        const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd >= 0) {
            ::dup2(fd, 1);
            ::dup2(fd, 2);
            ::close(fd);
        }
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (m_pid < 0) {
        m_error = "fork failed";
        return;
    }
    const auto deadline = Clock::now() + std::chrono::seconds(15);
    while (Clock::now() < deadline) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            m_error = "varnel-sim ended at start: " + read_file(output);
            return;
        }
        if (::access(ready.c_str(), R_OK) == 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::istringstream lines(read_file(ready));
    for (std::string line; std::getline(lines, line);) {
        const auto eq = line.find('=');
        const auto colon = line.rfind(':');
        if (eq != std::string::npos && colon != std::string::npos && colon > eq)
            m_ports[line.substr(0, eq)] = std::atoi(line.c_str() + colon + 1);
    }
    if (m_ports.empty())
        m_error = "varnel-sim did not become ready within 15 s: " + read_file(output);
}

SimProcess::~SimProcess()
{
    stop(std::chrono::seconds(5));
}

bool SimProcess::stop(std::chrono::milliseconds limit)
{
    if (m_pid <= 0)
        return false;
    ::kill(m_pid, SIGTERM);
    const auto deadline = Clock::now() + limit;
    int status = 0;
    while (Clock::now() < deadline) {
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, &status, 0);
    m_pid = -1;
    return false;
}

int SimProcess::port(std::string_view role) const
{
    const auto it = m_ports.find(role);
    return it == m_ports.end() ? 0 : it->second;
}

std::string SimProcess::host(std::string_view role) const
{
    return "127.0.0.1:" + std::to_string(port(role));
}

std::string SimProcess::url(std::string_view role) const
{
    return "http://" + host(role);
}

std::vector<std::string> SimProcess::roles() const
{
    std::vector<std::string> names;
    for (const auto& [name, port] : m_ports)
        names.push_back(name);
    return names;
}

bool SimProcess::control(const std::string& target, std::string* body) const
{
    if (m_ports.empty())
        return false;
    httplib::Client client("127.0.0.1", m_ports.begin()->second);
    client.set_connection_timeout(std::chrono::seconds(5));
    client.set_read_timeout(std::chrono::seconds(10));
    const auto result = client.Get(target);
    if (!result || result->status != 200)
        return false;
    if (body)
        *body = result->body;
    return true;
}

std::vector<SimProcess::LogEntry> SimProcess::log(std::string_view role) const
{
    std::string body;
    if (!control("/__log?role=" + url_encode(role), &body))
        return {};
    return parse_log(body);
}

void SimProcess::clear_log() const
{
    control("/__log?clear=1");
}

std::vector<SimProcess::LogEntry> SimProcess::wait_for_log(std::string_view role, std::size_t count,
                                                           std::chrono::milliseconds limit) const
{
    const auto deadline = Clock::now() + limit;
    std::vector<LogEntry> entries = log(role);
    while (entries.size() < count && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        entries = log(role);
    }
    return entries;
}

bool SimProcess::set_scenario(std::string_view name, std::string_view role,
                              const std::map<std::string, std::string>& params) const
{
    std::string target = "/__scenario?name=" + url_encode(name);
    if (!role.empty())
        target += "&role=" + url_encode(role);
    for (const auto& [key, value] : params)
        target += "&" + url_encode(key) + "=" + url_encode(value);
    return control(target);
}

bool SimProcess::reset_scenarios() const
{
    return control("/__scenario?name=reset");
}

SimProcess::Reply SimProcess::get(std::string_view role, const std::string& target,
                                  const std::multimap<std::string, std::string>& headers) const
{
    Reply reply;
    const int p = port(role);
    if (p == 0)
        return reply;
    httplib::Client client("127.0.0.1", p);
    client.set_connection_timeout(std::chrono::seconds(5));
    client.set_read_timeout(std::chrono::seconds(10));
    httplib::Headers sent(headers.begin(), headers.end());
    const auto result = client.Get(target, sent);
    if (!result)
        return reply;
    reply.status = result->status;
    reply.headers.insert(result->headers.begin(), result->headers.end());
    reply.body = result->body;
    return reply;
}

std::string SimProcess::RawReply::head() const
{
    return bytes.substr(0, bytes.find("\r\n\r\n"));
}

std::string SimProcess::RawReply::body() const
{
    const auto end = bytes.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : bytes.substr(end + 4);
}

SimProcess::RawReply SimProcess::raw_exchange(std::string_view role, const std::string& request,
                                              std::chrono::milliseconds idle) const
{
    RawReply reply;
    const auto start = Clock::now();
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return reply;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port(role)));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size())) {
        char buffer[65536];
        for (;;) {
            pollfd waiting{fd, POLLIN, 0};
            if (::poll(&waiting, 1, static_cast<int>(idle.count())) <= 0) {
                reply.idle_expired = true;
                break;
            }
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            reply.bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    reply.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    return reply;
}

}  // namespace testsupport

#include "simulator/simulator.h"

#include "simulator/role_context.h"
#include "simulator/roles/roles.h"

#include <httplib.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace sim {

struct Simulator::Role {
    std::string name;
    bool endpoint = false;
    httplib::Server server;
    std::unique_ptr<RoleContext> context;
    std::thread thread;
};

namespace {

// Written whole, then renamed, so a reader never sees half a file.
bool write_file_atomically(const std::filesystem::path& path, const std::string& text,
                           std::string& error)
{
    const std::filesystem::path temp = path.string() + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out) {
            error = "cannot write " + temp.string();
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        error = "cannot write " + path.string() + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace

Simulator::Simulator(SimOptions options) : m_world(std::move(options)) {}

Simulator::~Simulator()
{
    stop();
}

bool Simulator::start(std::string& error)
{
    const SimOptions& options = m_world.options();
    if (!std::filesystem::is_directory(options.fixtures)) {
        error = "fixture folder not found: " + options.fixtures;
        return false;
    }
    const auto& table = role_table();
    for (std::size_t i = 0; i < table.size(); ++i) {
        auto role = std::make_unique<Role>();
        role->name = std::string(table[i].name);
        role->endpoint = table[i].endpoint;
        // Stalled replies each hold a worker; give every role room for many.
        role->server.new_task_queue = [] { return new httplib::ThreadPool(24); };
        role->server.set_keep_alive_timeout(2);
        role->server.set_keep_alive_max_count(100);
        // Headers and body leave in separate writes; without this a reused
        // connection waits on the peer's delayed ACK for every reply.
        role->server.set_tcp_nodelay(true);
        role->server.set_read_timeout(15);
        role->server.set_write_timeout(15);
        int port = 0;
        if (options.base_port > 0) {
            port = options.base_port + static_cast<int>(i);
            if (!role->server.bind_to_port(options.bind_host, port))
                port = -1;
        } else {
            port = role->server.bind_to_any_port(options.bind_host);
        }
        if (port <= 0) {
            error.assign("cannot listen for ").append(role->name).append(" on ").append(options.bind_host);
            if (options.base_port > 0)
                error.append(":").append(std::to_string(options.base_port + static_cast<int>(i)));
            m_roles.push_back(std::move(role));
            stop();
            return false;
        }
        m_world.set_port(role->name, port);
        m_roles.push_back(std::move(role));
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        Role& role = *m_roles[i];
        role.context = std::make_unique<RoleContext>(role.name, m_world, role.server);
        role.context->install_control_routes();
        table[i].install(*role.context);
        role.context->install_fallback_routes();
    }
    for (auto& role : m_roles)
        role->thread = std::thread([r = role.get()] { r->server.listen_after_bind(); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (auto& role : m_roles) {
        while (!role->server.is_running() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (!role->server.is_running()) {
            error = role->name + " did not start serving";
            stop();
            return false;
        }
    }
    if (!write_endpoints(error) || !write_ready_file(error)) {
        stop();
        return false;
    }
    return true;
}

void Simulator::stop()
{
    m_world.stop();
    for (auto& role : m_roles)
        role->server.stop();
    for (auto& role : m_roles)
        if (role->thread.joinable())
            role->thread.join();
    m_roles.clear();
}

std::string Simulator::ports_text() const
{
    std::string text;
    for (const auto& role : m_roles)
        text.append(role->name).append("=").append(m_world.host(role->name)).append("\n");
    return text;
}

bool Simulator::write_endpoints(std::string& error) const
{
    const std::string& dir = m_world.options().write_endpoints;
    if (dir.empty())
        return true;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::string text = "; Written by varnel-sim: every server of the client on this machine.\n"
                       "[endpoints]\n";
    std::string others;
    for (const auto& role : m_roles) {
        std::string& list = role->endpoint ? text : others;
        if (!role->endpoint)
            list.append("; ");
        list.append(role->name).append("=").append(m_world.host(role->name)).append("\n");
    }
    text += "; Roles the client learns from the account's data:\n" + others;
    return write_file_atomically(std::filesystem::path(dir) / "endpoints.ini", text, error);
}

bool Simulator::write_ready_file(std::string& error) const
{
    const std::string& path = m_world.options().ready_file;
    if (path.empty())
        return true;
    return write_file_atomically(path, ports_text(), error);
}

}  // namespace sim

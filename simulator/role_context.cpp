#include "simulator/role_context.h"

#include "simulator/json_text.h"
#include "simulator/paced_body.h"
#include "simulator/scenario_catalog.h"
#include "simulator/template_text.h"

#include <httplib.h>

#include <thread>

namespace sim {
namespace {

using Clock = std::chrono::steady_clock;

// httplib files these among the request headers; no client sent them.
bool is_server_note(const std::string& name)
{
    return name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" ||
           name == "LOCAL_PORT";
}

void wait_while_running(const std::atomic<bool>& running, Clock::duration span)
{
    const auto until = Clock::now() + span;
    while (running.load() && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

}  // namespace

RoleContext::RoleContext(std::string name, SimWorld& world, httplib::Server& server)
    : m_name(std::move(name)), m_world(world), m_server(server)
{
}

void RoleContext::get(const std::string& pattern, Handler handler)
{
    m_server.Get(pattern, wrap(std::move(handler)));
}

void RoleContext::post(const std::string& pattern, Handler handler)
{
    m_server.Post(pattern, wrap(std::move(handler)));
}

void RoleContext::get_or_post(const std::string& pattern, const Handler& handler)
{
    get(pattern, handler);
    post(pattern, handler);
}

std::optional<ScenarioParams> RoleContext::scenario(const std::string& name) const
{
    return m_world.scenarios().find(m_name, name);
}

bool RoleContext::take_scenario(const std::string& name)
{
    return m_world.scenarios().take(m_name, name);
}

void RoleContext::html(httplib::Response& res, const std::string& text, int status) const
{
    res.status = status;
    res.set_content(text, "text/html; charset=utf-8");
}

void RoleContext::plain(httplib::Response& res, const std::string& text,
                        const std::string& type) const
{
    res.status = 200;
    res.set_content(text, type);
}

void RoleContext::json(httplib::Response& res, const std::string& text) const
{
    if (scenario("not_json")) {
        html(res, m_world.page("common/bad_gateway.html"), 502);
        return;
    }
    plain(res, text, "application/json; charset=utf-8");
}

void RoleContext::not_found(const httplib::Request& req, httplib::Response& res) const
{
    html(res, m_world.page("common/not_found.html", {{"path", html_escape(req.path)}}), 404);
}

RoleContext::Handler RoleContext::wrap(Handler handler)
{
    return [this, handler = std::move(handler)](const httplib::Request& req,
                                                httplib::Response& res) {
        log_request(req);
        if (answer_before(res))
            return;
        handler(req, res);
        shape_after(res);
    };
}

void RoleContext::log_request(const httplib::Request& req)
{
    LogEntry entry;
    entry.role = m_name;
    entry.method = req.method;
    entry.target = req.target;
    for (const auto& [name, value] : req.headers)
        if (!is_server_note(name))
            entry.headers.emplace_back(name, value);
    entry.body = req.body;
    m_world.log().add(std::move(entry));
}

bool RoleContext::answer_before(httplib::Response& res)
{
    const auto& running = m_world.running();
    if (auto slow = scenario("slow"))
        wait_while_running(running, std::chrono::milliseconds(param_size(*slow, "ms", 1500)));
    if (auto stall = scenario("stall"); stall && param_text(*stall, "phase", "") == "headers") {
        wait_while_running(running, std::chrono::milliseconds(param_size(*stall, "max_ms", 60000)));
        html(res, "", 504);
        return true;
    }
    if (take_scenario("fail_times")) {
        html(res, m_world.page("common/unavailable.html"), 503);
        return true;
    }
    return false;
}

void RoleContext::shape_after(httplib::Response& res)
{
    auto stall = scenario("stall");
    auto rate = scenario("rate_cap");
    auto cut = scenario("close_early");
    auto lie = scenario("size_lie");
    // A role that streams its own body applies these itself.
    if (res.content_provider_ || !(stall || rate || cut || lie))
        return;
    PacedBody body;
    body.content_type = res.get_header_value("Content-Type");
    body.length = res.body.size();
    if (cut)
        body.available = param_size(*cut, "after", body.length / 2);
    if (lie) {
        body.available = body.length;
        body.length += param_size(*lie, "extra", 1024);
    }
    if (rate)
        body.rate = param_size(*rate, "rate", 1024 * 1024);
    if (stall) {
        body.stall = true;
        body.stall_limit = std::chrono::milliseconds(param_size(*stall, "max_ms", 60000));
    }
    body.source = string_source(std::move(res.body));
    send_paced(res, std::move(body), m_world.running());
}

void RoleContext::install_control_routes()
{
    auto log = [this](const httplib::Request& req, httplib::Response& res) {
        if (req.method == "DELETE" || req.get_param_value("clear") == "1") {
            m_world.log().clear();
            res.set_content("{\"ok\":true}\n", "application/json");
            return;
        }
        std::uint64_t since = 0;
        try {
            if (req.has_param("since"))
                since = std::stoull(req.get_param_value("since"));
        } catch (...) {
            since = 0;
        }
        res.set_content(m_world.log().to_json(req.get_param_value("role"), since),
                        "application/json; charset=utf-8");
    };
    m_server.Get("/__log", log);
    m_server.Delete("/__log", log);

    auto scenario = [this](const httplib::Request& req, httplib::Response& res) {
        const std::string names = req.get_param_value("name");
        const std::string role = req.get_param_value("role");
        ScenarioParams params;
        for (const auto& [key, value] : req.params)
            if (key != "name" && key != "role")
                params[key] = value;
        std::string error;
        if (!role.empty() && m_world.port(role) == 0)
            error = "unknown role: " + role;
        std::vector<std::string> list;
        for (std::size_t start = 0; !names.empty() && start <= names.size();) {
            const auto comma = names.find(',', start);
            const std::string one = names.substr(start, comma - start);
            if (!one.empty())
                list.push_back(one);
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        for (const std::string& one : list)
            if (one != "reset" && !is_known_scenario(one))
                error = "unknown scenario: " + one;
        if (!error.empty()) {
            res.status = 400;
            res.set_content("{\"ok\":false,\"error\":" + json_quote(error) +
                                ",\"known\":" + scenario_catalog_json() + "}\n",
                            "application/json; charset=utf-8");
            return;
        }
        for (const std::string& one : list) {
            if (one == "reset")
                m_world.scenarios().reset(role);
            else
                m_world.scenarios().set(role, one, params);
        }
        res.set_content("{\"ok\":true,\"active\":" + m_world.scenarios().to_json() +
                            ",\"known\":" + scenario_catalog_json() + "}\n",
                        "application/json; charset=utf-8");
    };
    m_server.Get("/__scenario", scenario);
    m_server.Post("/__scenario", scenario);
}

void RoleContext::install_fallback_routes()
{
    auto missing = wrap([this](const httplib::Request& req, httplib::Response& res) {
        not_found(req, res);
    });
    m_server.Get(".*", missing);
    m_server.Post(".*", missing);
    m_server.Put(".*", missing);
    m_server.Patch(".*", missing);
    m_server.Delete(".*", missing);
    m_server.Options(".*", missing);
}

}  // namespace sim

#pragma once
// One role of the simulator on its own port: route registration with the
// shared behaviour every route gets (request log, generic scenarios), and
// the reply helpers roles use.

#include "simulator/sim_world.h"

#include <functional>
#include <optional>
#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace sim {

class RoleContext {
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    RoleContext(std::string name, SimWorld& world, httplib::Server& server);
    RoleContext(const RoleContext&) = delete;
    RoleContext& operator=(const RoleContext&) = delete;

    const std::string& name() const { return m_name; }
    SimWorld& world() { return m_world; }
    const SimWorld& world() const { return m_world; }

    // `pattern` is a regular expression over the path (query excluded).
    void get(const std::string& pattern, Handler handler);  // GET and HEAD
    void post(const std::string& pattern, Handler handler);
    void get_or_post(const std::string& pattern, const Handler& handler);

    std::optional<ScenarioParams> scenario(const std::string& name) const;
    bool take_scenario(const std::string& name);

    void html(httplib::Response& res, const std::string& text, int status = 200) const;
    void plain(httplib::Response& res, const std::string& text, const std::string& type) const;
    // A JSON reply, or the gateway error page when "not_json" is on.
    void json(httplib::Response& res, const std::string& text) const;
    void not_found(const httplib::Request& req, httplib::Response& res) const;

    // Installed by the simulator around the role's own routes.
    void install_control_routes();
    void install_fallback_routes();

private:
    Handler wrap(Handler handler);
    void log_request(const httplib::Request& req);
    bool answer_before(httplib::Response& res);  // true: reply made, skip the role
    void shape_after(httplib::Response& res);

    std::string m_name;
    SimWorld& m_world;
    httplib::Server& m_server;
};

}  // namespace sim

#pragma once
// The roles of the simulator, one per server the client talks to. Each role
// is one source file (roles/<name>.cpp) with its pages in fixtures/<name>/.

#include <string_view>
#include <vector>

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace sim {

class RoleContext;

struct RoleEntry {
    std::string_view name;
    void (*install)(RoleContext&);
    bool endpoint;  // a key of endpoints.ini
};

// In port order: with --base-port N, role i listens on N + i.
const std::vector<RoleEntry>& role_table();

void install_account_server(RoleContext& ctx);
void install_service_site(RoleContext& ctx);
void install_customer_site(RoleContext& ctx);
void install_aizhan(RoleContext& ctx);
void install_aizhan_whois(RoleContext& ctx);
void install_baidu(RoleContext& ctx);
void install_baidu_home(RoleContext& ctx);
void install_so360(RoleContext& ctx);
void install_so360_results(RoleContext& ctx);
// 360 Search's result pages, served by both of its hosts.
void serve_so360_page(RoleContext& ctx, const httplib::Request& req, httplib::Response& res);
void install_sogou(RoleContext& ctx);
void install_stat(RoleContext& ctx);
void install_downloads(RoleContext& ctx);

}  // namespace sim

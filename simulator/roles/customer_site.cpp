// The customer's hosted web site with its content back end: the
// client-information request, sign-out, and the back-end pages the client
// shows in its embedded browsers.

#include "simulator/role_context.h"
#include "simulator/roles/roles.h"
#include "simulator/template_text.h"

#include <httplib.h>

#include <array>

namespace sim {
namespace {

struct AdminModule {
    const char* module;
    const char* title;
};

constexpr std::array<AdminModule, 9> admin_modules{{
    {"Category", "栏目管理"},
    {"Article", "文章管理"},
    {"Product", "产品管理"},
    {"Picture", "图片管理"},
    {"Download", "下载管理"},
    {"Feedback", "信息反馈"},
    {"Guestbook", "留言管理"},
    {"Order", "订单查询"},
    {"Extarea", "分站营销"},
}};

void client_info(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    const bool known = !req.get_param_value("username").empty() &&
                       req.get_param_value("auth") == ctx.world().customer("auth");
    ctx.json(res, ctx.world().page(known ? "customer_site/clientinfo.json"
                                         : "customer_site/clientinfo_denied.json"));
}

void logout(RoleContext& ctx, httplib::Response& res)
{
    res.set_header("Set-Cookie",
                   "PHPSESSID=deleted; expires=Thu, 01-Jan-1970 00:00:01 GMT; path=/");
    ctx.html(res, ctx.world().page("customer_site/admin/logout.html"));
}

// The back end trusts the embedded browsers by the " Client:" + auth the
// client appends to their user agent.
void admin_page(RoleContext& ctx, const httplib::Request& req, httplib::Response& res,
                const AdminModule& module)
{
    SimWorld& world = ctx.world();
    const std::string auth = world.customer("auth");
    TextValues values{{"title", module.title}, {"module", module.module}};
    std::string content;
    if (req.get_header_value("User-Agent").find("Client:" + auth) == std::string::npos)
        content = world.page("customer_site/admin/client_required.html", values);
    else if (std::string(module.module) == "Extarea" && req.get_param_value("auth") != auth)
        content = world.page("customer_site/admin/bad_parameter.html", values);
    else
        content = world.page(std::string("customer_site/admin/") + module.module + ".html", values);
    values["content"] = content;
    ctx.html(res, world.page("customer_site/admin/layout.html", values));
}

void index_php(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    const std::string g = req.get_param_value("g");
    const std::string m = req.get_param_value("m");
    const std::string a = req.get_param_value("a");
    if (g == "User" && m == "Login" && a == "sendclientinfo")
        return client_info(ctx, req, res);
    if (g == "Admin" && m == "Login" && a == "logout")
        return logout(ctx, res);
    if (g == "Admin")
        for (const AdminModule& module : admin_modules)
            if (m == module.module)
                return admin_page(ctx, req, res, module);
    ctx.not_found(req, res);
}

}  // namespace

void install_customer_site(RoleContext& ctx)
{
    ctx.get_or_post("/index.php", [&ctx](const auto& req, auto& res) { index_php(ctx, req, res); });
    ctx.get("/", [&ctx](const auto&, auto& res) {
        ctx.html(res, ctx.world().page("customer_site/index.html"));
    });
    ctx.get("/(about|product|news|contact)/?", [&ctx](const httplib::Request& req, auto& res) {
        ctx.html(res, ctx.world().page("customer_site/" + std::string(req.matches[1]) + ".html"));
    });
}

}  // namespace sim

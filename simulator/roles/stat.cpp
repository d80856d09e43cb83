// The account's web-statistics page: a viewing-password form with a
// "查看数据" image button, and the statistics once the password is right.

#include "simulator/role_context.h"
#include "simulator/roles/roles.h"
#include "simulator/template_text.h"

#include <httplib.h>

namespace sim {
namespace {

// "plain": the password input named "password"; "id_only": identified by its
// id alone; "number": with a verification-number input beside it.
std::string variant_of(const RoleContext& ctx, const httplib::Request& req)
{
    std::string variant = req.get_param_value("variant");
    if (auto chosen = ctx.scenario("stat_variant"))
        variant = param_text(*chosen, "variant", variant);
    if (variant != "id_only" && variant != "number")
        variant = "plain";
    return variant;
}

void stat_page(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    const SimWorld& world = ctx.world();
    TextValues values{{"id", html_escape(req.get_param_value("id"))},
                      {"variant", variant_of(ctx, req)}};
    if (ctx.scenario("no_markers")) {
        ctx.html(res, world.page("stat/closed.html", values));
        return;
    }
    if (req.method == "POST") {
        const bool right = req.get_param_value("password") == world.customer("stat_key");
        ctx.html(res, world.page(right ? "stat/data.html" : "stat/wrong_password.html", values));
        return;
    }
    ctx.html(res, world.page("stat/login_" + values["variant"] + ".html", values));
}

}  // namespace

void install_stat(RoleContext& ctx)
{
    ctx.get_or_post("/stat.php", [&ctx](const auto& req, auto& res) { stat_page(ctx, req, res); });
    ctx.get("/images/view_data.svg", [&ctx](const auto&, auto& res) {
        ctx.plain(res, ctx.world().fixtures().text("stat/view_data.svg"), "image/svg+xml");
    });
}

}  // namespace sim

// The SEO statistics site's whois host: the base whois record of a domain.

#include "simulator/role_context.h"
#include "simulator/roles/roles.h"
#include "simulator/template_text.h"

#include <httplib.h>

namespace sim {
namespace {

void whois(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    const SimWorld& world = ctx.world();
    if (req.get_param_value("r") != "site/searchDomain") {
        ctx.not_found(req, res);
        return;
    }
    TextValues values;
    for (const auto& [key, value] : world.fixtures().ini("aizhan_whois/whois.ini", "whois"))
        values[key] = value;
    if (ctx.scenario("whois_bad_date"))
        values["created"] = "2009年03月18日";
    if (auto overrides = ctx.scenario("whois"))
        for (const auto& [key, value] : *overrides)
            values[key] = value;
    values["domain"] = html_escape(req.get_param_value("s"));
    const bool empty = req.get_param_value("s").empty() || ctx.scenario("no_markers");
    ctx.html(res, world.page(empty ? "aizhan_whois/whois_empty.html" : "aizhan_whois/whois.html",
                             values));
}

}  // namespace

void install_aizhan_whois(RoleContext& ctx)
{
    ctx.get("/index.php", [&ctx](const auto& req, auto& res) { whois(ctx, req, res); });
    ctx.get("/", [&ctx](const auto&, auto& res) {
        ctx.html(res, ctx.world().page("aizhan_whois/index.html"));
    });
}

}  // namespace sim

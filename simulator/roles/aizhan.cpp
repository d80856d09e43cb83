// The SEO statistics site's main host: the site overview page and the
// backlink count it loads by script.

#include "simulator/role_context.h"
#include "simulator/roles/roles.h"
#include "simulator/template_text.h"

#include <httplib.h>

namespace sim {
namespace {

// fixtures/aizhan/site.ini, field by field overridden by the "site" scenario.
TextValues site_values(const RoleContext& ctx, const std::string& domain)
{
    TextValues values;
    for (const auto& [key, value] : ctx.world().fixtures().ini("aizhan/site.ini", "site"))
        values[key] = value;
    if (auto site = ctx.scenario("site"))
        for (const auto& [key, value] : *site)
            values[key] = value;
    values["domain"] = html_escape(domain);
    return values;
}

void overview(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    const SimWorld& world = ctx.world();
    TextValues values = site_values(ctx, req.matches[1]);
    if (ctx.scenario("no_markers")) {
        ctx.html(res, world.page("aizhan/limited.html", values));
        return;
    }
    values["baidu_link"] = ctx.scenario("no_baidu_link")
                               ? world.page("aizhan/baidu_link_missing.html", values)
                               : world.page("aizhan/baidu_link.html", values);
    ctx.html(res, world.page("aizhan/siteall.html", values));
}

// Answers only when rn and cc are the ones the overview page handed out.
void backlinks(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    const TextValues values = site_values(ctx, req.get_param_value("domain"));
    const auto expected = [&values](const std::string& key) {
        const auto it = values.find(key);
        return it == values.end() ? std::string() : it->second;
    };
    const bool valid = !req.get_param_value("domain").empty() && !expected("rn").empty() &&
                       req.get_param_value("rn") == expected("rn") &&
                       req.get_param_value("cc") == expected("key_host");
    ctx.json(res, ctx.world().page(valid && !ctx.scenario("no_markers")
                                       ? "aizhan/backlinks.json"
                                       : "aizhan/backlinks_denied.json",
                                   values));
}

}  // namespace

void install_aizhan(RoleContext& ctx)
{
    ctx.get("/siteall/([^/]+)/?", [&ctx](const auto& req, auto& res) { overview(ctx, req, res); });
    ctx.get("/ajaxAction/backlink1.php",
            [&ctx](const auto& req, auto& res) { backlinks(ctx, req, res); });
    ctx.get("/", [&ctx](const auto&, auto& res) {
        ctx.html(res, ctx.world().page("aizhan/index.html"));
    });
}

}  // namespace sim

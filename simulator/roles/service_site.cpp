// The service's own web site: the status flag, the version manifest and the
// news and SEO pages shown in the client's panes.

#include "simulator/json_text.h"
#include "simulator/role_context.h"
#include "simulator/roles/roles.h"

#include <httplib.h>

namespace sim {
namespace {

constexpr const char* client_version = "V3.0.6";

void manifest(RoleContext& ctx, httplib::Response& res)
{
    std::string version = client_version;
    if (auto newer = ctx.scenario("newer_version"))
        version = param_text(*newer, "version", "V3.1.0");
    const std::string quoted = json_quote(version, true);
    ctx.json(res, ctx.world().page("service_site/manifest.json",
                                   {{"version", quoted.substr(1, quoted.size() - 2)}}));
}

}  // namespace

void install_service_site(RoleContext& ctx)
{
    ctx.get("/client_status.php", [&ctx](const auto&, auto& res) {
        std::string status = "1";
        if (auto other = ctx.scenario("status_not_1")) {
            const auto text = other->find("text");  // may be empty on purpose
            status = text == other->end() ? "0" : text->second;
        }
        ctx.html(res, status);
    });
    ctx.get("/Download/?", [&ctx](const auto&, auto& res) { manifest(ctx, res); });
    ctx.get("/index.php/clientnews/?", [&ctx](const auto&, auto& res) {
        ctx.html(res, ctx.world().page("service_site/clientnews.html"));
    });
    ctx.get("/index.php/clientseo/?", [&ctx](const auto&, auto& res) {
        ctx.html(res, ctx.world().page("service_site/clientseo.html"));
    });
    ctx.get("/", [&ctx](const auto&, auto& res) {
        ctx.html(res, ctx.world().page("service_site/index.html"));
    });
}

}  // namespace sim

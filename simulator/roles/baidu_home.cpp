// Baidu's home page, which the publishing page loads to test the network.

#include "simulator/role_context.h"
#include "simulator/roles/roles.h"

#include <httplib.h>

namespace sim {

void install_baidu_home(RoleContext& ctx)
{
    ctx.get("/", [&ctx](const auto&, auto& res) {
        // A captive portal instead of the real page: the network test must fail.
        ctx.html(res, ctx.world().page(ctx.scenario("no_markers") ? "baidu_home/portal.html"
                                                                  : "baidu_home/index.html"));
    });
}

}  // namespace sim

// 360 Search's result-page host, the one the client opens in the user's
// browser; it serves the same pages as the query host.

#include "simulator/role_context.h"
#include "simulator/roles/roles.h"

#include <httplib.h>

namespace sim {

void install_so360_results(RoleContext& ctx)
{
    ctx.get("/s", [&ctx](const auto& req, auto& res) { serve_so360_page(ctx, req, res); });
}

}  // namespace sim

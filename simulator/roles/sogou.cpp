// Sogou: result pages whose blocks run from <h3 class="pt"> to "<!-- z -->",
// numbered from 0 by a RANK comment.

#include "simulator/engine_results.h"
#include "simulator/role_context.h"
#include "simulator/roles/roles.h"
#include "simulator/template_text.h"

#include <httplib.h>

#include <algorithm>

namespace sim {
namespace {

std::size_t result_count(const httplib::Request& req)
{
    try {
        const std::string num = req.get_param_value("num");
        return num.empty() ? 10 : std::clamp<std::size_t>(std::stoul(num), 1, 100);
    } catch (...) {
        return 10;
    }
}

void results(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    const SimWorld& world = ctx.world();
    const std::string keyword = req.get_param_value("query");
    if (ctx.scenario("no_markers")) {
        ctx.html(res, world.page("sogou/antispider.html"));
        return;
    }
    const RankRule rule = find_rank_rule(world, "sogou", keyword, false);
    const std::size_t count = result_count(req);
    std::string blocks;
    for (std::size_t i = 1; i <= count; ++i) {
        const ResultItem item = i == rule.rank ? customer_result(world, keyword)
                                               : filler_result(world, "sogou", keyword, i);
        const std::string n = std::to_string(i - 1);
        const bool ranked = !(item.customer && rule.flags.count("norank"));
        blocks += world.page("sogou/result.html", {{"n", n},
                                                   {"rank", ranked ? "<!--RANK:" + n + "-->" : ""},
                                                   {"title", item.title},
                                                   {"link", item.link},
                                                   {"display", item.display},
                                                   {"abstract", item.abstract},
                                                   {"date", item.date}});
    }
    ctx.html(res, world.page("sogou/page.html", {{"keyword", html_escape(keyword)},
                                                 {"results", blocks},
                                                 {"count", std::to_string(count)}}));
}

}  // namespace

void install_sogou(RoleContext& ctx)
{
    ctx.get("/(tx|web)", [&ctx](const auto& req, auto& res) { results(ctx, req, res); });
    ctx.get("/", [&ctx](const auto&, auto& res) {
        ctx.html(res, ctx.world().page("sogou/index.html"));
    });
}

}  // namespace sim

// Baidu's web search: result pages in Baidu's markup (blocks cut between
// "<div class=\"result c-container" and "</span><div", the display address
// in <span class="g">, the rank in the block's id), and the /link redirect
// its result links go through.

#include "simulator/engine_results.h"
#include "simulator/role_context.h"
#include "simulator/roles/roles.h"
#include "simulator/template_text.h"

#include <httplib.h>

#include <algorithm>

namespace sim {
namespace {

std::size_t results_per_page(const httplib::Request& req)
{
    const std::string rn = req.has_param("RN") ? req.get_param_value("RN") : req.get_param_value("rn");
    std::size_t count = 10;
    try {
        if (!rn.empty())
            count = std::stoul(rn);
    } catch (...) {
        count = 10;
    }
    return std::clamp<std::size_t>(count, 1, 100);
}

std::string block(const SimWorld& world, const ResultItem& item, const std::string& id)
{
    const std::string fixture = id.empty() ? "baidu/result_noid.html" : "baidu/result.html";
    return world.page(fixture, {{"id", id},
                                {"title", item.title},
                                {"link", world.url("baidu") + "/link?url=" + url_encode(item.link)},
                                {"display", item.display},
                                {"abstract", item.abstract},
                                {"date", item.date}});
}

void results(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    const SimWorld& world = ctx.world();
    const std::string keyword = req.get_param_value("wd");
    if (ctx.scenario("no_markers")) {
        ctx.html(res, world.page("baidu/captcha.html"));
        return;
    }
    const RankRule rule = find_rank_rule(world, "baidu", keyword, false);
    const std::size_t count = results_per_page(req);
    std::string blocks;
    if (rule.flags.count("blank_first"))
        blocks += world.page("baidu/result_blank.html");
    for (std::size_t i = 1; i <= count; ++i) {
        if (i == 1 && rule.flags.count("noid")) {
            // An advertised copy of the site's result: same address, no rank id.
            blocks += block(world, customer_result(world, keyword), "");
        }
        ResultItem item = i == rule.rank ? customer_result(world, keyword)
                                         : filler_result(world, "baidu", keyword, i);
        if (item.customer && rule.flags.count("tail"))
            item.display = host_tail(world.host("customer_site")) + "/";
        blocks += block(world, item, std::to_string(i));
    }
    ctx.html(res, world.page("baidu/page.html", {{"keyword", html_escape(keyword)},
                                                 {"results", blocks},
                                                 {"count", std::to_string(count)}}));
}

}  // namespace

void install_baidu(RoleContext& ctx)
{
    ctx.get("/s", [&ctx](const auto& req, auto& res) { results(ctx, req, res); });
    ctx.get("/link", [&ctx](const httplib::Request& req, httplib::Response& res) {
        const std::string target = req.get_param_value("url");
        if (target.rfind("http://", 0) != 0 && target.rfind("https://", 0) != 0) {
            ctx.not_found(req, res);
            return;
        }
        res.set_redirect(target, 302);
        ctx.html(res, ctx.world().page("baidu/redirect.html", {{"target", html_escape(target)}}), 302);
    });
}

}  // namespace sim

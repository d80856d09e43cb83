// 360 Search: result pages walked ten results at a time. Every page carries
// a psid in a hidden input, and page n > 1 only answers with results when
// the request brings the psid of page n - 1, as the client's paging does.

#include "simulator/engine_results.h"
#include "simulator/role_context.h"
#include "simulator/roles/roles.h"
#include "simulator/template_text.h"

#include <httplib.h>

#include <cstdint>
#include <cstdio>

namespace sim {
namespace {

constexpr std::size_t per_page = 10;
constexpr std::size_t last_page = 10;

std::string psid_for(const std::string& keyword, std::size_t page)
{
    std::string psid;
    for (std::uint64_t seed : {1469598103934665603ULL, 1099511628211ULL * 7}) {
        std::uint64_t hash = seed;
        for (unsigned char c : keyword + "#" + std::to_string(page))
            hash = (hash ^ c) * 1099511628211ULL;
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
        psid += hex;
    }
    return psid;
}

std::size_t page_number(const httplib::Request& req)
{
    try {
        const std::string pn = req.get_param_value("pn");
        return pn.empty() ? 1 : std::max<std::size_t>(1, std::stoul(pn));
    } catch (...) {
        return 1;
    }
}

}  // namespace

void serve_so360_page(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    const SimWorld& world = ctx.world();
    const std::string keyword = req.get_param_value("q");
    const std::size_t page = page_number(req);
    TextValues values{{"keyword", html_escape(keyword)},
                      {"psid", psid_for(keyword, page)},
                      {"page", std::to_string(page)}};
    if (ctx.scenario("no_markers")) {
        ctx.html(res, world.page("so360/captcha.html", values));
        return;
    }
    const bool paged_right = page == 1 || req.get_param_value("psid") == psid_for(keyword, page - 1);
    if (!paged_right || page > last_page) {
        ctx.html(res, world.page("so360/no_results.html", values));
        return;
    }
    const RankRule rule = find_rank_rule(world, "so360", keyword, true);
    std::string results;
    for (std::size_t pos = 1; pos <= per_page; ++pos) {
        const std::size_t index = (page - 1) * per_page + pos;
        ResultItem item = rule.page == page && rule.rank == pos
                              ? customer_result(world, keyword)
                              : filler_result(world, "so360", keyword, index);
        if (item.customer && rule.flags.count("https"))
            item.link.replace(0, 4, "https");
        results += world.page("so360/result.html", {{"pos", std::to_string(pos)},
                                                    {"title", item.title},
                                                    {"link", item.link},
                                                    {"display", item.display},
                                                    {"abstract", item.abstract},
                                                    {"date", item.date}});
    }
    values["results"] = results;
    std::string pager;
    for (std::size_t p = 1; p <= last_page; ++p)
        pager += p == page ? "<strong>" + std::to_string(p) + "</strong>"
                           : "<a href=\"/s?q=" + url_encode(keyword) +
                                 "&pn=" + std::to_string(p) + "&psid=" + psid_for(keyword, p - 1) +
                                 "&src=srp_paging&fr=360sou_newhome\">" + std::to_string(p) + "</a>";
    values["pager"] = pager;
    ctx.html(res, world.page("so360/page.html", values));
}

void install_so360(RoleContext& ctx)
{
    ctx.get("/s", [&ctx](const auto& req, auto& res) { serve_so360_page(ctx, req, res); });
    ctx.get("/", [&ctx](const auto&, auto& res) {
        ctx.html(res, ctx.world().page("so360/index.html"));
    });
}

}  // namespace sim

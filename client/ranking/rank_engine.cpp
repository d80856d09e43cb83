#include "client/ranking/rank_engine.h"

#include "client/ranking/page_scan.h"
#include "client/ranking/rank_markers.h"
#include "client/ranking/rank_text.h"
#include "client/ranking/rank_urls.h"
#include "client/ranking/site_key.h"
#include "client/web/http.h"
#include "client/web/text.h"

namespace ranking {

namespace {

// A page that lists no result at all is a block page, a captcha or a
// failure, not a ranking: say so rather than "not in the top 100".
std::string verdict(const PageScan& scan)
{
    if (!scan.rank.empty())
        return scan.rank;
    return std::string(scan.blocks == 0 ? kQueryFailed : kNotInTop100);
}

std::string fetch_text(const std::string& url, std::stop_token stop)
{
    return web::decode_utf8_page(web::fetch_page(url, {}, stop));
}

}  // namespace

RankEngine::RankEngine(web::Endpoints endpoints, SharedText& psid)
    : m_endpoints(std::move(endpoints)), m_psid(psid)
{
}

std::string RankEngine::rank_baidu(std::string_view keyword, std::string_view site_url,
                                   std::stop_token stop) const
{
    const std::string url = baidu_query_url(m_endpoints.baidu, keyword);
    std::string page = fetch_text(url, stop);
    if (page.empty() && !stop.stop_requested())
        page = fetch_text(url, stop);
    if (page.empty())
        return std::string(kQueryFailed);
    return verdict(scan_baidu_page(page, baidu_site_key(site_url)));
}

std::string RankEngine::rank_360(std::string_view keyword, std::string_view site_url,
                                 int last_page, std::stop_token stop) const
{
    const std::string key = so360_site_key(site_url);
    m_psid.set({});
    std::string psid;
    for (int page = 1; page <= last_page; ++page) {
        if (stop.stop_requested())
            return std::string(kQueryFailed);
        web::HttpRequest request;
        request.url = so360_query_url(m_endpoints.so360, keyword, page, psid);
        request.method = "GET";
        request.stop = stop;
        const std::string text = web::http_request_text(request);
        if (stop.stop_requested())
            return std::string(kQueryFailed);
        psid = web::text_between(text, markers::so360::psid_start, markers::so360::psid_end);
        m_psid.set(psid);
        if (text.empty())
            return std::string(kQueryFailed);
        const PageScan scan = scan_360_page(text, key, page);
        if (!scan.rank.empty())
            return scan.rank;
        // Later pages may run out of results; only the first must have some.
        if (page == 1 && scan.blocks == 0)
            return std::string(kQueryFailed);
    }
    return std::string(kNotInTop100);
}

std::string RankEngine::rank_sogou(std::string_view keyword, std::string_view site_url,
                                   std::stop_token stop) const
{
    const std::string page = fetch_text(sogou_query_url(m_endpoints.sogou, keyword), stop);
    if (page.empty())
        return std::string(kQueryFailed);
    return verdict(scan_sogou_page(page, sogou_site_key(site_url)));
}

}  // namespace ranking

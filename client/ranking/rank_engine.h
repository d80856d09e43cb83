#pragma once
// The three look-ups: where the site stands for one keyword on one engine.
// Each blocks its thread for its requests; a stop request ends it promptly
// (its result is then meaningless and is not written anywhere).

#include "client/ranking/shared_text.h"
#include "client/web/endpoints.h"

#include <stop_token>
#include <string>
#include <string_view>

namespace ranking {

class RankEngine {
public:
    explicit RankEngine(web::Endpoints endpoints, SharedText& psid = so360_psid());

    // One page of 100 results through fetch_page; an empty reply is fetched
    // once more.
    std::string rank_baidu(std::string_view keyword, std::string_view site_url,
                           std::stop_token stop = {}) const;
    // Page by page up to `last_page` through http_request_text, each later
    // page carrying the psid of the page before; updates the psid value.
    std::string rank_360(std::string_view keyword, std::string_view site_url, int last_page,
                         std::stop_token stop = {}) const;
    // One page of 100 results through fetch_page.
    std::string rank_sogou(std::string_view keyword, std::string_view site_url,
                           std::stop_token stop = {}) const;

    const web::Endpoints& endpoints() const { return m_endpoints; }

private:
    web::Endpoints m_endpoints;
    SharedText& m_psid;
};

}  // namespace ranking

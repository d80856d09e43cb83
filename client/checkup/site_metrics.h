#pragma once
// Scraping of a site's SEO metrics from the statistics site: the overview,
// backlink and whois pages, cut by their fixed markers.

#include "client/checkup/checkup_record.h"
#include "client/web/text.h"

#include <functional>
#include <stop_token>
#include <string>
#include <string_view>

namespace checkup {

// Hosts of the search engines as the overview page links to them (the
// configured engine hosts): an index count is cut from the link that
// searches the engine for "site:" the domain.
struct SearchLinkHosts {
    std::string baidu = "www.baidu.com";
    std::string so360 = "www.so.com";
    std::string sogou = "www.sogou.com";
};

struct ScrapeOptions {
    std::string aizhan;        // host[:port] of the statistics site
    std::string aizhan_whois;  // host[:port] of its whois site
    SearchLinkHosts link_hosts;
    web::LocalClock clock = web::system_local_time;  // time stamp and domain age
    std::function<std::string(std::string_view site)> lookup;  // empty: host_address
    std::stop_token stop;  // ends the scraping between (and during) requests
};

// Runs the three requests twice for `domain` (the site's host name, perhaps
// with a port) and fills the record's empty fields; a second pass retries
// whatever the first could not get. Fields already filled are kept.
void scrape_site_metrics(CheckupRecord& record, const std::string& domain,
                         const ScrapeOptions& options);

// The request targets, with `domain`, `rn` and `key_host` escaped where they
// hold anything but URL-safe characters (a plain host name is kept as is).
std::string overview_target(std::string_view domain);
std::string backlink_target(std::string_view domain, std::string_view rn,
                            std::string_view key_host);
std::string whois_target(std::string_view domain, std::string_view timestamp);

// "百度：B  360：S  搜狗：G" cut from the overview page; "0" stands for a
// missing Baidu count. Empty when the page carries none of the three links.
std::string index_counts_text(std::string_view page, std::string_view domain,
                              const SearchLinkHosts& hosts);

}  // namespace checkup

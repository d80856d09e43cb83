#include "client/ranking/page_scan.h"

#include "client/ranking/rank_markers.h"
#include "client/ranking/rank_text.h"
#include "client/ranking/site_key.h"
#include "client/web/text.h"

#include <vector>

namespace ranking {

namespace m = markers;

PageScan scan_baidu_page(std::string_view page, std::string_view site_key)
{
    const std::vector<std::string> blocks =
        web::collect_between(page, m::baidu::block_start, m::baidu::block_end);
    PageScan scan{blocks.size(), {}};
    for (const std::string& block : blocks) {
        const std::string address =
            web::text_between(block, m::baidu::address_start, m::baidu::address_end);
        if (!address_matches(address, site_key))
            continue;
        const std::string id = web::text_between(block, m::baidu::id_start, m::baidu::id_end);
        if (!id.empty()) {
            scan.rank = rank_at(id);
            break;
        }
    }
    return scan;
}

PageScan scan_360_page(std::string_view page, std::string_view site_key, int page_number)
{
    const std::vector<std::string> results =
        web::collect_between(page, m::so360::result_start, m::so360::result_end);
    PageScan scan{results.size(), {}};
    for (const std::string& result : results) {
        const std::string link = web::text_between(result, m::so360::link_start, m::so360::link_end);
        const std::string host = web::text_between(link, m::so360::host_start, m::so360::host_end);
        if (!address_matches(host, site_key))
            continue;
        const std::string position =
            web::text_between(result, m::so360::position_start, m::so360::position_end);
        scan.rank = rank_on_page(page_number, position);
        break;
    }
    return scan;
}

PageScan scan_sogou_page(std::string_view page, std::string_view site_key)
{
    const std::vector<std::string> blocks =
        web::collect_between(page, m::sogou::block_start, m::sogou::block_end);
    PageScan scan{blocks.size(), {}};
    for (const std::string& block : blocks) {
        const std::string link = web::text_between(block, m::sogou::link_start, m::sogou::link_end);
        if (!address_matches(link, site_key))
            continue;
        const int rank =
            leading_integer(web::text_between(block, m::sogou::rank_start, m::sogou::rank_end, true));
        scan.rank = rank_at(std::to_string(static_cast<long long>(rank) + 1));
        break;
    }
    return scan;
}

}  // namespace ranking

#include "client/ranking/site_key.h"

#include "client/web/text.h"

namespace ranking {

std::string baidu_site_key(std::string_view site_url)
{
    if (site_url.empty())
        return {};
    return web::replace_all(site_url, "http://", "") + "/";
}

std::string so360_site_key(std::string_view site_url)
{
    return web::replace_all(site_url, "http://", "");
}

std::string sogou_site_key(std::string_view site_url)
{
    return std::string(site_url);
}

bool address_matches(std::string_view address, std::string_view site_key)
{
    if (address.empty() || site_key.empty())
        return false;
    return address.find(site_key) != std::string_view::npos ||
           site_key.find(address) != std::string_view::npos;
}

}  // namespace ranking

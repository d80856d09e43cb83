#include "client/workspaces/workspace_addresses.h"

namespace workspaces {

namespace {

const char* const kContentTabPaths[kContentTabCount] = {
    "/index.php?g=Admin&m=Category&menuid=17",
    "/index.php?g=Admin&m=Article&menuid=20",
    "/index.php?g=Admin&m=Product&menuid=22",
    "/index.php?g=Admin&m=Picture&menuid=26",
    "/index.php?g=Admin&m=Download&menuid=27",
    "/index.php?g=Admin&m=Feedback&a=index&menuid=49",
    "/index.php?g=Admin&m=Guestbook&a=index&menuid=55",
};

std::string joined(std::string_view head, std::string_view tail)
{
    std::string out;
    out.reserve(head.size() + tail.size());
    out.append(head);
    out.append(tail);
    return out;
}

}  // namespace

const char* const kContentTabTitles[kContentTabCount] = {
    "   栏目管理   ", "   文章管理   ", "   产品管理   ", "   图片管理   ",
    "   下载管理   ", "   信息反馈   ", "   留言管理   ",
};

const char* const kConnectivityMarker = "百度一下，你就知道";

const char* const kMobileUserAgent =
    "Mozilla/5.0 (Linux; U; Android 4.1.1; ja-jp; Galaxy Nexus Build/JRO03H) "
    "AppleWebKit/534.30 (KHTML, like Gecko) Version/4.0 Mobile Safari/534.30";

const char* const kStatisticsUserAgent =
    "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.1; WOW64; Trident/6.0)";

std::string content_tab_url(std::string_view site_url, int tab)
{
    if (tab < 0 || tab >= kContentTabCount)
        return {};
    return joined(site_url, kContentTabPaths[tab]);
}

std::string order_query_url(std::string_view site_url)
{
    return joined(site_url, "/index.php?g=Admin&m=Order&a=index&menuid=58");
}

std::string regional_marketing_url(std::string_view site_url, std::string_view auth)
{
    return joined(joined(site_url, "/index.php?g=Admin&m=Extarea&a=index&menuid=87&auth="), auth);
}

std::string qr_code_url(std::string_view account_server_base, std::string_view web_url)
{
    return joined(joined(account_server_base, "/erweima.php?u="), web_url);
}

std::string platform_list_url(std::string_view account_server_base)
{
    return joined(account_server_base, "/index.php?m=Qunfa&a=index");
}

std::string seo_page_url(std::string_view service_site_base)
{
    return joined(service_site_base, "/index.php/clientseo/");
}

std::string connectivity_test_url(std::string_view baidu_home_base)
{
    return joined(baidu_home_base, "/");
}

}  // namespace workspaces

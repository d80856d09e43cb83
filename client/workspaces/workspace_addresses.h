#pragma once
// Addresses and browser identities of the workspace pages. The back-end paths
// are appended to site_url as they are: the account server hands out site_url
// without a trailing "/".

#include <string>
#include <string_view>

namespace workspaces {

inline constexpr int kContentTabCount = 7;

// Titles of the content-management tabs, padded as the tab strip shows them.
extern const char* const kContentTabTitles[kContentTabCount];

// site_url + the back-end path of content tab `tab`; empty outside 0-6.
std::string content_tab_url(std::string_view site_url, int tab);
std::string order_query_url(std::string_view site_url);
std::string regional_marketing_url(std::string_view site_url, std::string_view auth);

// The site's QR code on the account server (base = "http://host[:port]").
std::string qr_code_url(std::string_view account_server_base, std::string_view web_url);
// The platform list of the publishing page on the account server.
std::string platform_list_url(std::string_view account_server_base);
// The page shown beside the platform list, on the service site.
std::string seo_page_url(std::string_view service_site_base);
// Baidu's home page, loaded between platforms as a connectivity test.
std::string connectivity_test_url(std::string_view baidu_home_base);
// What a reachable Baidu home page contains.
extern const char* const kConnectivityMarker;

// The phone the mobile preview presents itself as.
extern const char* const kMobileUserAgent;
// The browser the statistics page expects.
extern const char* const kStatisticsUserAgent;

}  // namespace workspaces

#pragma once
// The engines' addresses: the result pages the look-ups read, and the pages
// the results view opens in the desktop's browser. Hosts are host[:port].

#include <string>
#include <string_view>

namespace ranking {

// The fixed tail of every Baidu query, tokens included; asks for 100 results.
extern const std::string_view kBaiduQueryTail;
// The fixed tail of every Sogou query; asks for 100 results.
extern const std::string_view kSogouQueryTail;

std::string baidu_query_url(std::string_view host, std::string_view keyword);
// Page 1 carries neither pn nor psid; later pages carry both, psid possibly empty.
std::string so360_query_url(std::string_view host, std::string_view keyword, int page,
                            std::string_view psid);
std::string sogou_query_url(std::string_view host, std::string_view keyword);

std::string baidu_open_url(std::string_view host, std::string_view keyword);
std::string so360_open_url(std::string_view results_host, std::string_view keyword, int page,
                           std::string_view psid);
std::string sogou_open_url(std::string_view host, std::string_view keyword);

}  // namespace ranking

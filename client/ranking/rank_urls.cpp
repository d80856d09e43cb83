#include "client/ranking/rank_urls.h"

#include "client/web/text.h"

namespace ranking {

const std::string_view kBaiduQueryTail =
    "&ie=utf-8&f=8&rsv_bp=1&rsv_idx=1&tn=baidu&rsv_pq=7b3c91e4a5c2f2d8"
    "&rsv_t=Hq3Tz%2BmEwYcRbNu0JsLp4GvXkAd8FoWi5QtKy1ZeMh6CgPnVr7SxBlUj9Df&RN=100";

const std::string_view kSogouQueryTail =
    "&fieldtitle=&fieldcontent=&fieldstripurl=&bstype=&ie=utf8&sitequery=&located=0&tro=off"
    "&filetype=&num=100";

namespace {

std::string http(std::string_view host, std::string_view path_and_query)
{
    std::string url = "http://";
    url += host;
    url += path_and_query;
    return url;
}

// A psid comes from the engine's page: keep it as sent when it is a plain
// token, escape anything that would change the shape of the address.
std::string escaped_token(std::string_view value)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (unsigned char c : value) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

}  // namespace

std::string baidu_query_url(std::string_view host, std::string_view keyword)
{
    std::string url = http(host, "/s?wd=") + web::percent_encode_utf8(keyword);
    url += kBaiduQueryTail;
    return url;
}

std::string so360_query_url(std::string_view host, std::string_view keyword, int page,
                            std::string_view psid)
{
    std::string url = http(host, "/s?ie=utf-8&shb=1&src=360sou_newhome&q=") +
                      web::percent_encode_utf8(keyword);
    if (page > 1) {
        url += "&pn=" + std::to_string(page) + "&psid=" + escaped_token(psid);
    }
    return url;
}

std::string sogou_query_url(std::string_view host, std::string_view keyword)
{
    std::string url = http(host, "/tx?query=") + web::percent_encode_utf8(keyword);
    url += kSogouQueryTail;
    return url;
}

std::string baidu_open_url(std::string_view host, std::string_view keyword)
{
    return http(host, "/s?wd=") + web::percent_encode_utf8(keyword);
}

std::string so360_open_url(std::string_view results_host, std::string_view keyword, int page,
                           std::string_view psid)
{
    std::string url = http(results_host, "/s?q=") + web::percent_encode_utf8(keyword) +
                      "&pn=" + std::to_string(page) +
                      "&j=0&ls=0&src=srp_paging&fr=360sou_newhome&psid=" + escaped_token(psid);
    return url;
}

std::string sogou_open_url(std::string_view host, std::string_view keyword)
{
    return http(host, "/web?&query=") + web::percent_encode_utf8(keyword);
}

}  // namespace ranking

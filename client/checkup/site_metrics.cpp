#include "client/checkup/site_metrics.h"

#include "client/checkup/host_address.h"
#include "client/checkup/page_text.h"
#include "client/web/endpoints.h"
#include "client/web/http.h"

namespace checkup {

namespace {

constexpr std::string_view kIcpStart = "icp_icp\">";
constexpr std::string_view kLinkEnd = "\" target=\"_blank\">";
constexpr std::string_view kCountStart = "count\":";
// Both whois markers hold 21 full stops and end in a colon and a blank.
constexpr std::string_view kCreatedMarker = "创建时间.....................: ";
constexpr std::string_view kExpiresMarker = "过期时间.....................: ";

std::string cut(std::string_view page, std::string_view left, std::string_view right)
{
    return web::text_between(page, left, right, true);
}

// Keeps the characters a host name, port or plain token consists of and
// escapes everything else, so a value can neither end the path nor add
// query fields.
std::string url_component(std::string_view value)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')
            || (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_'
            || byte == '~' || byte == ':';
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

std::string fetch(const std::string& host, const std::string& target, const std::stop_token& stop)
{
    web::HttpRequest request;
    request.url = web::Endpoints::base(host) + target;
    request.stop = stop;
    const std::string body = web::http_request(request);
    return page_text(body, request.response_headers);
}

void fill(std::string& field, std::string value)
{
    if (field.empty())
        field = std::move(value);
}

// One pass of the three requests; false when it was stopped.
bool scrape_pass(CheckupRecord& record, const std::string& domain, const ScrapeOptions& options)
{
    const std::stop_token& stop = options.stop;

    const std::string overview = fetch(options.aizhan, overview_target(domain), stop);
    if (stop.stop_requested())
        return false;
    fill(record.baidu_weight, "0");
    if (record.outbound_links.empty())
        record.outbound_links = cut(overview, "出站链接：", "个");
    if (record.home_internal_links.empty())
        record.home_internal_links = cut(overview, "首页内链：", "个");
    if (record.ip_address.empty())
        record.ip_address = options.lookup ? options.lookup(domain) : host_address(domain);
    if (record.icp_record.empty())
        record.icp_record = cut(overview, kIcpStart, "<");
    if (record.index_counts.empty())
        record.index_counts = index_counts_text(overview, domain, options.link_hosts);
    const std::string key_host = cut(overview, "var key_host = '", "'");
    const std::string rn = cut(overview, "data:{domain:url_host,rn:'", "'");
    if (stop.stop_requested())
        return false;

    const std::string backlinks = fetch(options.aizhan, backlink_target(domain, rn, key_host), stop);
    if (stop.stop_requested())
        return false;
    if (record.backlinks.empty())
        record.backlinks = cut(backlinks, kCountStart, ",");

    const std::string whois = fetch(
        options.aizhan_whois, whois_target(domain, web::millisecond_timestamp(options.clock)), stop);
    if (stop.stop_requested())
        return false;
    if (record.created.empty())
        record.created = cut(whois, kCreatedMarker, "<");
    if (record.expires.empty())
        record.expires = cut(whois, kExpiresMarker, "<");
    if (record.domain_age_text.empty())
        record.domain_age_text = web::domain_age(record.created, options.clock);
    return true;
}

}  // namespace

std::string overview_target(std::string_view domain)
{
    return "/siteall/" + url_component(domain) + "/";
}

std::string backlink_target(std::string_view domain, std::string_view rn, std::string_view key_host)
{
    return "/ajaxAction/backlink1.php?domain=" + url_component(domain) + "&rn=" + url_component(rn)
        + "&cc=" + url_component(key_host);
}

std::string whois_target(std::string_view domain, std::string_view timestamp)
{
    return "/index.php?r=site/searchDomain&_=" + url_component(timestamp) + "&s="
        + url_component(domain) + "&ajax=yes&update=false&field=base";
}

std::string index_counts_text(std::string_view page, std::string_view domain,
                              const SearchLinkHosts& hosts)
{
    const auto count = [&](const std::string& host, std::string_view query) {
        std::string left = "http://" + host;
        left += query;
        left += domain;
        left += kLinkEnd;
        return cut(page, left, "<");
    };
    const std::string baidu = count(hosts.baidu, "/s?wd=site:");
    const std::string so360 = count(hosts.so360, "/s?q=site%3A");
    const std::string sogou = count(hosts.sogou, "/web?query=site:");
    // A page without any of the links gave no counts at all: leave the field
    // empty so that it reads as a failure and a later pass can retry.
    if (baidu.empty() && so360.empty() && sogou.empty())
        return {};
    return "百度：" + (baidu.empty() ? std::string("0") : baidu) + "  360：" + so360 + "  搜狗："
        + sogou;
}

void scrape_site_metrics(CheckupRecord& record, const std::string& domain,
                         const ScrapeOptions& options)
{
    for (int pass = 0; pass < 2; ++pass) {
        if (!scrape_pass(record, domain, options))
            return;
    }
}

}  // namespace checkup

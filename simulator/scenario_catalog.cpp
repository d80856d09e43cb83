#include "simulator/scenario_catalog.h"

#include "simulator/json_text.h"

#include <array>
#include <utility>

namespace sim {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 22> catalog{{
    // Any role.
    {"slow", "every reply waits ms (default 1500) before it starts"},
    {"stall", "headers, then not one body byte until the client gives up (max_ms, default "
              "60000); phase=headers sends nothing at all"},
    {"rate_cap", "bodies written at rate bytes per second per connection (default 1048576)"},
    {"close_early", "the connection closes after `after` body bytes (default half)"},
    {"size_lie", "Content-Length announces `extra` bytes more (default 1024) than are sent"},
    {"fail_times", "the next `count` requests (default 1) get a 503 error page"},
    {"not_json", "JSON replies become an HTML gateway error page"},
    {"no_markers", "pages lose the markers the client cuts by (captcha or notice pages)"},
    {"customer", "overrides fields of fixtures/customer.ini, e.g. web_type=4"},
    // account_server
    {"login_refused", "sign-in answers login \"no\" with an alert (alert=...)"},
    {"not_image", "the QR code page answers HTML instead of a PNG"},
    {"platform_count", "the platform list holds only its first count members (default 5)"},
    // service_site
    {"status_not_1", "client_status.php answers text (default \"0\")"},
    {"newer_version", "the manifest names version (default V3.1.0)"},
    // aizhan, aizhan_whois
    {"site", "overrides the overview values of fixtures/aizhan/site.ini"},
    {"no_baidu_link", "the overview page carries no Baidu index link"},
    {"whois", "overrides the values of fixtures/aizhan_whois/whois.ini"},
    {"whois_bad_date", "the creation date is not written year-month-day"},
    // stat
    {"stat_variant", "the statistics sign-in page: variant=id_only|number|plain"},
    // downloads
    {"range_ignored", "Range is ignored: always 200 with the whole file"},
    {"no_length", "replies carry no Content-Length; the end is the closed connection"},
    {"no_etag", "replies carry no ETag"},
}};

}  // namespace

bool is_known_scenario(std::string_view name)
{
    for (const auto& [known, description] : catalog)
        if (known == name)
            return true;
    return false;
}

std::string scenario_catalog_json()
{
    std::string out = "{";
    for (std::size_t i = 0; i < catalog.size(); ++i) {
        out += i ? "," : "";
        out += json_quote(catalog[i].first) + ":" + json_quote(catalog[i].second);
    }
    return out + "}";
}

}  // namespace sim

#include "client/workspaces/platform_list.h"

#include "client/web/http.h"
#include "client/workspaces/workspace_addresses.h"

#include <simdjson.h>

#include <algorithm>

namespace workspaces {

namespace {

std::string without_quotes(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(out),
                 [](char c) { return c != '"'; });
    return out;
}

std::string_view without_bom(std::string_view text)
{
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.substr(0, bom.size()) == bom)
        text.remove_prefix(bom.size());
    return text;
}

}  // namespace

std::vector<Platform> parse_platform_list(std::string_view reply)
{
    std::vector<Platform> platforms;
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    const simdjson::padded_string padded(without_bom(reply));
    if (parser.parse(padded).get(root) != simdjson::SUCCESS)
        return platforms;
    simdjson::dom::object object;
    if (root.get_object().get(object) != simdjson::SUCCESS)
        return platforms;
    for (auto field : object) {
        Platform platform;
        platform.name = std::string(field.key);
        std::string_view text;
        if (field.value.get_string().get(text) == simdjson::SUCCESS)
            platform.address = without_quotes(text);
        else
            platform.address = without_quotes(simdjson::minify(field.value));
        platforms.push_back(std::move(platform));
    }
    return platforms;
}

std::vector<Platform> load_platform_list(const std::string& account_server_base,
                                         std::stop_token stop)
{
    web::HttpRequest request;
    request.url = platform_list_url(account_server_base);
    request.method = "GET";
    request.stop = stop;
    const std::string reply = web::http_request_text(request);
    if (stop.stop_requested())
        return {};
    return parse_platform_list(reply);
}

}  // namespace workspaces

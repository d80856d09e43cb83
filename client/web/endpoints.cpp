#include "client/web/endpoints.h"

#include "client/web/text.h"

#include <fstream>
#include <map>
#include <sstream>

namespace web {
namespace {

// "host" or "host:port"; a scheme or a trailing "/" someone typed is dropped.
// Anything else that cannot be a host keeps the default.
std::string host_value(std::string value)
{
    value = trim(value);
    if (to_lower_ascii(value.substr(0, 7)) == "http://")
        value.erase(0, 7);
    while (!value.empty() && value.back() == '/')
        value.pop_back();
    if (value.find_first_of(" \t/\\?#@\"'") != std::string::npos)
        return {};
    return value;
}

std::map<std::string, std::string> endpoint_section(std::istream& in)
{
    std::map<std::string, std::string> values;
    bool inside = false;
    bool first = true;
    for (std::string raw; std::getline(in, raw); first = false) {
        if (first && raw.rfind("\xEF\xBB\xBF", 0) == 0)
            raw.erase(0, 3);
        const std::string line = trim(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[') {
            inside = line.back() == ']' && trim(line.substr(1, line.size() - 2)) == "endpoints";
            continue;
        }
        const auto eq = line.find('=');
        if (inside && eq != std::string::npos)
            values[trim(line.substr(0, eq))] = line.substr(eq + 1);
    }
    return values;
}

}  // namespace

Endpoints default_endpoints()
{
    Endpoints e;
    e.account_server = "account.varnel.invalid";
    e.service_site = "www.varnel.invalid";
    e.aizhan = "www.aizhan.com";
    e.aizhan_whois = "whois.aizhan.com";
    e.baidu = "www.baidu.com";
    e.baidu_home = "www.baidu.com";
    e.so360 = "www.so.com";
    e.so360_results = "www.so.com";
    e.sogou = "www.sogou.com";
    return e;
}

Endpoints load_endpoints(const std::string& run_dir)
{
    Endpoints e = default_endpoints();
    std::ifstream in(run_dir + "/endpoints.ini", std::ios::binary);
    if (!in)
        return e;
    const auto values = endpoint_section(in);
    const std::pair<const char*, std::string*> keys[] = {
        {"account_server", &e.account_server}, {"service_site", &e.service_site},
        {"aizhan", &e.aizhan},                 {"aizhan_whois", &e.aizhan_whois},
        {"baidu", &e.baidu},                   {"baidu_home", &e.baidu_home},
        {"so360", &e.so360},                   {"so360_results", &e.so360_results},
        {"sogou", &e.sogou},
    };
    for (const auto& [key, field] : keys) {
        const auto it = values.find(key);
        if (it == values.end())
            continue;
        std::string host = host_value(it->second);
        if (!host.empty())
            *field = std::move(host);
    }
    return e;
}

}  // namespace web

#pragma once
// The publishing platforms the account server offers: a JSON object whose
// member names are platform names and whose values are their addresses.

#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace workspaces {

struct Platform {
    std::string name;
    std::string address;

    bool operator==(const Platform&) const = default;
};

// Members in the order the reply holds them (repeated names included). A
// string value is read as its text, any other value as its JSON text; double
// quotes are removed from both. Anything but a JSON object gives no platform.
std::vector<Platform> parse_platform_list(std::string_view reply);

// Fetches and parses the list from the account server
// (base = "http://host[:port]"); empty on any failure or when stopped.
std::vector<Platform> load_platform_list(const std::string& account_server_base,
                                         std::stop_token stop = {});

}  // namespace workspaces

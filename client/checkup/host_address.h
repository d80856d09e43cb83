#pragma once
// Host-name lookup of the site a check-up reports on.

#include <string>
#include <string_view>

namespace checkup {

// The host name part of a site address such as "www.example.com:8080" or
// "[::1]:80": no port, no path.
std::string host_name_of(std::string_view site);

// The IP address of the site's host as text (IPv4 dotted text when the host
// has one, else IPv6); empty when the lookup fails.
std::string host_address(std::string_view site);

}  // namespace checkup

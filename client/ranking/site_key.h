#pragma once
// What a result address is compared with, derived per engine from the
// account's site_url, and the one matching rule.

#include <string>
#include <string_view>

namespace ranking {

// site_url without any "http://", then "/"; empty when site_url is empty, so
// that an account without a site matches nothing here either.
std::string baidu_site_key(std::string_view site_url);
// site_url without any "http://".
std::string so360_site_key(std::string_view site_url);
// site_url unchanged.
std::string sogou_site_key(std::string_view site_url);

// Neither is empty and one occurs in the other (byte-wise, case-sensitive):
// a display address with a path holds the key, a shortened one is held by it.
bool address_matches(std::string_view address, std::string_view site_key);

}  // namespace ranking

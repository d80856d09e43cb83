#pragma once
// The keyword list the ranking page offers for an account.

#include <string>
#include <string_view>
#include <vector>

namespace ranking {

// Every item of seo_keywords split at ",", then every item of seo_extarea,
// untrimmed; an empty field gives no item.
std::vector<std::string> account_keywords(std::string_view seo_keywords,
                                          std::string_view seo_extarea);

// The account offers no keywords: the list is empty or starts with "null".
bool keywords_missing(const std::vector<std::string>& keywords);

}  // namespace ranking

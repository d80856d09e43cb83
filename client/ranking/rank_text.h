#pragma once
// The texts a rank look-up yields and the search job writes into the results.

#include <string>
#include <string_view>

namespace ranking {

// The page was read and listed results, none of them the site.
inline constexpr std::string_view kNotInTop100 = "100名以外";
// The engine's page could not be read: no reply, or a page without any
// result (a block page, a captcha, another layout). Not a ranking.
inline constexpr std::string_view kQueryFailed = "查询失败";
// The engine was not asked.
inline constexpr std::string_view kNotQueried = "-";

// "第" + position + "个".
std::string rank_at(std::string_view position);
// "第" + page + "页第" + position + "个".
std::string rank_on_page(int page, std::string_view position);

// The integer a text starts with: leading blanks, an optional sign, digits.
// 0 when there is no number (or it does not fit an int).
int leading_integer(std::string_view text);

// The page of a 360 rank text ("第3页第4个" gives 3); 0 for any other text.
int page_of_rank(std::string_view rank_text);

}  // namespace ranking

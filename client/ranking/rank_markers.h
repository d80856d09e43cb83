#pragma once
// Everything the client knows about the engines' result pages: the text
// markers it cuts them by. A page without them yields no result blocks.

#include <string_view>

namespace ranking::markers {

namespace baidu {
inline constexpr std::string_view block_start = R"(<div class="result c-container)";
inline constexpr std::string_view block_end = R"(</span><div)";
inline constexpr std::string_view address_start = R"(<span class="g">)";
inline constexpr std::string_view address_end = "&nbsp;";
inline constexpr std::string_view id_start = R"( id=")";
inline constexpr std::string_view id_end = R"(")";
}  // namespace baidu

namespace so360 {
inline constexpr std::string_view psid_start = R"( name="psid" value=")";
inline constexpr std::string_view psid_end = R"(")";
inline constexpr std::string_view result_start = R"(<h3 class="res-title)";
inline constexpr std::string_view result_end = "</h3>";
inline constexpr std::string_view link_start = R"(<a href=")";
inline constexpr std::string_view link_end = R"(")";
inline constexpr std::string_view host_start = "http://";
inline constexpr std::string_view host_end = "/";
inline constexpr std::string_view position_start = R"(,"pos":)";
inline constexpr std::string_view position_end = ",";
}  // namespace so360

namespace sogou {
inline constexpr std::string_view block_start = R"(<h3 class="pt">)";
inline constexpr std::string_view block_end = "<!-- z -->";
inline constexpr std::string_view rank_start = "RANK:";
inline constexpr std::string_view rank_end = "-->";
inline constexpr std::string_view link_start = R"(href=")";
inline constexpr std::string_view link_end = R"(")";
}  // namespace sogou

}  // namespace ranking::markers

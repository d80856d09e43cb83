#include "client/ranking/rank_text.h"

#include "client/web/text.h"

#include <charconv>
#include <limits>

namespace ranking {

std::string rank_at(std::string_view position)
{
    std::string text = "第";
    text += position;
    text += "个";
    return text;
}

std::string rank_on_page(int page, std::string_view position)
{
    std::string text = "第" + std::to_string(page) + "页第";
    text += position;
    text += "个";
    return text;
}

int leading_integer(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9')
        return 0;
    long long value = 0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    auto [end, error] = std::from_chars(first, last, value);
    if (end == first || error != std::errc{})
        return 0;
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return 0;
    return static_cast<int>(value);
}

int page_of_rank(std::string_view rank_text)
{
    return leading_integer(web::text_between(rank_text, "第", "页"));
}

}  // namespace ranking

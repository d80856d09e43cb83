#include "client/ranking/account_keywords.h"

namespace ranking {

namespace {

void append_items(std::vector<std::string>& out, std::string_view field)
{
    if (field.empty())
        return;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = field.find(',', from);
        if (comma == std::string_view::npos) {
            out.emplace_back(field.substr(from));
            return;
        }
        out.emplace_back(field.substr(from, comma - from));
        from = comma + 1;
    }
}

}  // namespace

std::vector<std::string> account_keywords(std::string_view seo_keywords,
                                          std::string_view seo_extarea)
{
    std::vector<std::string> keywords;
    append_items(keywords, seo_keywords);
    append_items(keywords, seo_extarea);
    return keywords;
}

bool keywords_missing(const std::vector<std::string>& keywords)
{
    return keywords.empty() || keywords.front() == "null";
}

}  // namespace ranking

#include "simulator/engine_results.h"

#include "simulator/template_text.h"

#include <charconv>

namespace sim {
namespace {

std::size_t number_or_zero(const std::string& text)
{
    std::size_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::set<std::string> flag_set(const std::string& text)
{
    std::set<std::string> flags;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        std::string one = text.substr(start, comma - start);
        if (!one.empty())
            flags.insert(one);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return flags;
}

}  // namespace

RankRule find_rank_rule(const SimWorld& world, const std::string& engine,
                        const std::string& keyword, bool paged)
{
    const auto rows = world.fixtures().table(engine + "/rankings.tsv");
    const std::vector<std::string>* chosen = nullptr;
    for (const auto& row : rows) {
        if (row.empty())
            continue;
        if (row[0] == keyword) {
            chosen = &row;
            break;
        }
        if (row[0] == "*" && !chosen)
            chosen = &row;
    }
    RankRule rule;
    if (!chosen)
        return rule;
    const auto cell = [&](std::size_t i) { return i < chosen->size() ? (*chosen)[i] : std::string(); };
    if (paged) {
        rule.page = number_or_zero(cell(1));
        rule.rank = number_or_zero(cell(2));
        rule.flags = flag_set(cell(3));
    } else {
        rule.rank = number_or_zero(cell(1));
        rule.flags = flag_set(cell(2));
    }
    return rule;
}

ResultItem filler_result(const SimWorld& world, const std::string& engine,
                         const std::string& keyword, std::size_t index)
{
    const auto rows = world.fixtures().table(engine + "/results.tsv");
    ResultItem item;
    if (rows.empty())
        return item;
    const auto& row = rows[(index - 1) % rows.size()];
    const TextValues values{{"keyword", html_escape(keyword)}, {"n", std::to_string(index)}};
    const auto cell = [&](std::size_t i) {
        return i < row.size() ? world.expand(row[i], values) : std::string();
    };
    item.title = cell(0);
    item.link = cell(1);
    item.display = cell(2);
    item.abstract = cell(3);
    item.date = "2024-0" + std::to_string(1 + index % 9) + "-1" + std::to_string(index % 10);
    return item;
}

ResultItem customer_result(const SimWorld& world, const std::string& keyword)
{
    ResultItem item;
    const std::string host = world.host("customer_site");
    item.title = html_escape(keyword) + "_" + html_escape(world.customer("web_name"));
    item.link = world.url("customer_site") + "/product/";
    item.display = host + "/product/";
    item.abstract = html_escape(world.customer("seo_description"));
    item.date = "2024-05-12";
    item.customer = true;
    return item;
}

std::string host_tail(const std::string& host)
{
    const auto dot = host.find('.');
    return dot == std::string::npos ? host : host.substr(dot + 1);
}

}  // namespace sim

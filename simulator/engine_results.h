#pragma once
// Result lists of the simulated search engines: filler results from
// fixtures/<engine>/results.tsv and, for the keywords listed in
// fixtures/<engine>/rankings.tsv, the demo customer's own result at its rank.

#include "simulator/sim_world.h"

#include <set>
#include <string>
#include <vector>

namespace sim {

struct ResultItem {
    std::string title;
    std::string link;
    std::string display;
    std::string abstract;
    std::string date;
    bool customer = false;
};

struct RankRule {
    std::size_t rank = 0;  // 1-based position; 0: the site is not listed
    std::size_t page = 0;  // for paged engines
    std::set<std::string> flags;
};

// The rankings.tsv row for `keyword` (the "*" row otherwise). Columns:
// keyword, rank, flags (comma separated); with `paged`: keyword, page,
// position, flags.
RankRule find_rank_rule(const SimWorld& world, const std::string& engine,
                        const std::string& keyword, bool paged);

// Filler result number `index` (1-based) for `keyword`.
ResultItem filler_result(const SimWorld& world, const std::string& engine,
                         const std::string& keyword, std::size_t index);

// The demo customer's own result for `keyword`.
ResultItem customer_result(const SimWorld& world, const std::string& keyword);

// Host of the customer's site without its first label ("0.0.1:8080" for
// "127.0.0.1:8080"): the shortened address some engines display.
std::string host_tail(const std::string& host);

}  // namespace sim

#include "client/ranking/rank_search.h"

#include "client/ranking/rank_engine.h"
#include "client/ranking/rank_text.h"
#include "client/ranking/search_selection.h"

namespace ranking {

void rank_search(const SearchSelection& selection, const std::string& site_url,
                 const RankEngine& engine, SearchSink& sink, std::stop_token stop)
{
    const std::string not_queried(kNotQueried);
    if (stop.stop_requested())
        return;
    sink.clear_results();
    const int count = selection.chosen_count();
    int number = 0;
    for (std::size_t index = 0; number < count; ++index) {
        if (stop.stop_requested())
            return;
        const std::optional<KeywordRow> row = selection.row(index);
        if (!row)
            break;
        if (!row->chosen)
            continue;
        ++number;
        const int result_row = number - 1;
        const std::string& keyword = row->keyword;
        sink.add_row(number, keyword);

        // Each column goes out as soon as it is known; nothing after a stop.
        auto write = [&](int column, const std::string& text) {
            if (stop.stop_requested())
                return false;
            sink.set_cell(result_row, column, text);
            return true;
        };
        if (!write(kColumnBaidu, selection.engine(Engine::Baidu)
                                     ? engine.rank_baidu(keyword, site_url, stop)
                                     : not_queried))
            return;
        if (!write(kColumn360, selection.engine(Engine::So360)
                                   ? engine.rank_360(keyword, site_url, kLast360Page, stop)
                                   : not_queried))
            return;
        if (!write(kColumnGoogle, not_queried))
            return;
        if (!write(kColumnSogou, selection.engine(Engine::Sogou)
                                     ? engine.rank_sogou(keyword, site_url, stop)
                                     : not_queried))
            return;
        if (!write(kColumnBing, not_queried))
            return;
    }
    if (!stop.stop_requested())
        sink.finished();
}

}  // namespace ranking

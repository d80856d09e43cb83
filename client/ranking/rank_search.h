#pragma once
// The search job: one result row per chosen keyword, each engine's column
// written as soon as its look-up returns.

#include <stop_token>
#include <string>

namespace ranking {

class RankEngine;
class SearchSelection;

// Columns of the results list.
enum ResultColumn : int {
    kColumnNumber = 0,
    kColumnKeyword = 1,
    kColumnBaidu = 2,
    kColumn360 = 3,
    kColumnGoogle = 4,
    kColumnSogou = 5,
    kColumnBing = 6,
    kResultColumns = 7,
};

// 360 Search is walked this many pages deep.
inline constexpr int kLast360Page = 10;

// Where the job's writes go, in the order it makes them. Called on the
// job's thread.
class SearchSink {
public:
    virtual ~SearchSink() = default;
    virtual void clear_results() = 0;
    // Appends result row `number` - 1 with its number and keyword.
    virtual void add_row(int number, const std::string& keyword) = 0;
    virtual void set_cell(int row, int column, const std::string& text) = 0;
    // The walk reached its end (not called when stopped).
    virtual void finished() = 0;
};

// Takes the chosen count once, walks the keyword rows (reading each row's
// flag and the engine ticks as it reaches them) and stops after the row
// numbered with that count or at the end of the list. A stop request ends
// it before its next write.
void rank_search(const SearchSelection& selection, const std::string& site_url,
                 const RankEngine& engine, SearchSink& sink, std::stop_token stop);

}  // namespace ranking

#pragma once
// What the search job reads while it runs: the keyword rows with their
// chosen flags and the three engine ticks. The page keeps it in step with
// its controls; the job reads it live from its worker. Thread-safe.

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace ranking {

enum class Engine { Baidu, So360, Sogou };

struct KeywordRow {
    std::string keyword;
    bool chosen = false;
};

class SearchSelection {
public:
    void set_rows(std::vector<KeywordRow> rows);
    void set_chosen(std::size_t row, bool chosen);
    void set_engine(Engine engine, bool ticked);

    std::size_t row_count() const;
    // Empty past the end of the list.
    std::optional<KeywordRow> row(std::size_t index) const;
    int chosen_count() const;
    bool engine(Engine engine) const;
    // Whether any of the three engines is ticked.
    bool any_engine() const;

private:
    mutable std::mutex m_mutex;
    std::vector<KeywordRow> m_rows;
    bool m_baidu = false;
    bool m_so360 = false;
    bool m_sogou = false;
};

}  // namespace ranking

#include "client/ranking/search_selection.h"

#include <algorithm>

namespace ranking {

void SearchSelection::set_rows(std::vector<KeywordRow> rows)
{
    std::lock_guard lock(m_mutex);
    m_rows = std::move(rows);
}

void SearchSelection::set_chosen(std::size_t row, bool chosen)
{
    std::lock_guard lock(m_mutex);
    if (row < m_rows.size())
        m_rows[row].chosen = chosen;
}

void SearchSelection::set_engine(Engine engine, bool ticked)
{
    std::lock_guard lock(m_mutex);
    switch (engine) {
    case Engine::Baidu: m_baidu = ticked; break;
    case Engine::So360: m_so360 = ticked; break;
    case Engine::Sogou: m_sogou = ticked; break;
    }
}

std::size_t SearchSelection::row_count() const
{
    std::lock_guard lock(m_mutex);
    return m_rows.size();
}

std::optional<KeywordRow> SearchSelection::row(std::size_t index) const
{
    std::lock_guard lock(m_mutex);
    if (index >= m_rows.size())
        return std::nullopt;
    return m_rows[index];
}

int SearchSelection::chosen_count() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(
        std::count_if(m_rows.begin(), m_rows.end(), [](const KeywordRow& r) { return r.chosen; }));
}

bool SearchSelection::engine(Engine engine) const
{
    std::lock_guard lock(m_mutex);
    switch (engine) {
    case Engine::Baidu: return m_baidu;
    case Engine::So360: return m_so360;
    case Engine::Sogou: return m_sogou;
    }
    return false;
}

bool SearchSelection::any_engine() const
{
    std::lock_guard lock(m_mutex);
    return m_baidu || m_so360 || m_sogou;
}

}  // namespace ranking

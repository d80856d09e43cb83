#include "client/workspaces/tick_board.h"

namespace workspaces {

void TickBoard::reset(std::size_t rows)
{
    std::lock_guard lock(m_mutex);
    m_ticks.assign(rows, false);
}

void TickBoard::set(std::size_t row, bool ticked)
{
    std::lock_guard lock(m_mutex);
    if (row < m_ticks.size())
        m_ticks[row] = ticked;
}

bool TickBoard::ticked(std::size_t row) const
{
    std::lock_guard lock(m_mutex);
    return row < m_ticks.size() && m_ticks[row];
}

}  // namespace workspaces

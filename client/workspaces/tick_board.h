#pragma once
// The ticks of the platform list as the publishing run reads them: the GUI
// writes each change here, the run's thread reads a row when it gets there.

#include <cstddef>
#include <mutex>
#include <vector>

namespace workspaces {

class TickBoard {
public:
    // `rows` rows, none ticked.
    void reset(std::size_t rows);
    void set(std::size_t row, bool ticked);
    // False for a row the list no longer has.
    bool ticked(std::size_t row) const;

private:
    mutable std::mutex m_mutex;
    std::vector<bool> m_ticks;
};

}  // namespace workspaces

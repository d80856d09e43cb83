#include "client/workspaces/tick_board.h"

#include <gtest/gtest.h>

namespace {

TEST(TickBoard, RowsOutsideTheListAreNeverTicked)
{
    workspaces::TickBoard board;
    EXPECT_FALSE(board.ticked(0));
    board.reset(3);
    board.set(1, true);
    board.set(7, true);  // a row the list does not have
    const bool expected[] = {false, true, false, false, false, false, false, false};
    for (std::size_t row = 0; row < std::size(expected); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(board.ticked(row), expected[row]);
    }
    board.reset(3);
    EXPECT_FALSE(board.ticked(1));
}

}  // namespace

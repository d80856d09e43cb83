#include "update/progress.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressTest, StatusLineCountsThousandsRoundedDown)
{
    const struct {
        update::ProgressSample sample;
        const char* line;
    } cases[] = {
        {{153600, 5000000, 2345678, 0}, "正在更新：153 KB/S 大小：5000 KB 已下载：2345 KB"},
        {{0, 999, 999, 0}, "正在更新：0 KB/S 大小：0 KB 已下载：0 KB"},
        {{1000, 0, 0, 0}, "正在更新：1 KB/S 大小：0 KB 已下载：0 KB"},
        {{1999, 3999999999, 2999999999, 0}, "正在更新：1 KB/S 大小：3999999 KB 已下载：2999999 KB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(update::status_line(c.sample), c.line);
    }
}

TEST(ProgressTest, PercentageRoundsDownAndIsZeroWithoutSize)
{
    const struct {
        std::int64_t done;
        std::int64_t total;
        int percent;
    } cases[] = {
        {2345678, 5000000, 46},
        {999, 999, 100},
        {998, 999, 99},
        {0, 5000000, 0},
        {12345, 0, 0}, // size not known yet
        {1, 3, 33},
        {2, 3, 66},
        {3000000000, 3000000000, 100}, // beyond 32 bits
        {29, 100, 29},                 // 28.999999999999996 in floating point
        {57, 100, 57},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.done) + "/" + std::to_string(c.total));
        EXPECT_EQ(update::percentage(c.done, c.total), c.percent);
    }
}

} // namespace

#include "client/account/service_period.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using account::parse_date_time;
using account::service_period;

web::LocalTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    web::LocalTime t;
    t.year = y;
    t.month = mo;
    t.day = d;
    t.hour = h;
    t.minute = mi;
    t.second = s;
    return t;
}

TEST(ServicePeriod, DateTexts)
{
    const double jan1 = *parse_date_time("2024-01-01");
    struct Case {
        const char* text;
        std::optional<double> days_after_jan1;
    };
    const Case cases[] = {
        {"2024-01-01", 0.0},
        {"2024/1/2", 1.0},
        {"2024.01.31", 30.0},
        {"2024年3月1日", 60.0},  // leap year
        {"2024-01-01 12:00", 0.5},
        {"2024-01-01 06:00:00", 0.25},
        {"  2024-01-01T18:00:00 ", 0.75},
        {"2023-02-29", std::nullopt},
        {"2024-13-01", std::nullopt},
        {"2024-01-01 24:00", std::nullopt},
        {"2024-01-01x", std::nullopt},
        {"2024-01/01", std::nullopt},
        {"1704067200", std::nullopt},
        {"", std::nullopt},
        {"null", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<double> parsed = parse_date_time(c.text);
        ASSERT_EQ(parsed.has_value(), c.days_after_jan1.has_value());
        if (parsed) {
            EXPECT_DOUBLE_EQ(*parsed - jan1, *c.days_after_jan1);
        }
    }
    EXPECT_EQ(*parse_date_time("1899-12-30"), 0.0);  // the zero date
    EXPECT_EQ(*parse_date_time("1900-01-01"), 2.0);
}

TEST(ServicePeriod, BarAndCaptions)
{
    struct Case {
        const char* start;
        const char* end;
        web::LocalTime now;
        long long r;
        int percent;
        int width;
        const char* caption;
    };
    const Case cases[] = {
        // 100 of 365 days left: 27 % of 150 pixels
        {"2024-01-01", "2024-12-31", at(2024, 9, 22), 100, 27, 40, "101/365"},
        // the last day: nothing left to draw, one day to use
        {"2024-01-01", "2024-12-31", at(2024, 12, 31), 0, 0, 0, "1/365"},
        {"2024-01-01", "2024-12-31", at(2024, 12, 30, 23, 59, 59), 0, 0, 0, "1/365"},
        {"2024-01-01", "2024-12-31", at(2024, 12, 30, 8), 0, 0, 0, "1/365"},
        // the first day: the whole bar
        {"2024-01-01", "2024-12-31", at(2024, 1, 1), 365, 100, 150, "366/365"},
        // expired: never a negative width
        {"2024-01-01", "2024-12-31", at(2025, 1, 10), -10, -2, 0, "-9/365"},
        // not started yet: never wider than the ground
        {"2024-01-01", "2024-01-31", at(2023, 12, 1), 61, 203, 150, "62/30"},
        // half days count in t
        {"2024-01-01 12:00", "2024-01-31", at(2024, 1, 16), 15, 50, 75, "16/29.5"},
        // no period at all: no division
        {"2024-01-01", "2024-01-01", at(2023, 12, 31), 1, 0, 0, "2/0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " .. " + c.end + " now " + std::to_string(c.now.month) +
                     "-" + std::to_string(c.now.day));
        const account::ServicePeriod p = service_period(c.start, c.end, c.now);
        EXPECT_EQ(p.remaining_days, c.r);
        EXPECT_EQ(p.percent, c.percent);
        EXPECT_EQ(p.bar_width, c.width);
        EXPECT_EQ(p.caption, c.caption);
        EXPECT_EQ(p.tooltip, "您还可以使用" + std::to_string(c.r + 1) + "天");
    }
}

TEST(ServicePeriod, UnreadableDatesCountAsTheZeroDate)
{
    const account::ServicePeriod p = service_period("garbage", "2024-01-01", at(2023, 12, 31));
    EXPECT_EQ(p.total_days, *parse_date_time("2024-01-01"));
    EXPECT_EQ(p.remaining_days, 1);
    EXPECT_EQ(p.bar_width, 0);  // 1 of ~45 000 days
    const account::ServicePeriod q = service_period("2024-01-01", "", at(2024, 1, 1));
    EXPECT_LT(q.remaining_days, -45000);
    EXPECT_EQ(q.bar_width, 0);
    EXPECT_EQ(q.caption.substr(q.caption.find('/')), "/-45292");
}

}  // namespace

// The clock-driven routines, with the local clock replaced.

#include "client/web/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

web::LocalClock at(int y, int mo, int d, int h = 12, int mi = 0, int s = 0, int ms = 0)
{
    return [=] { return web::LocalTime{y, mo, d, h, mi, s, ms}; };
}

TEST(MillisecondTimestamp, CountsSecondsFromEightOClockLocalThenMilliseconds)
{
    const struct {
        web::LocalClock clock;
        std::string expected;
    } cases[] = {
        {at(1970, 1, 1, 8, 0, 1, 5), "1005"},
        {at(1970, 1, 1, 8, 0, 0, 0), "0000"},
        {at(2015, 8, 20, 12, 0, 0, 42), "1440043200042"},
        {at(2000, 2, 29, 8, 0, 0, 999), "951782400999"},
        {at(1970, 1, 1, 7, 59, 59, 0), "-1000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(web::millisecond_timestamp(c.clock), c.expected);
    }
}

TEST(MillisecondTimestamp, SystemClockGivesThirteenDigits)
{
    const std::string stamp = web::millisecond_timestamp();
    EXPECT_EQ(stamp.size(), 13u);
    EXPECT_EQ(stamp.find_first_not_of("0123456789"), std::string::npos);
}

TEST(DomainAge, CountsYearsMonthsAndDays)
{
    const struct {
        web::LocalClock today;
        std::string date;
        std::string expected;
    } cases[] = {
        {at(2015, 8, 20), "2010-05-10", "5年3个月11天"},
        {at(2015, 8, 10), "2010-05-10", "5年2个月31天"},
        {at(2015, 3, 20), "2010-11-05", "4年4个月16天"},
        {at(2015, 8, 20), "2010/05/10", ""},
        {at(2015, 8, 20), "2010-05", ""},
        {at(2015, 8, 20), "2010-05-10-", ""},
        {at(2015, 8, 20), "", ""},
        {at(2015, 8, 20), "x-y-z", "2015年8个月21天"},
        {at(2015, 8, 20), "99999999999999999999-1-1", "-999999997984年7个月20天"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        EXPECT_EQ(web::domain_age(c.date, c.today), c.expected);
    }
}

}  // namespace

// The local-clock routines: the millisecond time stamp and a domain's age.

#include "client/web/text.h"

#include <chrono>
#include <ctime>

namespace web {

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian); any
// month or day value is accepted and carried arithmetically.
long long days_from_civil(long long y, long long m, long long d)
{
    y += (m - 1) / 12;
    m = (m - 1) % 12 + 1;
    if (m <= 0) {
        m += 12;
        y -= 1;
    }
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// Leading decimal number of a date part; 0 when there is none. Saturates
// rather than overflowing on absurdly long digit runs.
long long part_number(std::string_view part)
{
    std::size_t i = 0;
    while (i < part.size() && (part[i] == ' ' || part[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < part.size() && (part[i] == '-' || part[i] == '+'))
        negative = part[i++] == '-';
    long long value = 0;
    for (; i < part.size() && part[i] >= '0' && part[i] <= '9'; ++i) {
        if (value < 100000000000LL)
            value = value * 10 + (part[i] - '0');
    }
    return negative ? -value : value;
}

}  // namespace

LocalTime system_local_time()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    ::localtime_r(&seconds, &tm);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    LocalTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    t.millisecond = static_cast<int>((ms.count() + 1000) % 1000);
    return t;
}

std::string millisecond_timestamp(const LocalClock& clock)
{
    const LocalTime t = clock ? clock() : system_local_time();
    // Both ends are local times, so on a UTC+8 clock this is Unix time.
    const long long seconds = days_from_civil(t.year, t.month, t.day) * 86400LL +
                              (t.hour - 8) * 3600LL + t.minute * 60LL + t.second;
    const int ms = ((t.millisecond % 1000) + 1000) % 1000;
    std::string out = std::to_string(seconds);
    out += static_cast<char>('0' + ms / 100);
    out += static_cast<char>('0' + ms / 10 % 10);
    out += static_cast<char>('0' + ms % 10);
    return out;
}

std::string domain_age(std::string_view date, const LocalClock& clock)
{
    const std::size_t first = date.find('-');
    if (first == std::string_view::npos)
        return {};
    const std::size_t second = date.find('-', first + 1);
    if (second == std::string_view::npos || date.find('-', second + 1) != std::string_view::npos)
        return {};
    const long long Y = part_number(date.substr(0, first));
    const long long M = part_number(date.substr(first + 1, second - first - 1));
    const long long D = part_number(date.substr(second + 1));

    const LocalTime now = clock ? clock() : system_local_time();
    const long long y = now.year;
    const long long m = now.month;
    const long long d = now.day;

    // Months count as 30 days and the day of the date itself is counted.
    long long years = 0;
    long long months = 0;
    long long days = 0;
    if (d > D) {
        days = d - D + 1;
        if (m > M) {
            months = m - M;
            years = y - Y;
        } else {
            months = 12 - M + m;
            years = y - Y - 1;
        }
    } else {
        days = 30 - D + d + 1;
        if (m > M) {
            months = m - M - 1;
            years = y - Y;
        } else {
            months = 12 - M + m - 1;
            years = y - Y - 1;
        }
    }
    return std::to_string(years) + "年" + std::to_string(months) + "个月" + std::to_string(days) +
           "天";
}

}  // namespace web

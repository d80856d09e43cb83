#include "client/account/service_period.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace account {
namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// 1899-12-30 is day 0.
const std::int64_t kZeroDateOffset = days_from_civil(1899, 12, 30);

bool is_leap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int days_in_month(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && is_leap(y) ? 29 : days[m - 1];
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : m_text(text) {}

    bool at_end() const { return m_pos >= m_text.size(); }
    void skip_blanks()
    {
        while (!at_end() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
            ++m_pos;
    }
    bool number(int max_digits, int& out)
    {
        std::size_t start = m_pos;
        long value = 0;
        while (!at_end() && m_pos - start < static_cast<std::size_t>(max_digits) &&
               m_text[m_pos] >= '0' && m_text[m_pos] <= '9')
            value = value * 10 + (m_text[m_pos++] - '0');
        if (m_pos == start || (!at_end() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9'))
            return false;
        out = static_cast<int>(value);
        return true;
    }
    bool literal(std::string_view s)
    {
        if (m_text.substr(m_pos, s.size()) != s)
            return false;
        m_pos += s.size();
        return true;
    }
    bool one_of(std::string_view chars, char& which)
    {
        if (at_end() || chars.find(m_text[m_pos]) == std::string_view::npos)
            return false;
        which = m_text[m_pos++];
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace

std::optional<double> parse_date_time(std::string_view text)
{
    Scanner in(text);
    in.skip_blanks();
    int year = 0, month = 0, day = 0;
    if (!in.number(4, year))
        return std::nullopt;
    char sep = 0;
    if (in.literal("年")) {
        if (!in.number(2, month) || !in.literal("月") || !in.number(2, day))
            return std::nullopt;
        in.literal("日");
    } else {
        char second = 0;
        if (!in.one_of("-/.", sep) || !in.number(2, month) || !in.one_of("-/.", second) ||
            second != sep || !in.number(2, day))
            return std::nullopt;
    }
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > days_in_month(year, month))
        return std::nullopt;

    int hour = 0, minute = 0, second = 0;
    in.skip_blanks();
    if (!in.at_end()) {
        if (in.literal("T"))
            in.skip_blanks();
        if (!in.number(2, hour) || !in.literal(":") || !in.number(2, minute))
            return std::nullopt;
        if (in.literal(":") && !in.number(2, second))
            return std::nullopt;
        in.skip_blanks();
        if (!in.at_end() || hour > 23 || minute > 59 || second > 59)
            return std::nullopt;
    }
    const std::int64_t days = days_from_civil(year, static_cast<unsigned>(month),
                                              static_cast<unsigned>(day)) - kZeroDateOffset;
    return static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

double to_day_number(const web::LocalTime& t)
{
    const std::int64_t days = days_from_civil(t.year, static_cast<unsigned>(t.month),
                                              static_cast<unsigned>(t.day)) - kZeroDateOffset;
    const double seconds = t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0;
    return static_cast<double>(days) + seconds / 86400.0;
}

std::string day_count_text(double days)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, days);
    if (ec != std::errc())
        return {};
    return std::string(buffer, end);
}

ServicePeriod service_period(std::string_view start, std::string_view end,
                             const web::LocalTime& now)
{
    const double start_day = parse_date_time(start).value_or(0.0);
    const double end_day = parse_date_time(end).value_or(0.0);

    ServicePeriod period;
    period.remaining_days = static_cast<long long>(std::floor(end_day - to_day_number(now)));
    period.total_days = end_day - start_day;
    // A period of no length (or a reversed one) would divide by zero; it
    // shows an empty bar instead.
    if (period.total_days > 0) {
        const double percent = std::trunc(static_cast<double>(period.remaining_days) /
                                          period.total_days * 100.0);
        period.percent = static_cast<int>(std::clamp(percent, -1.0e9, 1.0e9));
    }
    const int width = static_cast<int>(std::trunc(period.percent * 1.5));
    period.bar_width = std::clamp(width, 0, kPeriodBarWidth);

    const std::string days_left = std::to_string(period.remaining_days + 1);
    period.caption = days_left + "/" + day_count_text(period.total_days);
    period.tooltip = "您还可以使用" + days_left + "天";
    return period;
}

}  // namespace account

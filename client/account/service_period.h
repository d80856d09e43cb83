#pragma once
// The service period shown in the account panel: days left, days in all,
// the filled share of the period bar, and the texts around it.

#include "client/web/text.h"

#include <optional>
#include <string>
#include <string_view>

namespace account {

// Date-time as days since 1899-12-30 00:00 (the zero date), fractions for the
// time of day. Accepts year, month and day separated by "-", "/" or ".", or
// written 2024年1月31日, optionally followed by a time of day H:M or H:M:S.
// Nothing else, and no impossible date, converts.
std::optional<double> parse_date_time(std::string_view text);
double to_day_number(const web::LocalTime& time);

inline constexpr int kPeriodBarWidth = 150;

struct ServicePeriod {
    long long remaining_days = 0;  // r: days to the end, rounded down
    double total_days = 0;         // t: end minus start, fractions kept
    int percent = 0;               // r / t * 100, truncated; 0 when t is not positive
    int bar_width = 0;             // percent * 1.5, truncated, kept within 0..150
    std::string caption;           // "r+1/t"
    std::string tooltip;           // "您还可以使用" r+1 "天"
};

// Texts that do not convert count as the zero date.
ServicePeriod service_period(std::string_view start, std::string_view end,
                             const web::LocalTime& now);

// Shortest decimal text of a number of days ("365", "30.5").
std::string day_count_text(double days);

}  // namespace account

#pragma once
// Text and charset routines. Text is UTF-8 in std::string throughout the
// program; GBK appears only where bytes are fixed (config.ini, byte counts).
// Positions are byte offsets; "not found" is std::string::npos.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace web {

// Converts bytes between two iconv charsets. Empty `from` means "UTF-8",
// empty `to` means "GBK". Invalid input bytes become U+FFFD (to UTF-8) or
// the target's replacement; never throws, never returns raw invalid bytes
// when the target is UTF-8. A character the target lacks becomes "?".
// Empty when either charset is unknown.
std::string convert_charset(std::string_view bytes, std::string_view from = {},
                            std::string_view to = {});

// GBK/GB18030 <-> UTF-8 shorthands used at the fixed-byte edges.
std::string utf8_to_gbk(std::string_view utf8);   // GB18030 on output: nothing is lost
std::string gbk_to_utf8(std::string_view gbk);
// Number of bytes `utf8` occupies in GBK (GB18030) encoding.
std::size_t gbk_length(std::string_view utf8);

// Text between the first `left` and the first `right` at or after it. In both
// markers "#引号" stands for one double quote. Empty when a marker is missing;
// an empty marker counts as missing (here and in the routines below).
std::string text_between(std::string_view text, std::string_view left, std::string_view right,
                         bool ignore_case = false);
std::string text_between_ci(std::string_view text, std::string_view left, std::string_view right);
// From the start of the first `start` (included) to before the next `end`
// after it, or to the end of the text; empty when `start` is missing.
std::string text_from_marker(std::string_view text, std::string_view start, std::string_view end);

// ASCII-only case folding helpers.
std::size_t find_ci(std::string_view hay, std::string_view needle, std::size_t from = 0);
std::string to_lower_ascii(std::string_view s);
std::string to_upper_ascii(std::string_view s);
// Trims blanks (space, tab, CR, LF) at both ends.
std::string trim(std::string_view s);
// Pieces between separators; the empty piece after a final separator is not
// a piece, other empty pieces are kept. Empty input gives no pieces.
std::vector<std::string> split(std::string_view s, std::string_view sep);
std::string replace_all(std::string_view s, std::string_view from, std::string_view to);

// The local wall clock, replaceable in tests. Returns local broken-down time.
struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0, millisecond = 0;
};
using LocalClock = std::function<LocalTime()>;
LocalTime system_local_time();

// Whole seconds from 1970-01-01 08:00:00 local to now (local), then three
// millisecond digits.
std::string millisecond_timestamp(const LocalClock& clock = system_local_time);
// "Y年M个月D天" age of a year-month-day date; empty unless three "-" parts.
// A part that is not a number counts as 0. Months count as 30 days and the
// date's own day is counted, as the service has always shown it.
std::string domain_age(std::string_view date, const LocalClock& clock = system_local_time);

// Every byte of the UTF-8 text as "%XX", upper-case hex, nothing left plain.
std::string percent_encode_utf8(std::string_view utf8);
// A fetched page as UTF-8 text: invalid sequences replaced, cut at the first NUL.
std::string decode_utf8_page(std::string_view bytes);
// Every text between a `start` marker and the next `end` marker, both found
// ignoring ASCII case, trimmed of ASCII and full-width (U+3000) spaces. The
// next start marker is looked for from where the end marker began. A block
// that is empty after trimming ends the list. One left-to-right scan.
std::vector<std::string> collect_between(std::string_view text, std::string_view start,
                                         std::string_view end);

}  // namespace web

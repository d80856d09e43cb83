#pragma once
// The animated scan's arithmetic: the progress position is the offset, in
// pixels, of the progress picture inside its frame, and each stretch of
// positions reveals one group of the report.

#include <string>

namespace checkup {

constexpr int kProgressEnd = 400;   // frame width: the position that ends the scan
constexpr int kStepMin = 1;         // each step advances by a random 1..4
constexpr int kStepMax = 4;

// The position divided by 4, rounded down, then "%".
std::string percent_text(int position);

// Which group of the report a position makes visible.
enum class RevealGroup {
    SeoHeading,  // below 10: the heading and the Baidu weight value
    Links,       // 10-49: weight caption, links and backlinks
    IndexCounts, // 100-149
    DomainInfo,  // 200-209: heading, IP, age, ICP record
    DomainDates, // 300-329: creation and expiry dates
    Finished,    // 400 and more: end of the scan
    None,        // the stretches in between
};
RevealGroup reveal_group(int position);

}  // namespace checkup

#include "client/web/charset_utf8.h"

#include <cstdint>
#include <cstring>

namespace web {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

struct LeadRule {
    std::size_t length;       // 0: never a lead byte
    unsigned char second_lo;  // range allowed for the second byte
    unsigned char second_hi;
};

// The well-formed byte sequences of UTF-8 (no overlongs, no surrogates,
// nothing above U+10FFFF).
LeadRule lead_rule(unsigned char c)
{
    if (c >= 0xC2 && c <= 0xDF)
        return {2, 0x80, 0xBF};
    if (c == 0xE0)
        return {3, 0xA0, 0xBF};
    if ((c >= 0xE1 && c <= 0xEC) || c == 0xEE || c == 0xEF)
        return {3, 0x80, 0xBF};
    if (c == 0xED)
        return {3, 0x80, 0x9F};
    if (c == 0xF0)
        return {4, 0x90, 0xBF};
    if (c >= 0xF1 && c <= 0xF3)
        return {4, 0x80, 0xBF};
    if (c == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// Number of bytes of the sequence at `s` that are valid so far; equals the
// rule's length when the whole sequence is well formed.
std::size_t valid_prefix(const unsigned char* s, std::size_t available, const LeadRule& rule)
{
    std::size_t k = 1;
    for (; k < rule.length; ++k) {
        if (k >= available)
            break;
        const unsigned char lo = k == 1 ? rule.second_lo : 0x80;
        const unsigned char hi = k == 1 ? rule.second_hi : 0xBF;
        if (s[k] < lo || s[k] > hi)
            break;
    }
    return k;
}

}  // namespace

std::size_t utf8_sequence_length(std::string_view bytes)
{
    if (bytes.empty())
        return 0;
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    if (s[0] < 0x80)
        return 1;
    const LeadRule rule = lead_rule(s[0]);
    if (rule.length == 0)
        return 0;
    return valid_prefix(s, bytes.size(), rule) == rule.length ? rule.length : 0;
}

std::string sanitize_utf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = i;
        // Pages are mostly ASCII: skip it eight bytes at a time.
        while (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, s + i, 8);
            if (word & 0x8080808080808080ull)
                break;
            i += 8;
        }
        while (i < n && s[i] < 0x80)
            ++i;
        out.append(bytes.data() + run, i - run);
        if (i >= n)
            break;

        const LeadRule rule = lead_rule(s[i]);
        if (rule.length == 0) {
            out += kReplacement;
            ++i;
            continue;
        }
        const std::size_t valid = valid_prefix(s + i, n - i, rule);
        if (valid == rule.length)
            out.append(bytes.data() + i, valid);
        else
            out += kReplacement;
        i += valid;
    }
    return out;
}

}  // namespace web

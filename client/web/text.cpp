// The marker-cutting family and the small string helpers.

#include "client/web/text.h"

#include "client/web/text_fold.h"

#include <algorithm>

namespace web {

namespace {

constexpr std::string_view kQuoteWord = "#引号";

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// An empty marker marks nothing: it is treated as missing.
std::size_t find_marker(std::string_view text, std::string_view marker, std::size_t from,
                        bool ignore_case)
{
    if (marker.empty())
        return std::string_view::npos;
    return ignore_case ? find_ci(text, marker, from) : find_bytes(text, marker, from);
}

std::string between(std::string_view text, std::string_view left, std::string_view right,
                    bool ignore_case)
{
    const std::size_t l = find_marker(text, left, 0, ignore_case);
    if (l == std::string_view::npos)
        return {};
    const std::size_t begin = l + left.size();
    const std::size_t r = find_marker(text, right, begin, ignore_case);
    if (r == std::string_view::npos)
        return {};
    return std::string(text.substr(begin, r - begin));
}

}  // namespace

std::size_t find_ci(std::string_view hay, std::string_view needle, std::size_t from)
{
    std::string folded_needle;
    append_folded(folded_needle, needle);
    return find_folded(hay, folded_needle, from);
}

std::string to_lower_ascii(std::string_view s)
{
    std::string out;
    append_folded(out, s);
    return out;
}

std::string to_upper_ascii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
    return out;
}

std::string trim(std::string_view s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && is_blank(s[b]))
        ++b;
    while (e > b && is_blank(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

std::vector<std::string> split(std::string_view s, std::string_view sep)
{
    std::vector<std::string> pieces;
    if (s.empty())
        return pieces;
    if (sep.empty()) {
        pieces.emplace_back(s);
        return pieces;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t hit = s.find(sep, start);
        if (hit == std::string_view::npos) {
            if (start < s.size())
                pieces.emplace_back(s.substr(start));
            break;
        }
        pieces.emplace_back(s.substr(start, hit - start));
        start = hit + sep.size();
    }
    return pieces;
}

std::string replace_all(std::string_view s, std::string_view from, std::string_view to)
{
    if (from.empty())
        return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t start = 0;
    while (true) {
        const std::size_t hit = find_bytes(s, from, start);
        if (hit == std::string_view::npos)
            break;
        out.append(s.substr(start, hit - start));
        out.append(to);
        start = hit + from.size();
    }
    out.append(s.substr(start));
    return out;
}

std::string text_between(std::string_view text, std::string_view left, std::string_view right,
                         bool ignore_case)
{
    const std::string l = replace_all(left, kQuoteWord, "\"");
    const std::string r = replace_all(right, kQuoteWord, "\"");
    return between(text, l, r, ignore_case);
}

std::string text_between_ci(std::string_view text, std::string_view left, std::string_view right)
{
    return between(text, left, right, true);
}

std::string text_from_marker(std::string_view text, std::string_view start, std::string_view end)
{
    const std::size_t s = find_marker(text, start, 0, true);
    if (s == std::string_view::npos)
        return {};
    const std::size_t e = find_marker(text, end, s + start.size(), true);
    if (e == std::string_view::npos)
        return std::string(text.substr(s));
    return std::string(text.substr(s, e - s));
}

std::string percent_encode_utf8(std::string_view utf8)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        out += '%';
        out += kHex[b >> 4];
        out += kHex[b & 0x0F];
    }
    return out;
}

}  // namespace web

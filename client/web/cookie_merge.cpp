// merge_cookies: one cookie string merged into another.

#include "client/web/cookies.h"

#include "client/web/cookie_segments.h"
#include "client/web/text.h"
#include "client/web/text_fold.h"

namespace web {

namespace {

bool is_deletion(std::string_view pair)
{
    return pair.ends_with('=') || pair.ends_with("=deleted");
}

void close_with_semicolon(std::string& s)
{
    s = trim(s);
    if (!s.empty() && s.back() != ';')
        s += ';';
}

// The pieces of a cookie string split at ";", the empty one after the last
// ";" left out.
template <typename F> void for_each_piece(std::string_view s, F&& f)
{
    std::size_t start = 0;
    while (start < s.size()) {
        std::size_t end = s.find(';', start);
        if (end == std::string_view::npos)
            end = s.size();
        f(s.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

std::string merge_cookies(std::string& base, std::string& extra)
{
    close_with_semicolon(base);
    close_with_semicolon(extra);

    CookieSegments segments(base);
    for_each_piece(extra, [&](std::string_view piece) {
        const std::size_t eq = piece.find('=');
        if (eq == std::string_view::npos)
            return;
        const std::string_view name = piece.substr(0, eq);
        if (trim(name).empty())
            return;
        std::string folded_name;
        append_folded(folded_name, name);
        // The name is looked for as plain text anywhere in the string, so it
        // may be found inside another pair; that pair's text from the name to
        // its ";" is what gets replaced, in every copy.
        const auto hit = segments.find_first(folded_name);
        if (!hit)
            segments.append(piece);
        else
            segments.replace_all(segments.folded_tail(*hit), piece);
    });

    std::string merged;
    merged.reserve(base.size() + extra.size());
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const std::string pair = trim(segments.segment(i));
        if (pair.empty() || is_deletion(pair))
            continue;
        merged += pair;
        merged += "; ";
    }
    base = trim(merged);
    return base;
}

}  // namespace web

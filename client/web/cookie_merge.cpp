// merge_cookies: one cookie string merged into another.

#include "client/web/cookies.h"

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
template <typename F>
void for_each_piece(std::string_view s, F&& f)
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

    // `folded` mirrors `base` with ASCII letters lower-cased; byte offsets
    // agree, so a hit in one is a hit in the other.
    std::string folded;
    append_folded(folded, base);

    for_each_piece(extra, [&](std::string_view piece) {
        const std::size_t eq = piece.find('=');
        if (eq == std::string_view::npos)
            return;
        const std::string_view name = piece.substr(0, eq);
        if (trim(name).empty())
            return;
        std::string folded_name;
        append_folded(folded_name, name);
        const std::size_t at = find_bytes(folded, folded_name);
        if (at == std::string_view::npos) {
            base.append(piece);
            base += ';';
            append_folded(folded, piece);
            folded += ';';
            return;
        }
        // The old pair runs from the name to the next ";" after it; every
        // copy of that text is replaced by the new piece.
        std::size_t old_end = base.find(';', at + name.size());
        if (old_end == std::string::npos)
            old_end = base.size();
        const std::string folded_old = folded.substr(at, old_end - at);
        std::string new_base;
        std::string new_folded;
        new_base.reserve(base.size() + piece.size());
        new_folded.reserve(base.size() + piece.size());
        std::size_t copied = 0;
        for (std::size_t hit = at; hit != std::string_view::npos;
             hit = find_bytes(folded, folded_old, copied)) {
            new_base.append(base, copied, hit - copied);
            new_folded.append(folded, copied, hit - copied);
            new_base.append(piece);
            append_folded(new_folded, piece);
            copied = hit + folded_old.size();
        }
        new_base.append(base, copied);
        new_folded.append(folded, copied);
        base.swap(new_base);
        folded.swap(new_folded);
    });

    std::string merged;
    merged.reserve(base.size());
    for_each_piece(base, [&](std::string_view piece) {
        const std::string pair = trim(piece);
        if (pair.empty() || is_deletion(pair))
            return;
        merged += pair;
        merged += "; ";
    });
    base = trim(merged);
    return base;
}

}  // namespace web

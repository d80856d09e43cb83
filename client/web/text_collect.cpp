// collect_between: every block between two markers of a result page.

#include "client/web/text.h"

#include "client/web/text_fold.h"

namespace web {

namespace {

constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";  // U+3000

std::string_view trim_spaces(std::string_view s)
{
    while (true) {
        if (!s.empty() && s.front() == ' ')
            s.remove_prefix(1);
        else if (s.starts_with(kFullWidthSpace))
            s.remove_prefix(kFullWidthSpace.size());
        else
            break;
    }
    while (true) {
        if (!s.empty() && s.back() == ' ')
            s.remove_suffix(1);
        else if (s.ends_with(kFullWidthSpace))
            s.remove_suffix(kFullWidthSpace.size());
        else
            break;
    }
    return s;
}

}  // namespace

std::vector<std::string> collect_between(std::string_view text, std::string_view start,
                                         std::string_view end)
{
    std::vector<std::string> blocks;
    if (start.empty() || end.empty())
        return blocks;
    std::string folded_start;
    std::string folded_end;
    append_folded(folded_start, start);
    append_folded(folded_end, end);

    // Every search moves forward only: the page is scanned once.
    std::size_t pos = 0;
    while (true) {
        const std::size_t s = find_folded(text, folded_start, pos);
        if (s == std::string_view::npos)
            break;
        const std::size_t inner = s + start.size();
        const std::size_t e = find_folded(text, folded_end, inner);
        if (e == std::string_view::npos)
            break;
        const std::string_view block = trim_spaces(text.substr(inner, e - inner));
        // A blank block ends the list: later blocks are not collected.
        if (block.empty())
            break;
        blocks.emplace_back(block);
        // The next start marker is looked for from where this end marker
        // begins, so a marker can close one block and open the next.
        pos = e;
    }
    return blocks;
}

}  // namespace web

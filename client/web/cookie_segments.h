#pragma once
// The working form of a cookie string during a merge: the text between
// ";" separators, each piece with its ASCII-folded copy. Names and old
// pairs never contain ";", so every match lies inside one segment, segments
// never move, and a large merge can index them by short grams instead of
// rescanning the whole string for every name.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace web {

class CookieSegments {
public:
    // `text` is empty or ends with ";".
    explicit CookieSegments(std::string_view text);

    struct Hit {
        std::size_t segment;
        std::size_t offset;
    };
    // First occurrence of `folded` (already folded, no ";") in the text.
    std::optional<Hit> find_first(std::string_view folded);
    // The folded text of `hit`'s segment from the hit to the segment's end.
    std::string folded_tail(const Hit& hit) const;
    // Replaces every occurrence of `folded_old` by `piece`, left to right.
    void replace_all(std::string_view folded_old, std::string_view piece);
    // Adds `piece` as the last segment.
    void append(std::string_view piece);

    std::size_t size() const { return m_text.size(); }
    const std::string& segment(std::size_t i) const { return m_text[i]; }

private:
    using Ids = std::vector<std::uint32_t>;
    // Below this many segments a plain scan is cheaper than an index.
    static constexpr std::size_t kIndexFrom = 64;

    void index_segment(std::size_t i);
    void index_short_grams(std::size_t i);
    void index_grams(std::size_t i, std::size_t length);
    // Segments that may contain `folded` (ids may repeat or be stale;
    // callers verify), or nothing for "every segment": no index yet, or a
    // one-byte needle. Needles of four bytes or more use the rarest of their
    // 4-byte grams; shorter ones their own gram, whose lists are built the
    // first time one is asked for, since most merges never need them.
    const Ids* candidates(std::string_view folded);

    bool replace_in(std::size_t i, std::string_view folded_old, std::string_view piece);

    std::vector<std::string> m_text;
    std::vector<std::string> m_folded;
    bool m_indexed = false;
    bool m_short_indexed = false;
    std::unordered_map<std::uint64_t, Ids> m_index;  // gram (length in the top bits) -> ids
    std::vector<std::uint32_t> m_seen;  // per segment: last replace pass that visited it
    std::uint32_t m_pass = 0;
};

}  // namespace web

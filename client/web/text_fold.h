#pragma once
// Byte searches for the text routines. The case-insensitive one folds ASCII
// letters only and works on the text in place: a vector pass compares each
// position's first and last needle byte, and only positions where both
// agree are compared in full, so a page is scanned once without a copy.

#include <cstddef>
#include <string>
#include <string_view>

namespace web {

inline char fold_ascii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Appends the folded form of `text` to `out`.
void append_folded(std::string& out, std::string_view text);

// Plain byte search (memmem); npos when absent. An empty needle is found at
// `from` when `from` is inside the text.
std::size_t find_bytes(std::string_view hay, std::string_view needle, std::size_t from = 0);

// First position at or after `from` where `hay`, ASCII-folded, equals
// `folded_needle` (which must already be folded). Same empty-needle rule.
std::size_t find_folded(std::string_view hay, std::string_view folded_needle, std::size_t from = 0);

}  // namespace web

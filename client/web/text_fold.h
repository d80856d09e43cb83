#pragma once
// ASCII case folding for the case-insensitive searches: a text is folded
// once and then searched with memmem, so a scan costs little more than a
// plain byte search.

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

}  // namespace web

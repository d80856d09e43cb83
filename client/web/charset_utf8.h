#pragma once
// UTF-8 validation shared by the charset routines.

#include <cstddef>
#include <string>
#include <string_view>

namespace web {

// `bytes` as well-formed UTF-8: each maximal ill-formed subsequence becomes
// one U+FFFD, everything valid is copied unchanged.
std::string sanitize_utf8(std::string_view bytes);

// Length of the well-formed UTF-8 sequence that starts `bytes`, 0 when it is
// ill-formed or cut short.
std::size_t utf8_sequence_length(std::string_view bytes);

}  // namespace web

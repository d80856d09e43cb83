#include "client/web/text_fold.h"

#include <cstring>

namespace web {

void append_folded(std::string& out, std::string_view text)
{
    const std::size_t start = out.size();
    out.resize(start + text.size());
    char* dst = out.data() + start;
    const char* src = text.data();
    // Branch-free so the compiler can vectorise it.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(src[i]);
        dst[i] = static_cast<char>(c + (static_cast<unsigned>(c - 'A') < 26u ? 32 : 0));
    }
}

std::size_t find_bytes(std::string_view hay, std::string_view needle, std::size_t from)
{
    if (from > hay.size())
        return std::string_view::npos;
    if (needle.empty())
        return from;
    const void* hit = ::memmem(hay.data() + from, hay.size() - from, needle.data(), needle.size());
    if (!hit)
        return std::string_view::npos;
    return static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
}

}  // namespace web

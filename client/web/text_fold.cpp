#include "client/web/text_fold.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace web {

namespace {

bool is_lower_letter(char c)
{
    return c >= 'a' && c <= 'z';
}

bool equal_folded(const char* p, std::string_view folded_needle)
{
    for (std::size_t k = 0; k < folded_needle.size(); ++k)
        if (fold_ascii(p[k]) != folded_needle[k])
            return false;
    return true;
}

}  // namespace

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

std::size_t find_folded(std::string_view hay, std::string_view folded_needle, std::size_t from)
{
    const std::size_t n = folded_needle.size();
    if (from > hay.size())
        return std::string_view::npos;
    if (n == 0)
        return from;
    if (hay.size() - from < n)
        return std::string_view::npos;
    const char first = folded_needle.front();
    const char last = folded_needle.back();
    const char* data = hay.data();
    const std::size_t last_start = hay.size() - n;  // the last position a match can begin
    std::size_t i = from;

#if defined(__SSE2__)
    // A letter matches in either case: OR-ing 0x20 maps both cases onto the
    // lower one and nothing else onto it; other bytes compare exactly.
    const __m128i want_first = _mm_set1_epi8(first);
    const __m128i want_last = _mm_set1_epi8(last);
    const __m128i fold_first = _mm_set1_epi8(is_lower_letter(first) ? 0x20 : 0);
    const __m128i fold_last = _mm_set1_epi8(is_lower_letter(last) ? 0x20 : 0);
    while (last_start - i >= 15 && i <= last_start) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + n - 1));
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, fold_first), want_first),
                                           _mm_cmpeq_epi8(_mm_or_si128(b, fold_last), want_last));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(both));
        while (mask != 0) {
            const unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
            if (equal_folded(data + i + bit, folded_needle))
                return i + bit;
            mask &= mask - 1;
        }
        i += 16;
    }
#endif
    for (; i <= last_start; ++i)
        if (fold_ascii(data[i]) == first && fold_ascii(data[i + n - 1]) == last &&
            equal_folded(data + i, folded_needle))
            return i;
    return std::string_view::npos;
}

}  // namespace web

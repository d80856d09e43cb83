#include "simulator/json_text.h"

#include <cstdint>
#include <cstdio>

namespace sim {
namespace {

// Length of the valid UTF-8 sequence starting at `i`, 0 when invalid.
std::size_t utf8_sequence(std::string_view s, std::size_t i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80)
        return 1;
    std::size_t n = 0;
    std::uint32_t min = 0;
    std::uint32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        n = 2, min = 0x80, cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3, min = 0x800, cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4, min = 0x10000, cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

}  // namespace

std::string json_quote(std::string_view text, bool escape_slashes)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            const std::size_t n = utf8_sequence(text, i);
            if (n == 0) {
                out += "\xEF\xBF\xBD";
                ++i;
            } else {
                out.append(text.substr(i, n));
                i += n;
            }
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '/': out += escape_slashes ? "\\/" : "/"; break;
        default:
            if (u < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", u);
                out += buf;
            } else {
                out += c;
            }
        }
        ++i;
    }
    out += '"';
    return out;
}

}  // namespace sim

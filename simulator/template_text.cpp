#include "simulator/template_text.h"

namespace sim {

std::string render_template(std::string_view text, const TemplateLookup& lookup)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto open = text.find("{{", pos);
        if (open == std::string_view::npos)
            break;
        const auto close = text.find("}}", open + 2);
        if (close == std::string_view::npos)
            break;
        out.append(text.substr(pos, open - pos));
        const std::string name(text.substr(open + 2, close - open - 2));
        if (auto value = lookup(name))
            out += *value;
        else
            out.append(text.substr(open, close + 2 - open));
        pos = close + 2;
    }
    out.append(text.substr(pos));
    return out;
}

std::string html_escape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string url_encode(std::string_view text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace sim

#include "client/web/http_headers.h"

#include "client/web/text.h"

namespace web {
namespace {

bool is_token_char(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

// Header name of a reply line, trimmed, or empty.
std::string_view name_of(std::string_view line)
{
    const auto colon = line.find(':');
    if (colon == std::string_view::npos)
        return {};
    std::string_view name = line.substr(0, colon);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.remove_suffix(1);
    return name;
}

}  // namespace

std::string default_header_block(std::string_view url)
{
    return "Referer: " + std::string(url) +
           "\r\nAccept: */*"
           "\r\nAccept-Language: zh-cn"
           "\r\nUser-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)"
           "\r\nContent-Type: application/x-www-form-urlencoded";
}

std::vector<std::string> request_header_lines(std::string_view headers)
{
    std::vector<std::string> lines;
    const std::vector<std::string> pieces =
        headers.find("\r\n") == std::string_view::npos ? std::vector<std::string>{std::string(headers)}
                                                       : split(headers, "\r\n");
    for (const std::string& piece : pieces) {
        const auto colon = piece.find(':');
        if (colon == std::string::npos)
            continue;
        // A stray CR or LF would start a header of its own on the wire.
        if (piece.find_first_of("\r\n") != std::string::npos)
            continue;
        const std::string name = trim(std::string_view(piece).substr(0, colon));
        const std::string value = piece.substr(colon + 1);
        bool valid = !name.empty();
        for (char c : name)
            valid = valid && is_token_char(c);
        if (!valid)
            continue;
        // libcurl reads "Name:" as "remove that header"; "Name;" sends it empty.
        lines.push_back(value.empty() ? name + ";" : name + ":" + value);
    }
    return lines;
}

std::string location_of(std::string_view reply_headers)
{
    std::string location;
    for (const std::string& line : split(reply_headers, "\r\n"))
        if (to_lower_ascii(name_of(line)) == "location")
            location = trim(std::string_view(line).substr(line.find(':') + 1));
    return location;
}

std::string new_cookies_of(const std::vector<std::string>& set_cookie_lines)
{
    std::string cookies;
    for (const std::string& line : set_cookie_lines) {
        const std::string_view rest = std::string_view(line).substr(line.find(':') + 1);
        const auto semicolon = rest.find(';');
        const std::string pair =
            semicolon == std::string_view::npos ? std::string() : trim(rest.substr(0, semicolon));
        cookies += pair + "; ";
    }
    return cookies;
}

}  // namespace web

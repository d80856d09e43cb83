#include "client/checkup/page_text.h"

#include "client/web/text.h"

namespace checkup {

namespace {

// Meta tags sit in the head; a charset named deeper in the page is content.
constexpr std::size_t kMetaWindow = 4096;

std::string charset_after(std::string_view text, std::size_t from)
{
    const std::size_t at = web::find_ci(text, "charset=", from);
    if (at == std::string_view::npos)
        return {};
    std::size_t begin = at + 8;
    while (begin < text.size() && (text[begin] == '"' || text[begin] == '\'' || text[begin] == ' '))
        ++begin;
    std::size_t end = begin;
    while (end < text.size()) {
        const char c = text[end];
        const bool name = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || c == '-' || c == '_' || c == '.' || c == ':';
        if (!name)
            break;
        ++end;
    }
    return web::to_lower_ascii(text.substr(begin, end - begin));
}

std::string content_type_charset(std::string_view headers)
{
    // The last Content-Type wins: earlier ones belong to redirects.
    std::string charset;
    std::size_t at = 0;
    while ((at = web::find_ci(headers, "content-type:", at)) != std::string_view::npos) {
        const std::size_t line_end = headers.find('\n', at);
        const std::string_view line = headers.substr(
            at, line_end == std::string_view::npos ? std::string_view::npos : line_end - at);
        charset = charset_after(line, 0);
        at += 13;
    }
    return charset;
}

bool is_utf8(std::string_view charset)
{
    return charset == "utf-8" || charset == "utf8";
}

}  // namespace

std::string declared_charset(std::string_view body, std::string_view response_headers)
{
    std::string charset = content_type_charset(response_headers);
    if (charset.empty())
        charset = charset_after(body.substr(0, std::min(body.size(), kMetaWindow)), 0);
    return charset;
}

std::string page_text(std::string_view body, std::string_view response_headers)
{
    const std::size_t nul = body.find('\0');
    if (nul != std::string_view::npos)
        body = body.substr(0, nul);
    const std::string charset = declared_charset(body, response_headers);
    if (!charset.empty() && !is_utf8(charset)) {
        // GBK and GB2312 pages are read as GB18030, their superset.
        const bool gbk = charset == "gbk" || charset == "gb2312" || charset == "gb18030"
            || charset == "x-gbk" || charset == "cp936";
        std::string text = gbk ? web::gbk_to_utf8(body) : web::convert_charset(body, charset, "UTF-8");
        if (!text.empty() || body.empty())
            return text;
    }
    return web::decode_utf8_page(body);
}

}  // namespace checkup

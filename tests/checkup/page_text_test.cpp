#include "client/checkup/page_text.h"

#include "client/web/text.h"

#include <gtest/gtest.h>

namespace checkup {
namespace {

TEST(PageText, DecodesTheDeclaredCharset)
{
    const std::string utf8 = "<p>出站链接：23个</p>";
    const std::string gbk = web::utf8_to_gbk(utf8);
    const std::string meta_gbk =
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">" + gbk;
    const struct {
        const char* name;
        std::string body;
        std::string headers;
        std::string text;
    } cases[] = {
        {"no charset", utf8, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n", utf8},
        {"header gbk", gbk, "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=GBK\r\n", utf8},
        {"header quoted", gbk, "Content-Type: text/html; charset=\"gb18030\"\r\n", utf8},
        {"meta gb2312", meta_gbk, "Content-Type: text/html\r\n",
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">" + utf8},
        {"last header wins", gbk,
         "HTTP/1.1 302 Found\r\nContent-Type: text/html; charset=utf-8\r\n\r\n"
         "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=gbk\r\n",
         utf8},
        {"unknown charset read as UTF-8", utf8, "Content-Type: text/html; charset=x-nonsense\r\n",
         utf8},
        {"invalid UTF-8 replaced",
         "a\xFF"
         "b",
         "",
         "a\xEF\xBF\xBD"
         "b"},
        {"cut at NUL", std::string("ab\0cd", 5), "", "ab"},
        {"empty", "", "Content-Type: text/html; charset=gbk\r\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(page_text(c.body, c.headers), c.text);
    }
}

TEST(PageText, CharsetNamedDeepInThePageIsContent)
{
    const std::string body = std::string(5000, ' ') + "<meta charset=gbk>";
    EXPECT_EQ(declared_charset(body, ""), "");
    EXPECT_EQ(declared_charset("<meta charset=GBK>", ""), "gbk");
    EXPECT_EQ(declared_charset("", "content-type: text/html;charset=UTF-8\r\n"), "utf-8");
}

} // namespace
} // namespace checkup

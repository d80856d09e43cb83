// Charset conversion through iconv, checked against GBK.

#include "client/web/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ConvertCharset, ConvertsBetweenNamedCharsets)
{
    const struct {
        const char* what;
        std::string bytes;
        std::string from;
        std::string to;
        std::string expected;
    } cases[] = {
        {"UTF-8 Chinese to GBK by default", "中文", "", "", "\xD6\xD0\xCE\xC4"},
        {"named both ways", "中文", "UTF-8", "GBK", "\xD6\xD0\xCE\xC4"},
        {"GBK back to UTF-8", "\xD6\xD0\xCE\xC4", "GBK", "UTF-8", "中文"},
        {"full-width space", "\xA1\xA1", "gbk", "utf8", "\xE3\x80\x80"},
        {"ASCII untouched", "abc=1;", "", "", "abc=1;"},
        {"invalid UTF-8 replaced in GBK",
         "a\xFF"
         "b",
         "", "", "a?b"},
        {"character GBK lacks", "a😀", "", "GBK", "a?"},
        {"GB18030 keeps it", "😀", "", "GB18030", "\x94\x39\xFC\x36"},
        {"invalid GBK replaced in UTF-8",
         "a\xFF"
         "b",
         "GBK", "UTF-8",
         "a\xEF\xBF\xBD"
         "b"},
        {"GBK cut in the middle of a character", "\xD6\xD0\xCE", "GBK", "UTF-8", "中\xEF\xBF\xBD"},
        {"UTF-8 to UTF-8 cleans", "x\xC0", "UTF-8", "UTF-8", "x\xEF\xBF\xBD"},
        {"unknown source charset", "abc", "NO-SUCH-CHARSET", "UTF-8", ""},
        {"unknown target charset", "abc", "UTF-8", "NO-SUCH-CHARSET", ""},
        {"empty input", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(web::convert_charset(c.bytes, c.from, c.to), c.expected);
    }
}

TEST(ConvertCharset, GbkShorthandsRoundTripAndCountBytes)
{
    const std::string text = "用户名 abc 😀 €";
    EXPECT_EQ(web::gbk_to_utf8(web::utf8_to_gbk(text)), text);
    EXPECT_EQ(web::gbk_length("中a"), 3u);
    EXPECT_EQ(web::gbk_length("😀"), 4u);
    EXPECT_EQ(web::gbk_length(""), 0u);
}

TEST(ConvertCharset, LargeInputWithScatteredBadBytes)
{
    std::string bytes;
    for (int i = 0; i < 50000; ++i)
        bytes += (i % 97 == 0) ? std::string("\xFE") : std::string("中a");
    const std::string gbk = web::convert_charset(bytes);
    const std::string back = web::convert_charset(gbk, "GBK", "UTF-8");
    EXPECT_EQ(back.find('\xFE'), std::string::npos);
    EXPECT_EQ(web::gbk_to_utf8(web::utf8_to_gbk(back)), back);
}

}  // namespace

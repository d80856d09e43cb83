// Page-level text routines: encoding a keyword, decoding a fetched page and
// collecting result blocks.

#include "client/web/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Blocks = std::vector<std::string>;

TEST(PercentEncode, EncodesEveryByteInUpperCaseHex)
{
    EXPECT_EQ(web::percent_encode_utf8("abc"), "%61%62%63");
    EXPECT_EQ(web::percent_encode_utf8("中"), "%E4%B8%AD");
    EXPECT_EQ(web::percent_encode_utf8(std::string("\n\0 ", 3)), "%0A%00%20");
    EXPECT_EQ(web::percent_encode_utf8(""), "");
}

TEST(DecodePage, ReplacesInvalidBytesAndEndsAtNul)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        const char* what;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"valid text unchanged", "中文 abc 😀", "中文 abc 😀"},
        {"ends at the first NUL", std::string("abc\0def", 7), "abc"},
        {"NUL first", std::string("\0abc", 4), ""},
        {"stray byte",
         "a\xFF"
         "b",
         "a" + fffd + "b"},
        {"cut sequence at the end", "a\xE4\xB8", "a" + fffd},
        {"cut sequence before ASCII", "\xE4\xB8z", fffd + "z"},
        {"overlong form", "\xC0\xAF", fffd + fffd},
        {"surrogate", "\xED\xA0\x80", fffd + fffd + fffd},
        {"above U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},
        {"GBK bytes are not UTF-8", "\xD6\xD0", fffd + fffd},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(web::decode_utf8_page(c.bytes), c.expected);
    }
}

TEST(CollectBetween, CollectsBlocksInOrder)
{
    const struct {
        const char* what;
        std::string text;
        std::string start;
        std::string end;
        Blocks expected;
    } cases[] = {
        {"two blocks", "<b>1</b><b>2</b>", "<b>", "</b>", {"1", "2"}},
        {"markers found ignoring case", "<B>1</b> <b>2</B>", "<b>", "</B>", {"1", "2"}},
        {"ASCII and full-width spaces trimmed", "<b>　 x 　</b>", "<b>", "</b>", {"x"}},
        {"other blanks kept", "<b>\tx\n</b>", "<b>", "</b>", {"\tx\n"}},
        {"blank first block yields nothing", "<b> 　</b><b>2</b>", "<b>", "</b>", {}},
        {"blank block stops the list", "<b>1</b><b></b><b>3</b>", "<b>", "</b>", {"1"}},
        {"last block without end marker", "<b>1</b><b>2", "<b>", "</b>", {"1"}},
        {"end marker may open the next block", "|a|b|c|", "|", "|", {"a", "b", "c"}},
        {"next start searched from where the end began", "x1xy2xy", "x", "xy", {"1", "y2"}},
        {"empty text", "", "<b>", "</b>", {}},
        {"start marker only", "<b>", "<b>", "</b>", {}},
        {"end marker only", "</b>", "<b>", "</b>", {}},
        {"empty markers", "abc", "", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(web::collect_between(c.text, c.start, c.end), c.expected);
    }
}

TEST(CollectBetween, ScansALargePageToTheEnd)
{
    std::string page;
    for (int i = 0; i < 20000; ++i)
        page += "<div class=\"Result\">item " + std::to_string(i) + "</DIV>\n<p>filler text</p>";
    const Blocks blocks = web::collect_between(page, "<div class=\"result\">", "</div>");
    ASSERT_EQ(blocks.size(), 20000u);
    EXPECT_EQ(blocks.front(), "item 0");
    EXPECT_EQ(blocks.back(), "item 19999");
}

}  // namespace

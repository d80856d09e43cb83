// The marker-cutting family and the small string helpers.

#include "client/web/text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct BetweenCase {
    const char* what;
    std::string text;
    std::string left;
    std::string right;
    bool ignore_case;
    std::string expected;
};

TEST(TextBetween, CutsBetweenFirstLeftAndNextRight)
{
    const BetweenCase cases[] = {
        {"first pair", "a[x]b[y]", "[", "]", false, "x"},
        {"left missing though right present", "a[x]b[y]", "{", "]", false, ""},
        {"right missing", "a[x", "[", "]", false, ""},
        {"right before left is skipped", "]a[b]", "[", "]", false, "b"},
        {"right searched after the whole left", "<<a>>", "<<", ">", false, "a"},
        {"case kept when not ignored", "xxABC1yy", "abc", "yy", false, ""},
        {"case ignored on request", "xxABC1YY", "abc", "yy", true, "1"},
        {"quote word in both markers", "<a href=\"u/1\">", "href=#引号", "#引号", false, "u/1"},
        {"UTF-8 markers", "标题：中文。尾", "标题：", "。", false, "中文"},
        {"empty text", "", "[", "]", false, ""},
        {"marker-only text", "[", "[", "]", false, ""},
        {"markers back to back", "[]", "[", "]", false, ""},
        {"empty left marker counts as missing", "abc]", "", "]", false, ""},
        {"empty right marker counts as missing", "[abc", "[", "", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(web::text_between(c.text, c.left, c.right, c.ignore_case), c.expected);
    }
}

TEST(TextBetween, CaseInsensitiveFormIgnoresCaseAndKeepsQuoteWord)
{
    EXPECT_EQ(web::text_between_ci("Set-Cookie: sid=1; path=/", "set-cookie:", ";"), " sid=1");
    EXPECT_EQ(web::text_between_ci("A#引号B", "a#引号", "b"), "");
    EXPECT_EQ(web::text_between_ci("X=1", "y", "1"), "");
}

TEST(TextBetween, FromMarkerKeepsTheMarkerAndRunsToTheEnd)
{
    const BetweenCase cases[] = {
        {"last pair", "k=1; m=2", "m", ";", true, "m=2"},
        {"first pair", "k=1; m=2;", "k", ";", true, "k=1"},
        {"case ignored", "SID=7; x=1", "sid", ";", true, "SID=7"},
        {"end searched after the start marker", "a;b=1;", "b=", ";", true, "b=1"},
        {"start missing", "k=1;", "z", ";", true, ""},
        {"empty text", "", "k", ";", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(web::text_from_marker(c.text, c.left, c.right), c.expected);
    }
}

TEST(TextHelpers, FindCiFoldsAsciiOnlyAndCrossesItsScanWindow)
{
    EXPECT_EQ(web::find_ci("xxNeEdLe", "needle"), 2u);
    EXPECT_EQ(web::find_ci("abcabc", "ABC", 1), 3u);
    EXPECT_EQ(web::find_ci("abc", "ABC", 4), std::string::npos);
    EXPECT_EQ(web::find_ci("abc", "", 3), 3u);
    EXPECT_EQ(web::find_ci("ÄB", "äb"), std::string::npos);  // no folding beyond ASCII

    // Hits that straddle the internal scan window, and a needle longer than it.
    for (std::size_t at : {16380u, 16383u, 16384u, 40000u}) {
        SCOPED_TRACE(at);
        const std::string hay = std::string(at, 'x') + "NeEdLe" + std::string(10, 'x');
        EXPECT_EQ(web::find_ci(hay, "needle"), at);
    }
    const std::string long_needle(20000, 'q');
    EXPECT_EQ(web::find_ci("zz" + std::string(20000, 'Q') + "zz", long_needle), 2u);
    EXPECT_EQ(web::find_ci(std::string(19999, 'Q'), long_needle), std::string::npos);
}

TEST(TextHelpers, FindCiAgreesWithAPlainSearchOfFoldedCopies)
{
    // Bytes one bit apart from letters ("@" and "`", "[" and "{") must not
    // be taken for them; lengths cover every offset of the vector scan.
    const std::string alphabet = "aAbB@`[{zZ\xE4";
    std::mt19937 random(99);
    auto text = [&](std::size_t len) {
        std::string s;
        for (std::size_t i = 0; i < len; ++i)
            s += alphabet[random() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string hay = text(random() % 70);
        const std::string needle = text(1 + random() % 4);
        const std::size_t from = random() % (hay.size() + 2);
        const std::size_t expected =
            web::to_lower_ascii(hay).find(web::to_lower_ascii(needle), from);
        ASSERT_EQ(web::find_ci(hay, needle, from), expected)
            << hay << " / " << needle << " @" << from;
    }
}

TEST(TextHelpers, TrimSplitReplaceAndCase)
{
    EXPECT_EQ(web::trim(" \t\r\na b \n"), "a b");
    EXPECT_EQ(web::trim("   "), "");
    EXPECT_EQ(web::to_lower_ascii("AbC中"), "abc中");
    EXPECT_EQ(web::to_upper_ascii("aBc中"), "ABC中");
    EXPECT_EQ(web::split("a;b;", ";"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(web::split("a;;b", ";"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(web::split("a<#>b", "<#>"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(web::split("", ";").empty());
    EXPECT_EQ(web::replace_all("a b c", " ", "<?>"), "a<?>b<?>c");
    EXPECT_EQ(web::replace_all("aaa", "aa", "b"), "ba");
    EXPECT_EQ(web::replace_all("abc", "", "x"), "abc");
}

}  // namespace

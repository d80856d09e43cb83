// Rank texts, the page number the results view reads back, the engines'
// addresses and the account's keyword list.
#include "client/ranking/account_keywords.h"
#include "client/ranking/rank_text.h"
#include "client/ranking/rank_urls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(RankText, PositionsAndPages)
{
    EXPECT_EQ(ranking::rank_at("7"), "第7个");
    EXPECT_EQ(ranking::rank_on_page(2, "4"), "第2页第4个");
}

TEST(RankText, PageOfRankReadsOnly360Texts)
{
    struct Case {
        const char* text;
        int page;
    } const cases[] = {
        {"第3页第4个", 3}, {"第10页第1个", 10}, {"第7个", 0}, {"100名以外", 0},
        {"查询失败", 0},   {"-", 0},             {"", 0},     {"第x页第1个", 0},
        {"第99999999999页第1个", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ranking::page_of_rank(c.text), c.page);
    }
}

TEST(RankText, LeadingInteger)
{
    struct Case {
        const char* text;
        int value;
    } const cases[] = {{"12", 12}, {" 3 ", 3}, {"5abc", 5}, {"-2", -2}, {"+4", 4},
                       {"--4", 0}, {"abc", 0}, {"", 0},     {"+", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ranking::leading_integer(c.text), c.value);
    }
}

TEST(RankUrls, QueriesCarryTheEncodedKeywordAndFixedTails)
{
    EXPECT_EQ(ranking::baidu_query_url("b.test:81", "abc"),
              "http://b.test:81/s?wd=%61%62%63&ie=utf-8&f=8&rsv_bp=1&rsv_idx=1&tn=baidu"
              "&rsv_pq=7b3c91e4a5c2f2d8&rsv_t=Hq3Tz%2BmEwYcRbNu0JsLp4GvXkAd8FoWi5QtKy1ZeMh6CgPnVr7SxBlUj9Df"
              "&RN=100");
    EXPECT_EQ(ranking::so360_query_url("s.test", "水泵", 1, "ignored"),
              "http://s.test/s?ie=utf-8&shb=1&src=360sou_newhome&q=%E6%B0%B4%E6%B3%B5");
    EXPECT_EQ(ranking::so360_query_url("s.test", "a", 2, "9f3a"),
              "http://s.test/s?ie=utf-8&shb=1&src=360sou_newhome&q=%61&pn=2&psid=9f3a");
    EXPECT_EQ(ranking::so360_query_url("s.test", "a", 3, ""),
              "http://s.test/s?ie=utf-8&shb=1&src=360sou_newhome&q=%61&pn=3&psid=");
    // A psid is the engine's token; one that would reshape the address is escaped.
    EXPECT_EQ(ranking::so360_query_url("s.test", "a", 2, "x y&z#"),
              "http://s.test/s?ie=utf-8&shb=1&src=360sou_newhome&q=%61&pn=2&psid=x%20y%26z%23");
    EXPECT_EQ(ranking::sogou_query_url("g.test", "a b"),
              "http://g.test/tx?query=%61%20%62&fieldtitle=&fieldcontent=&fieldstripurl=&bstype="
              "&ie=utf8&sitequery=&located=0&tro=off&filetype=&num=100");
}

TEST(RankUrls, OpenersForTheDesktopBrowser)
{
    EXPECT_EQ(ranking::baidu_open_url("b.test", "abc"), "http://b.test/s?wd=%61%62%63");
    EXPECT_EQ(ranking::so360_open_url("r.test", "abc", 3, "77aa"),
              "http://r.test/s?q=%61%62%63&pn=3&j=0&ls=0&src=srp_paging&fr=360sou_newhome&psid=77aa");
    EXPECT_EQ(ranking::so360_open_url("r.test", "abc", 0, ""),
              "http://r.test/s?q=%61%62%63&pn=0&j=0&ls=0&src=srp_paging&fr=360sou_newhome&psid=");
    EXPECT_EQ(ranking::sogou_open_url("g.test", "abc"), "http://g.test/web?&query=%61%62%63");
}

TEST(AccountKeywords, BothFieldsSplitAtCommasUntrimmed)
{
    using List = std::vector<std::string>;
    struct Case {
        const char* keywords;
        const char* extarea;
        List expected;
        bool missing;
    } const cases[] = {
        {"水泵,阀门", "管道 , 配件", {"水泵", "阀门", "管道 ", " 配件"}, false},
        {"", "a", {"a"}, false},
        {"a,,b", "", {"a", "", "b"}, false},
        {"", "", {}, true},
        {"null", "", {"null"}, true},
        {"null", "x", {"null", "x"}, true},
        {"x", "null", {"x", "null"}, false},
        {",", "", {"", ""}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.keywords) + " | " + c.extarea);
        const List list = ranking::account_keywords(c.keywords, c.extarea);
        EXPECT_EQ(list, c.expected);
        EXPECT_EQ(ranking::keywords_missing(list), c.missing);
    }
}

}  // namespace

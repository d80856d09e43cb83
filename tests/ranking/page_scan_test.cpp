// Reading result pages: blocks, the matching rule and the rank texts.
#include "client/ranking/page_scan.h"
#include "client/ranking/site_key.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ranking::PageScan;

std::string baidu_block(const std::string& id_attr, const std::string& address)
{
    return R"(<div class="result c-container )" + id_attr +
           R"( tpl="se_com_default"><h3 class="t"><a href="http://www.baidu.com/link?url=x">T</a></h3>)"
           R"(<div class="f13"><span class="g">)" +
           address + "&nbsp;2016-05-07&nbsp;</span><div class=\"c-tools\">x</div></div>\n";
}

std::string so360_result(const std::string& link, int pos)
{
    return R"(<li class="res-list"><h3 class="res-title "><a href=")" + link +
           R"(" data-res='{"mdurl":"x","pos":)" + std::to_string(pos) +
           R"(,"m":"1"}'>T</a></h3></li>)" "\n";
}

std::string sogou_block(const std::string& rank_comment, const std::string& link)
{
    return R"(<div class="rb"><h3 class="pt"><a name="dttl" href=")" + link +
           R"(" target="_blank">T</a></h3><div class="ft"><cite>x</cite><!--)" + rank_comment +
           R"(--></div><!-- z --></div>)" "\n";
}

struct ScanCase {
    const char* name;
    std::string page;
    std::string site_url;
    std::size_t blocks;
    std::string rank;
};

TEST(BaiduPageScan, FindsTheFirstMatchingBlockWithAnId)
{
    const std::string site = "http://www.acme-pumps.cn";
    const ScanCase cases[] = {
        {"address with path holds the key",
         baidu_block(R"(" id="3")", "www.other.com/") + baidu_block(R"(" id="7")", "www.acme-pumps.cn/products/a.html"),
         site, 2, "第7个"},
        {"matching block without id is passed over",
         baidu_block(R"(")", "www.acme-pumps.cn/") + baidu_block(R"(" id="9")", "www.acme-pumps.cn/news/"),
         site, 2, "第9个"},
        {"empty id is passed over",
         baidu_block(R"(" id="")", "www.acme-pumps.cn/") + baidu_block(R"(" id="12")", "www.acme-pumps.cn/"),
         site, 2, "第12个"},
        {"address that is a tail of the key", baidu_block(R"(" id="4")", "acme-pumps.cn/"), site, 1, "第4个"},
        {"no match", baidu_block(R"(" id="1")", "www.other.com/") + baidu_block(R"(" id="2")", "acme.cn.evil/"), site, 2, ""},
        {"first block blank: no blocks at all",
         R"(<div class="result c-container   </span><div>)" + baidu_block(R"(" id="1")", "www.acme-pumps.cn/"),
         site, 0, ""},
        {"markers in another case still cut", R"(<DIV CLASS="RESULT C-CONTAINER " id="5"><span class="g">www.acme-pumps.cn/&nbsp;</SPAN><DIV)",
         site, 1, "第5个"},
        {"no markers", "<html><body>请输入验证码</body></html>", site, 0, ""},
        {"empty site matches nothing", baidu_block(R"(" id="1")", "www.acme-pumps.cn/"), "", 1, ""},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PageScan scan = ranking::scan_baidu_page(c.page, ranking::baidu_site_key(c.site_url));
        EXPECT_EQ(scan.blocks, c.blocks);
        EXPECT_EQ(scan.rank, c.rank);
    }
}

TEST(So360PageScan, MatchesTheLinkHostAndReportsPageAndPosition)
{
    const std::string site = "http://www.acme-pumps.cn";
    const ScanCase cases[] = {
        {"host matches", so360_result("http://www.other.com/a", 1) + so360_result("http://www.acme-pumps.cn/p/1.html", 4),
         site, 2, "第3页第4个"},
        {"https link has no host", so360_result("https://www.acme-pumps.cn/", 2), site, 1, ""},
        {"link without a slash after the host has no host", so360_result("http://www.acme-pumps.cn", 2), site, 1, ""},
        {"shortened host held by the key", so360_result("http://acme-pumps.cn/x", 6), site, 1, "第3页第6个"},
        {"empty site matches nothing", so360_result("http://www.acme-pumps.cn/", 1), "", 1, ""},
        {"empty page", "", site, 0, ""},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PageScan scan = ranking::scan_360_page(c.page, ranking::so360_site_key(c.site_url), 3);
        EXPECT_EQ(scan.blocks, c.blocks);
        EXPECT_EQ(scan.rank, c.rank);
    }
}

TEST(SogouPageScan, ReportsRankPlusOne)
{
    const std::string site = "http://www.acme-pumps.cn";
    const ScanCase cases[] = {
        {"rank comment", sogou_block("RANK:0", "http://www.other.com/") + sogou_block("RANK:4", "http://www.acme-pumps.cn/a.html"),
         site, 2, "第5个"},
        {"rank marker in lower case", sogou_block("rank:11", "http://www.acme-pumps.cn/"), site, 1, "第12个"},
        {"no rank comment", sogou_block("", "http://www.acme-pumps.cn/"), site, 1, "第1个"},
        {"rank that is no number", sogou_block("RANK:x", "http://www.acme-pumps.cn/"), site, 1, "第1个"},
        {"link without scheme is only a tail", sogou_block("RANK:2", "www.acme-pumps.cn/"), site, 1, ""},
        {"empty site matches nothing", sogou_block("RANK:2", "http://www.acme-pumps.cn/"), "", 1, ""},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PageScan scan = ranking::scan_sogou_page(c.page, ranking::sogou_site_key(c.site_url));
        EXPECT_EQ(scan.blocks, c.blocks);
        EXPECT_EQ(scan.rank, c.rank);
    }
}

TEST(SiteKey, EachEngineDerivesItsOwn)
{
    EXPECT_EQ(ranking::baidu_site_key("http://www.acme-pumps.cn"), "www.acme-pumps.cn/");
    EXPECT_EQ(ranking::so360_site_key("http://www.acme-pumps.cn"), "www.acme-pumps.cn");
    EXPECT_EQ(ranking::sogou_site_key("http://www.acme-pumps.cn"), "http://www.acme-pumps.cn");
    // Only the lower-case scheme is removed, wherever it stands.
    EXPECT_EQ(ranking::so360_site_key("HTTP://a.cn/http://b"), "HTTP://a.cn/b");
    EXPECT_EQ(ranking::baidu_site_key(""), "");
}

TEST(AddressMatch, EitherHoldsTheOtherAndNeitherIsEmpty)
{
    struct Case {
        const char* address;
        const char* key;
        bool match;
    } const cases[] = {
        {"www.a.cn/x", "www.a.cn/", true}, {"a.cn/", "www.a.cn/", true},
        {"www.A.cn/", "www.a.cn/", false}, {"", "www.a.cn/", false},
        {"www.a.cn/", "", false},          {"www.b.cn/", "www.a.cn/", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.address) + " vs " + c.key);
        EXPECT_EQ(ranking::address_matches(c.address, c.key), c.match);
    }
}

}  // namespace

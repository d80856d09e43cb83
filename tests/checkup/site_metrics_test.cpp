#include "client/checkup/site_metrics.h"

#include "checkup/support/stats_server.h"
#include "client/web/text.h"

#include <gtest/gtest.h>

#include <regex>

namespace checkup {

void PrintTo(const CheckupRecord& r, std::ostream* out)
{
    *out << "{weight=" << r.baidu_weight << " internal=" << r.home_internal_links
         << " outbound=" << r.outbound_links << " backlinks=" << r.backlinks
         << " ip=" << r.ip_address << " age=" << r.domain_age_text << " icp=" << r.icp_record
         << " index=" << r.index_counts << " created=" << r.created << " expires=" << r.expires
         << "}";
}

namespace {

using checkup_test::StatsPage;
using checkup_test::StatsServer;

constexpr const char* kSite = "www.example-site.cn";

using Field = std::string CheckupRecord::*;
CheckupRecord make_record(std::initializer_list<std::pair<Field, const char*>> fields)
{
    CheckupRecord r;
    for (const auto& [field, value] : fields)
        r.*field = value;
    return r;
}

web::LocalTime fixed_time()
{
    return {2015, 8, 20, 9, 30, 15, 42};
}

std::string link(const char* host, const char* query, const char* count, const char* domain = kSite)
{
    return std::string("<a href=\"http://") + host + query + domain + "\" target=\"_blank\">" +
           count + "</a>";
}

TEST(IndexCounts, CutFromTheLinksToEachEngine)
{
    const std::string baidu = link("www.baidu.com", "/s?wd=site:", "12,400");
    const std::string so360 = link("www.so.com", "/s?q=site%3A", "3,516");
    const std::string sogou = link("www.sogou.com", "/web?query=site:", "8,932");
    const struct {
        const char* name;
        std::string page;
        const char* expected;
    } cases[] = {
        {"all three", baidu + so360 + sogou, "百度：12,400  360：3,516  搜狗：8,932"},
        {"no Baidu link", so360 + sogou, "百度：0  360：3,516  搜狗：8,932"},
        {"no 360 link", baidu + sogou, "百度：12,400  360：  搜狗：8,932"},
        {"only Sogou", sogou, "百度：0  360：  搜狗：8,932"},
        {"none of them", "<html>no links</html>", ""},
        {"markers in another case",
         "<A HREF=\"HTTP://WWW.BAIDU.COM/S?WD=SITE:WWW.EXAMPLE-SITE.CN\" TARGET=\"_BLANK\">77</A>",
         "百度：77  360：  搜狗："},
        {"links for another site",
         link("www.baidu.com", "/s?wd=site:", "5", "other.cn") +
             link("www.so.com", "/s?q=site%3A", "6", "other.cn"),
         ""},
        {"repeated link takes the first", baidu + link("www.baidu.com", "/s?wd=site:", "1") + sogou,
         "百度：12,400  360：  搜狗：8,932"},
        {"unclosed count",
         "<a href=\"http://www.baidu.com/s?wd=site:www.example-site.cn\" "
         "target=\"_blank\">12",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(index_counts_text(c.page, kSite, SearchLinkHosts{}), c.expected);
    }
}

TEST(RequestTargets, ExactPathsWithUnsafeCharactersEscaped)
{
    EXPECT_EQ(overview_target("www.example-site.cn"), "/siteall/www.example-site.cn/");
    EXPECT_EQ(overview_target("example.cn:8080"), "/siteall/example.cn:8080/");
    EXPECT_EQ(backlink_target("example.cn", "1718236547", "c2VvLmV4YW1wbGU"),
              "/ajaxAction/backlink1.php?domain=example.cn&rn=1718236547&cc=c2VvLmV4YW1wbGU");
    EXPECT_EQ(backlink_target("example.cn", "", ""),
              "/ajaxAction/backlink1.php?domain=example.cn&rn=&cc=");
    EXPECT_EQ(whois_target("example.cn", "1440034215042"),
              "/index.php?r=site/searchDomain&_=1440034215042&s=example.cn&ajax=yes&update=false"
              "&field=base");
    // Values cut from a page cannot add query fields or break the request line.
    EXPECT_EQ(backlink_target("a.cn", "1&x=2", "k'\r\n"),
              "/ajaxAction/backlink1.php?domain=a.cn&rn=1%26x%3D2&cc=k%27%0D%0A");
    EXPECT_EQ(overview_target("例子.cn/x y"), "/siteall/%E4%BE%8B%E5%AD%90.cn%2Fx%20y/");
}

TEST(CheckupRecord, FillFromKeepsWhatIsAlreadyThere)
{
    CheckupRecord record;
    record.backlinks = "10";
    CheckupRecord other;
    other.backlinks = "99";
    other.created = "2010-05-10";
    record.fill_from(other);
    EXPECT_EQ(record.backlinks, "10");
    EXPECT_EQ(record.created, "2010-05-10");
    EXPECT_EQ(record.expires, "");
}

class ScrapeSiteMetrics : public ::testing::Test {
protected:
    ScrapeOptions options()
    {
        ScrapeOptions o;
        o.aizhan = m_server.host();
        o.aizhan_whois = m_server.host();
        o.clock = fixed_time;
        o.lookup = [this](std::string_view site) {
            m_lookups.emplace_back(site);
            return std::string("203.0.113.7");
        };
        return o;
    }
    void serve_good_site()
    {
        m_server.set_pages(StatsServer::Overview, {{200, checkup_test::overview_page(kSite)}});
        m_server.set_pages(StatsServer::Backlinks, {{200, checkup_test::backlink_reply()}});
        m_server.set_pages(StatsServer::Whois,
                           {{200, checkup_test::whois_page("2010-05-10", "2026-05-10")}});
    }

    StatsServer m_server;
    std::vector<std::string> m_lookups;
};

TEST_F(ScrapeSiteMetrics, FillsEveryFieldFromTwoPassesOfThreeRequests)
{
    serve_good_site();
    CheckupRecord record;
    scrape_site_metrics(record, kSite, options());

    EXPECT_EQ(record.baidu_weight, "0");
    EXPECT_EQ(record.outbound_links, "23");
    EXPECT_EQ(record.home_internal_links, "148");
    EXPECT_EQ(record.icp_record, "京ICP备10218183号-1");
    EXPECT_EQ(record.index_counts, "百度：12,400  360：3,516  搜狗：8,932");
    EXPECT_EQ(record.backlinks, "5862");
    EXPECT_EQ(record.ip_address, "203.0.113.7");
    EXPECT_EQ(record.created, "2010-05-10");
    EXPECT_EQ(record.expires, "2026-05-10");
    EXPECT_EQ(record.domain_age_text, "5年3个月11天");
    EXPECT_EQ(m_lookups, std::vector<std::string>{kSite});

    const std::string stamp = web::millisecond_timestamp(fixed_time);
    ASSERT_EQ(stamp.size(), 13u);
    const std::vector<std::string> pass = {
        "/siteall/www.example-site.cn/",
        "/ajaxAction/backlink1.php?domain=www.example-site.cn&rn=1718236547&cc=c2VvLmV4YW1wbGU",
        "/index.php?r=site/searchDomain&_=" + stamp +
            "&s=www.example-site.cn&ajax=yes&update=false&field=base",
    };
    std::vector<std::string> both = pass;
    both.insert(both.end(), pass.begin(), pass.end());
    EXPECT_EQ(m_server.targets(), both);
}

TEST_F(ScrapeSiteMetrics, SecondPassFillsWhatTheFirstMissed)
{
    serve_good_site();
    // The first overview and whois requests fail; the second pass gets them.
    m_server.set_pages(StatsServer::Overview,
                       {{404, "not found"}, {200, checkup_test::overview_page(kSite)}});
    m_server.set_pages(StatsServer::Whois,
                       {{200, ""}, {200, checkup_test::whois_page("2010-05-10", "2026-05-10")}});
    CheckupRecord record;
    scrape_site_metrics(record, kSite, options());
    EXPECT_EQ(record.outbound_links, "23");
    EXPECT_EQ(record.index_counts, "百度：12,400  360：3,516  搜狗：8,932");
    EXPECT_EQ(record.created, "2010-05-10");
    EXPECT_EQ(record.domain_age_text, "5年3个月11天");
    // The first backlink request had no rn or key_host to send.
    const std::vector<std::string> targets = m_server.targets();
    ASSERT_EQ(targets.size(), 6u);
    EXPECT_EQ(targets[1], "/ajaxAction/backlink1.php?domain=www.example-site.cn&rn=&cc=");
    EXPECT_EQ(
        targets[4],
        "/ajaxAction/backlink1.php?domain=www.example-site.cn&rn=1718236547&cc=c2VvLmV4YW1wbGU");
}

TEST_F(ScrapeSiteMetrics, FilledFieldsAreKeptAndOnlyEmptyOnesFetched)
{
    serve_good_site();
    CheckupRecord record;
    record.backlinks = "1";
    record.created = "2001-01-01";
    record.ip_address = "198.51.100.1";
    scrape_site_metrics(record, kSite, options());
    EXPECT_EQ(record.backlinks, "1");
    EXPECT_EQ(record.created, "2001-01-01");
    EXPECT_EQ(record.ip_address, "198.51.100.1");
    EXPECT_TRUE(m_lookups.empty());
    EXPECT_EQ(record.expires, "2026-05-10");
    EXPECT_EQ(record.domain_age_text, "14年7个月20天"); // of the kept creation date
}

TEST_F(ScrapeSiteMetrics, DateNotYearMonthDayLeavesNoAge)
{
    serve_good_site();
    m_server.set_pages(StatsServer::Whois, {{200, checkup_test::whois_page("2010/05/10", "-")}});
    CheckupRecord record;
    scrape_site_metrics(record, kSite, options());
    EXPECT_EQ(record.created, "2010/05/10");
    EXPECT_EQ(record.domain_age_text, "");
}

// Pages that are huge, in another charset, or carry their markers repeated
// or unclosed give empty or first-match fields, never a crash.
TEST_F(ScrapeSiteMetrics, HostilePagesGiveEmptyOrFirstFields)
{
    const std::string gbk_overview = web::utf8_to_gbk(checkup_test::overview_page(kSite));
    const std::string gbk_icp_as_utf8 =
        web::decode_utf8_page(web::utf8_to_gbk("京ICP备10218183号-1"));
    std::string huge(5 * 1024 * 1024, 'x');
    huge.replace(1024, 6, "出站链接："); // an opened marker that never closes
    const std::string repeated = "出站链接：7个出站链接：8个首页内链：9个首页内链：10个"
                                 "<b id=\"icp_icp\">A<b id=\"icp_icp\">B<";
    const std::string unclosed = "出站链接：7 首页内链：9 <span id=\"icp_icp\">no end"
                                 " var key_host = 'abc data:{domain:url_host,rn:'12";
    const struct {
        const char* name;
        StatsPage overview;
        StatsPage whois;
        CheckupRecord expected;
    } cases[] = {
        {"5 MB without markers",
         {200, huge},
         {200, std::string(5 * 1024 * 1024, '.')},
         make_record({{&CheckupRecord::baidu_weight, "0"},
                      {&CheckupRecord::backlinks, "5862"},
                      {&CheckupRecord::ip_address, "203.0.113.7"}})},
        {"GBK pages",
         {200, gbk_overview, "text/html; charset=gbk"},
         {200, web::utf8_to_gbk(checkup_test::whois_page("2010-05-10", "2026-05-10")),
          "text/html; charset=GB2312"},
         make_record({{&CheckupRecord::baidu_weight, "0"},
                      {&CheckupRecord::home_internal_links, "148"},
                      {&CheckupRecord::outbound_links, "23"},
                      {&CheckupRecord::backlinks, "5862"},
                      {&CheckupRecord::ip_address, "203.0.113.7"},
                      {&CheckupRecord::domain_age_text, "5年3个月11天"},
                      {&CheckupRecord::icp_record, "京ICP备10218183号-1"},
                      {&CheckupRecord::index_counts, "百度：12,400  360：3,516  搜狗：8,932"},
                      {&CheckupRecord::created, "2010-05-10"},
                      {&CheckupRecord::expires, "2026-05-10"}})},
        {"GBK bytes declared as UTF-8",
         {200, gbk_overview},
         {200, ""},
         // Only the ASCII markers still match once the bytes are read as UTF-8.
         make_record({{&CheckupRecord::baidu_weight, "0"},
                      {&CheckupRecord::backlinks, "5862"},
                      {&CheckupRecord::ip_address, "203.0.113.7"},
                      {&CheckupRecord::icp_record, gbk_icp_as_utf8.c_str()},
                      {&CheckupRecord::index_counts, "百度：12,400  360：3,516  搜狗：8,932"}})},
        {"repeated markers",
         {200, repeated},
         {200, ""},
         make_record({{&CheckupRecord::baidu_weight, "0"},
                      {&CheckupRecord::home_internal_links, "9"},
                      {&CheckupRecord::outbound_links, "7"},
                      {&CheckupRecord::backlinks, "5862"},
                      {&CheckupRecord::ip_address, "203.0.113.7"},
                      {&CheckupRecord::icp_record, "A"}})},
        {"unclosed markers",
         {200, unclosed},
         {200, "创建时间.....................: 2010-05-10"},
         make_record({{&CheckupRecord::baidu_weight, "0"},
                      {&CheckupRecord::backlinks, "5862"},
                      {&CheckupRecord::ip_address, "203.0.113.7"}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_server.set_pages(StatsServer::Overview, {c.overview});
        m_server.set_pages(StatsServer::Backlinks, {{200, checkup_test::backlink_reply()}});
        m_server.set_pages(StatsServer::Whois, {c.whois});
        CheckupRecord record;
        scrape_site_metrics(record, kSite, options());
        EXPECT_EQ(record, c.expected);
    }
}

TEST_F(ScrapeSiteMetrics, StopEndsTheScrapingBeforeTheNextRequest)
{
    serve_good_site();
    std::stop_source stop;
    ScrapeOptions o = options();
    o.stop = stop.get_token();
    // The lookup runs after the first page: stopping there leaves the rest.
    o.lookup = [&stop](std::string_view) {
        stop.request_stop();
        return std::string("203.0.113.7");
    };
    CheckupRecord record;
    scrape_site_metrics(record, kSite, o);
    EXPECT_EQ(m_server.targets().size(), 1u);
    EXPECT_EQ(record.outbound_links, "23");
    EXPECT_EQ(record.backlinks, "");
    EXPECT_EQ(record.created, "");
}

TEST_F(ScrapeSiteMetrics, UnreachableSiteLeavesPageFieldsEmpty)
{
    ScrapeOptions o = options();
    o.aizhan = "127.0.0.1:1";
    o.aizhan_whois = "127.0.0.1:1";
    CheckupRecord record;
    scrape_site_metrics(record, kSite, o);
    EXPECT_EQ(record, make_record({{&CheckupRecord::baidu_weight, "0"},
                                   {&CheckupRecord::ip_address, "203.0.113.7"}}));
}

} // namespace
} // namespace checkup

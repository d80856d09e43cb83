// The three look-ups against the simulated engines (and, for replies the
// simulator does not make, a server of the test's own on 127.0.0.1).
#include "client/ranking/rank_engine.h"
#include "client/ranking/rank_search.h"
#include "client/ranking/rank_text.h"
#include "client/web/endpoints.h"
#include "client/web/text.h"

#include "support/sim_process.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using testsupport::SimProcess;

// A loopback port nothing listens on.
int closed_port()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

class RankEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = new SimProcess(); }
    static void TearDownTestSuite()
    {
        delete sim;
        sim = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(sim->ok()) << sim->error();
        sim->reset_scenarios();
        sim->clear_log();
        site_url = sim->url("customer_site");
    }

    ranking::RankEngine engine() const { return ranking::RankEngine(web::load_endpoints(sim->run_dir()), psid); }

    std::vector<SimProcess::LogEntry> searches(std::string_view role) const
    {
        std::vector<SimProcess::LogEntry> out;
        for (auto& entry : sim->log(role))
            if (entry.target.rfind("/s?", 0) == 0 || entry.target.rfind("/tx?", 0) == 0)
                out.push_back(entry);
        return out;
    }

    static SimProcess* sim;
    std::string site_url;
    mutable ranking::SharedText psid;
};

SimProcess* RankEngineTest::sim = nullptr;

struct EngineCase {
    const char* keyword;
    const char* baidu;
    const char* so360;
    const char* sogou;
};

TEST_F(RankEngineTest, RanksTheSiteOnEachEngine)
{
    const EngineCase cases[] = {
        {"园林绿化", "第7个", "第1页第4个", "第5个"},
        {"绿化工程", "第3个", "第3页第4个", "第12个"},
        {"苗木基地", "100名以外", "100名以外", "100名以外"},
        // A block of the site without an id comes first and is passed over.
        {"noid", "第5个", "100名以外", "100名以外"},
        // The display address is the host without its first label.
        {"tail", "第4个", "100名以外", "100名以外"},
        // The first pair of block markers holds only blanks: no block at all.
        {"blank", "查询失败", "100名以外", "100名以外"},
        // The site's 360 link starts with https://, whose host is never read.
        {"https", "100名以外", "100名以外", "100名以外"},
        // Sogou's block of the site carries no RANK comment.
        {"norank", "100名以外", "100名以外", "第1个"},
    };
    const ranking::RankEngine e = engine();
    for (const EngineCase& c : cases) {
        SCOPED_TRACE(c.keyword);
        EXPECT_EQ(e.rank_baidu(c.keyword, site_url), c.baidu);
        EXPECT_EQ(e.rank_360(c.keyword, site_url, ranking::kLast360Page), c.so360);
        EXPECT_EQ(e.rank_sogou(c.keyword, site_url), c.sogou);
    }
}

TEST_F(RankEngineTest, RequestsCarryTheEncodedKeywordAndFixedTails)
{
    const ranking::RankEngine e = engine();
    e.rank_baidu("abc", site_url);
    e.rank_sogou("园林", site_url);
    e.rank_360("abc", site_url, 1);

    const auto baidu = searches("baidu");
    ASSERT_EQ(baidu.size(), 1u);
    EXPECT_EQ(baidu[0].target,
              "/s?wd=%61%62%63&ie=utf-8&f=8&rsv_bp=1&rsv_idx=1&tn=baidu&rsv_pq=7b3c91e4a5c2f2d8"
              "&rsv_t=Hq3Tz%2BmEwYcRbNu0JsLp4GvXkAd8FoWi5QtKy1ZeMh6CgPnVr7SxBlUj9Df&RN=100");
    EXPECT_EQ(baidu[0].method, "GET");
    EXPECT_EQ(baidu[0].header("Accept"), "*/*");
    const auto sogou = searches("sogou");
    ASSERT_EQ(sogou.size(), 1u);
    EXPECT_EQ(sogou[0].target,
              "/tx?query=%E5%9B%AD%E6%9E%97&fieldtitle=&fieldcontent=&fieldstripurl=&bstype="
              "&ie=utf8&sitequery=&located=0&tro=off&filetype=&num=100");
    const auto so360 = searches("so360");
    ASSERT_EQ(so360.size(), 1u);
    EXPECT_EQ(so360[0].target, "/s?ie=utf-8&shb=1&src=360sou_newhome&q=%61%62%63");
}

TEST_F(RankEngineTest, So360PagesCarryThePsidOfThePageBefore)
{
    const ranking::RankEngine e = engine();
    EXPECT_EQ(e.rank_360("绿化工程", site_url, ranking::kLast360Page), "第3页第4个");

    const auto pages = searches("so360");
    ASSERT_EQ(pages.size(), 3u);
    const std::string base = "/s?ie=utf-8&shb=1&src=360sou_newhome&q=%E7%BB%BF%E5%8C%96%E5%B7%A5%E7%A8%8B";
    EXPECT_EQ(pages[0].target, base);
    // Each psid is read back from the page the engine served before.
    std::string previous = web::text_between(sim->get("so360", pages[0].target).body,
                                             R"( name="psid" value=")", "\"");
    for (int page = 2; page <= 3; ++page) {
        SCOPED_TRACE(page);
        ASSERT_FALSE(previous.empty());
        const auto& entry = pages[static_cast<std::size_t>(page - 1)];
        EXPECT_EQ(entry.target, base + "&pn=" + std::to_string(page) + "&psid=" + previous);
        previous = web::text_between(sim->get("so360", entry.target).body, R"( name="psid" value=")", "\"");
    }
    // The shared value holds the psid of the last page read.
    EXPECT_EQ(psid.get(), previous);
}

TEST_F(RankEngineTest, So360WalksTenPagesBeforeGivingUp)
{
    const ranking::RankEngine e = engine();
    EXPECT_EQ(e.rank_360("苗木基地", site_url, ranking::kLast360Page), "100名以外");
    EXPECT_EQ(searches("so360").size(), 10u);
}

TEST_F(RankEngineTest, EmptySiteMatchesNothing)
{
    const ranking::RankEngine e = engine();
    EXPECT_EQ(e.rank_baidu("园林绿化", ""), "100名以外");
    EXPECT_EQ(e.rank_360("园林绿化", "", 1), "100名以外");
    EXPECT_EQ(e.rank_sogou("园林绿化", ""), "100名以外");
}

TEST_F(RankEngineTest, UnreadablePagesAreQueryFailures)
{
    // Captcha and notice pages: no result block at all.
    ASSERT_TRUE(sim->set_scenario("no_markers"));
    const ranking::RankEngine e = engine();
    EXPECT_EQ(e.rank_baidu("园林绿化", site_url), "查询失败");
    EXPECT_EQ(e.rank_360("园林绿化", site_url, ranking::kLast360Page), "查询失败");
    EXPECT_EQ(e.rank_sogou("园林绿化", site_url), "查询失败");
    // A blocked first 360 page ends the walk.
    EXPECT_EQ(searches("so360").size(), 1u);

    // Engines nobody answers for.
    web::Endpoints dead = web::load_endpoints(sim->run_dir());
    dead.baidu = dead.so360 = dead.sogou = "127.0.0.1:" + std::to_string(closed_port());
    const ranking::RankEngine gone(dead, psid);
    EXPECT_EQ(gone.rank_baidu("园林绿化", site_url), "查询失败");
    EXPECT_EQ(gone.rank_360("园林绿化", site_url, ranking::kLast360Page), "查询失败");
    EXPECT_EQ(gone.rank_sogou("园林绿化", site_url), "查询失败");
    EXPECT_EQ(psid.get(), "");
}

// Baidu alone asks again after an empty reply, once.
TEST(BaiduRetry, AnEmptyReplyIsFetchedOnceMore)
{
    struct Case {
        int empty_replies;
        int expected_requests;
        const char* rank;
    } const cases[] = {{0, 1, "第2个"}, {1, 2, "第2个"}, {2, 2, "查询失败"}, {5, 2, "查询失败"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.empty_replies);
        httplib::Server server;
        std::atomic<int> requests{0};
        server.Get("/s", [&](const httplib::Request&, httplib::Response& res) {
            if (++requests <= c.empty_replies) {
                res.set_content("", "text/html");
                return;
            }
            res.set_content(R"(<div class="result c-container " id="2"><span class="g">www.acme-pumps.cn/&nbsp;</span><div>)",
                            "text/html; charset=utf-8");
        });
        const int port = server.bind_to_any_port("127.0.0.1");
        // The socket listens from bind on; connections wait in its backlog.
        std::thread runner([&] { server.listen_after_bind(); });

        web::Endpoints endpoints;
        endpoints.baidu = "127.0.0.1:" + std::to_string(port);
        ranking::SharedText psid;
        EXPECT_EQ(ranking::RankEngine(endpoints, psid).rank_baidu("k", "http://www.acme-pumps.cn"), c.rank);
        EXPECT_EQ(requests.load(), c.expected_requests);
        server.stop();
        runner.join();
    }
}

}  // namespace

// fetch_page, the plain GET of result pages: its own user agent, "Accept: */*"
// and nothing else but the process cookie store's cookies.

#include "client/web/cookies.h"
#include "client/web/http.h"
#include "support/sim_process.h"
#include "support/sim_raw_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {

using testsupport::SimProcess;
using testsupport::SimRawServer;
using Lines = std::vector<std::string>;

const char* const chrome_agent =
    "User-Agent: Mozilla/5.0 (Windows; U; Windows NT 6.1; en-US) AppleWebKit/534.10 (KHTML, "
    "like Gecko) Chrome/7.0.536.2 Safari/534.10";

class FetchPage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = std::make_unique<SimProcess>(); }
    static void TearDownTestSuite() { sim.reset(); }
    void SetUp() override
    {
        ASSERT_TRUE(sim->ok()) << sim->error();
        sim->reset_scenarios();
        sim->clear_log();
        web::CookieStore::instance().clear();
    }
    static inline std::unique_ptr<SimProcess> sim;
};

TEST_F(FetchPage, SendsItsOwnAgentAndAcceptAndNoOtherHeader)
{
    SimRawServer peer(SimRawServer::reply("200 OK", {}, "page"));
    for (const char* method : {"", "get"}) {
        SCOPED_TRACE(method);
        EXPECT_EQ(web::fetch_page(peer.url("/s?wd=%61%62%63&RN=100"), method), "page");
    }
    const auto received = peer.requests(2);
    ASSERT_EQ(received.size(), 2u);
    for (const std::string& request : received) {
        EXPECT_EQ(SimRawServer::request_line(request), "GET /s?wd=%61%62%63&RN=100 HTTP/1.1");
        EXPECT_EQ(SimRawServer::header_lines(request),
                  (Lines{"Host: " + peer.host(), chrome_agent, "Accept: */*"}));
    }
}

TEST_F(FetchPage, SharesTheProcessCookieStoreBothWays)
{
    web::store_cookies("0.1", "BAIDUID=abc:FG=1;");
    SimRawServer peer(SimRawServer::reply("200 OK", {"Set-Cookie: H_PS_PSSID=42; path=/; domain=.0.1"},
                                          "page"));
    web::fetch_page(peer.url("/s?wd=x"));
    const auto sent = SimRawServer::header_lines(peer.requests(1).at(0));
    EXPECT_EQ(sent.back(), "Cookie: BAIDUID=abc:FG=1");

    // What the page set reaches the next request of the routine.
    SimRawServer next(SimRawServer::reply("200 OK", {}, "next"));
    web::HttpRequest request;
    request.url = next.url("/");
    web::http_request(request);
    EXPECT_EQ(request.cookies, "BAIDUID=abc:FG=1; H_PS_PSSID=42;");
}

TEST_F(FetchPage, FollowsRedirectsToTheFinalPage)
{
    const std::string link = sim->url("baidu") + "/link?url=http%3A%2F%2F" +
                             sim->host("customer_site") + "%2Fcontact%2F";
    const std::string page = web::fetch_page(link);
    EXPECT_NE(page.find("联系我们"), std::string::npos);
    EXPECT_EQ(sim->log("baidu").size(), 1u);
    EXPECT_EQ(sim->log("customer_site").size(), 1u);
}

TEST_F(FetchPage, GivesEmptyBytesOnFailure)
{
    sim->set_scenario("close_early", "sogou");
    EXPECT_EQ(web::fetch_page(sim->url("sogou") + "/tx?query=%61&num=100"), "");

    sim->set_scenario("stall", "baidu");
    std::stop_source stop;
    std::jthread canceller([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stop.request_stop();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(web::fetch_page(sim->url("baidu") + "/s?wd=%61", {}, stop.get_token()), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace

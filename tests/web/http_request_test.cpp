// The HTTP request routine against varnel-sim and against raw peers the test
// starts on loopback addresses.

#include "client/web/cookies.h"
#include "client/web/curl_transfer.h"
#include "client/web/http.h"
#include "support/sim_process.h"
#include "support/sim_raw_server.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using testsupport::SimProcess;
using testsupport::SimRawServer;
using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

const std::string default_block_tail =
    "\r\nAccept: */*"
    "\r\nAccept-Language: zh-cn"
    "\r\nUser-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)"
    "\r\nContent-Type: application/x-www-form-urlencoded";

const std::string ok_reply = SimRawServer::reply("200 OK", {"Content-Type: text/plain"}, "ok");

double seconds_since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A port nothing listens on.
int closed_port()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where);
    socklen_t length = sizeof where;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&where), &length);
    ::close(fd);
    return ntohs(where.sin_port);
}

class HttpRequest : public ::testing::Test {
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

TEST_F(HttpRequest, MethodIsUpperCasedInPlaceAndSentSo)
{
    const std::pair<const char*, const char*> cases[] = {
        {"get", "GET"}, {"", "GET"}, {"post", "POST"}, {"Delete", "DELETE"}, {"GET", "GET"}};
    for (const auto& [given, sent] : cases) {
        SCOPED_TRACE(given);
        sim->clear_log();
        web::HttpRequest request;
        request.url = sim->url("service_site") + "/client_status.php";
        request.method = given;
        web::http_request(request);
        EXPECT_EQ(request.method, sent);
        const auto log = sim->log();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].method, sent);
    }
}

TEST_F(HttpRequest, EmptyHeadersSendTheDefaultBlockExactlyAndReturnIt)
{
    const std::pair<const char*, std::string> cases[] = {{"GET", ""}, {"POST", "username=a&b=c"}};
    for (const auto& [method, body] : cases) {
        SCOPED_TRACE(method);
        SimRawServer peer(ok_reply);
        ASSERT_TRUE(peer.ok());
        web::HttpRequest request;
        request.url = peer.url("/index.php?g=User&m=Login&a=clientlogin");
        request.method = method;
        request.body = body;
        web::http_request(request);

        EXPECT_EQ(request.headers, "Referer: " + request.url + default_block_tail);
        const auto received = peer.requests(1);
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(SimRawServer::request_line(received[0]),
                  std::string(method) + " /index.php?g=User&m=Login&a=clientlogin HTTP/1.1");
        Lines expected{"Host: " + peer.host(),
                       "Referer: " + request.url,
                       "Accept: */*",
                       "Accept-Language: zh-cn",
                       "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)",
                       "Content-Type: application/x-www-form-urlencoded"};
        if (!body.empty())
            expected.push_back("Content-Length: " + std::to_string(body.size()));
        EXPECT_EQ(SimRawServer::header_lines(received[0]), expected);
        EXPECT_EQ(SimRawServer::body_of(received[0]), body);
    }
}

TEST_F(HttpRequest, HeaderLinesSplitAtCrLfWithEverythingAfterTheFirstColonAsValue)
{
    struct Case {
        const char* headers;
        Lines sent;  // after the Host line
    };
    const Case cases[] = {
        {"Referer: http://127.0.0.1:8080/a?b=c:d", {"Referer: http://127.0.0.1:8080/a?b=c:d"}},
        {"X-Two:  two blanks kept", {"X-Two:  two blanks kept"}},
        {"X-Tight:value", {"X-Tight:value"}},
        {"NoColonHere\r\nX-A: 1", {"X-A: 1"}},
        {"X-A: 1\r\n\r\nX-B: 2", {"X-A: 1", "X-B: 2"}},
        {"X-Empty:", {"X-Empty:"}},
        {": nameless\r\nBad Name: x\r\nX-Ok: y", {"X-Ok: y"}},
        {"X-Inject: a\nEvil: b", {}},
        {"just text", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.headers);
        SimRawServer peer(ok_reply);
        web::HttpRequest request;
        request.url = peer.url("/h");
        request.headers = c.headers;
        web::http_request(request);
        EXPECT_EQ(request.headers, c.headers);
        const auto received = peer.requests(1);
        ASSERT_EQ(received.size(), 1u);
        Lines expected{"Host: " + peer.host()};
        expected.insert(expected.end(), c.sent.begin(), c.sent.end());
        EXPECT_EQ(SimRawServer::header_lines(received[0]), expected);
    }
}

TEST_F(HttpRequest, BodyBytesAreSentInsteadOfTheTextBody)
{
    struct Case {
        std::string body;
        std::string body_bytes;
        std::string sent;
    };
    const Case cases[] = {
        {"a=1&b=2", "", "a=1&b=2"},
        {"a=1", std::string("raw\0\x01\xff", 6), std::string("raw\0\x01\xff", 6)},
        {"", "x=2", "x=2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent);
        SimRawServer peer(ok_reply);
        web::HttpRequest request;
        request.url = peer.url("/post");
        request.method = "POST";
        request.body = c.body;
        request.body_bytes = c.body_bytes;
        EXPECT_EQ(web::http_request(request), "ok");
        const auto received = peer.requests(1);
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(SimRawServer::body_of(received[0]), c.sent);
    }
}

TEST_F(HttpRequest, SetCookieLinesFillNewCookiesAndAreMergedAndStored)
{
    struct Case {
        Lines reply_headers;
        std::string new_cookies;
        std::string cookies;  // caller's "z=9;" merged with the reply's
    };
    const Case cases[] = {
        {{"Set-Cookie: a=1; path=/"}, "a=1; ", "z=9; a=1;"},
        {{"Set-Cookie: b=2"}, "; ", "z=9;"},
        {{"Set-Cookie: a=1; path=/", "Set-Cookie: c=3; HttpOnly"}, "a=1; c=3; ", "z=9; a=1; c=3;"},
        {{"set-cookie: d=4; Path=/"}, "d=4; ", "z=9; d=4;"},
        {{"Set-Cookie: z=; expires=Thu, 01-Jan-1970 00:00:01 GMT"}, "z=; ", ""},
        {{"X-Set-Cookie-Policy: e=5; strict"}, "", "z=9;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.new_cookies);
        web::CookieStore::instance().clear();
        SimRawServer peer(SimRawServer::reply("200 OK", c.reply_headers, "body"));
        web::HttpRequest request;
        request.url = peer.url("/cookies");
        request.cookies = "z=9;";
        web::http_request(request);
        EXPECT_EQ(request.new_cookies, c.new_cookies);
        EXPECT_EQ(request.cookies, c.cookies);
        // The store answers in its own form, without the closing ";".
        const std::string stored =
            c.cookies.empty() ? "" : c.cookies.substr(0, c.cookies.size() - 1);
        EXPECT_EQ(web::stored_cookies("0.1"), stored);
    }
}

TEST_F(HttpRequest, ACookieFromOneHostIsSentToHostsSharingItsLastTwoLabels)
{
    web::HttpRequest sign_in;
    sign_in.url = sim->url("account_server") + "/index.php?g=User&m=Login&a=clientlogin";
    sign_in.method = "POST";
    sign_in.body = "username=demo&password=pw&verifyCode=647&rand=9";
    web::http_request(sign_in);
    const auto at = sign_in.new_cookies.find("PHPSESSID=");
    ASSERT_NE(at, std::string::npos) << sign_in.new_cookies;
    const std::string session = sign_in.new_cookies.substr(at, sign_in.new_cookies.find(';', at) - at);

    SimRawServer same_labels(ok_reply, "127.9.0.1");
    SimRawServer other_labels(ok_reply, "127.0.0.2");
    ASSERT_TRUE(same_labels.ok() && other_labels.ok());
    for (SimRawServer* peer : {&same_labels, &other_labels}) {
        web::HttpRequest request;
        request.url = peer->url("/page");
        web::http_request(request);
    }
    const auto shared = SimRawServer::header_lines(same_labels.requests(1).at(0));
    const auto separate = SimRawServer::header_lines(other_labels.requests(1).at(0));
    EXPECT_EQ(shared.at(1), "Cookie: " + session + "; varnel_uid=1024;");
    for (const std::string& line : separate)
        EXPECT_NE(line.rfind("Cookie:", 0), 0u) << line;

    // The caller's value wins over the stored one for the same name.
    web::HttpRequest own;
    own.url = same_labels.url("/again");
    own.cookies = "PHPSESSID=mine;";
    web::http_request(own);
    EXPECT_EQ(SimRawServer::header_lines(same_labels.requests(2).at(1)).at(1),
              "Cookie: PHPSESSID=mine; varnel_uid=1024;");
}

TEST_F(HttpRequest, LocationIsReadWhenRedirectsAreOffAndFollowedOtherwise)
{
    const std::string target = sim->url("customer_site") + "/about/";
    const std::string link = sim->url("baidu") + "/link?url=" + "http%3A%2F%2F" +
                             sim->host("customer_site") + "%2Fabout%2F";
    for (bool no_redirect : {true, false}) {
        SCOPED_TRACE(no_redirect);
        sim->clear_log();
        web::HttpRequest request;
        request.url = link;
        request.no_redirect = no_redirect;
        const std::string body = web::http_request_text(request);
        EXPECT_EQ(request.location, no_redirect ? target : "");
        EXPECT_EQ(request.status, no_redirect ? 302 : 200);
        EXPECT_EQ(body.find("关于我们") != std::string::npos, !no_redirect);
        EXPECT_EQ(sim->log("customer_site").size(), no_redirect ? 0u : 1u);
        // Only the final reply's headers are reported, without status lines.
        EXPECT_EQ(request.response_headers.find("Location:") != std::string::npos, no_redirect);
        EXPECT_EQ(request.response_headers.find("HTTP/1.1"), std::string::npos);
        EXPECT_NE(request.response_headers.find("Content-Type: text/html; charset=utf-8\r\n"),
                  std::string::npos);
    }
}

TEST_F(HttpRequest, TheLastLocationLineWinsTrimmed)
{
    SimRawServer peer(SimRawServer::reply(
        "302 Found", {"Location: http://first/", "Location:   http://127.0.0.1:1/second?a=b  "}, ""));
    web::HttpRequest request;
    request.url = peer.url("/");
    request.no_redirect = true;
    web::http_request(request);
    EXPECT_EQ(request.location, "http://127.0.0.1:1/second?a=b");
}

TEST_F(HttpRequest, AStalledReplyEndsAfterTheTimeOutWithConsistentOutputs)
{
    for (const char* phase : {"body", "headers"}) {
        SCOPED_TRACE(phase);
        web::CookieStore::instance().clear();
        sim->set_scenario("stall", "service_site", {{"phase", phase}});
        web::HttpRequest request;
        request.url = sim->url("service_site") + "/client_status.php";
        request.method = "get";
        request.cookies = "k=v";
        request.location = "stale";
        request.timeout_s = 1;
        const auto start = Clock::now();
        const std::string body = web::http_request(request);
        const double elapsed = seconds_since(start);
        EXPECT_GE(elapsed, 0.9);
        EXPECT_LT(elapsed, 10.0);
        EXPECT_EQ(body, "");
        EXPECT_EQ(request.status, 0);
        EXPECT_EQ(request.response_headers, "");
        EXPECT_EQ(request.new_cookies, "");
        EXPECT_EQ(request.location, "");
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.headers, "Referer: " + request.url + default_block_tail);
        EXPECT_EQ(request.cookies, "k=v;");
        EXPECT_EQ(web::stored_cookies("0.1"), "k=v");
    }
}

TEST_F(HttpRequest, ASlowButMovingReplyIsNotCutOff)
{
    web::HttpRequest plain;
    plain.url = sim->url("baidu_home") + "/";
    const std::string whole = web::http_request(plain);
    ASSERT_GT(whole.size(), 1500u);

    // About three seconds at this rate, with a one-second time-out per phase.
    sim->set_scenario("rate_cap", "baidu_home", {{"rate", std::to_string(whole.size() / 3)}});
    web::HttpRequest slow;
    slow.url = plain.url;
    slow.timeout_s = 1;
    const auto start = Clock::now();
    EXPECT_EQ(web::http_request(slow), whole);
    EXPECT_GE(seconds_since(start), 2.0);
    EXPECT_EQ(slow.status, 200);
}

TEST_F(HttpRequest, ARefusedConnectionReturnsEmptyAtOnce)
{
    web::HttpRequest request;
    request.url = "http://127.0.0.1:" + std::to_string(closed_port()) + "/client_status.php";
    const auto start = Clock::now();
    EXPECT_EQ(web::http_request_text(request), "");
    EXPECT_LT(seconds_since(start), 2.0);  // far below the 15 s time-out
    EXPECT_EQ(request.status, 0);
    EXPECT_EQ(request.method, "GET");
}

TEST_F(HttpRequest, CancellingAStalledRequestReturnsPromptly)
{
    sim->set_scenario("stall", "aizhan");
    std::stop_source stop;
    web::HttpRequest request;
    request.url = sim->url("aizhan") + "/siteall/" + sim->host("customer_site") + "/";
    request.stop = stop.get_token();
    std::atomic<Clock::rep> stopped_at{0};
    std::jthread canceller([&stop, &stopped_at] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        stopped_at = Clock::now().time_since_epoch().count();
        stop.request_stop();
    });
    const auto start = Clock::now();
    const std::string body = web::http_request(request);
    const auto end = Clock::now();
    EXPECT_EQ(body, "");
    EXPECT_EQ(request.status, 0);
    EXPECT_LT(end - start, std::chrono::seconds(2));
    const double after_stop_ms =
        std::chrono::duration<double, std::milli>(end.time_since_epoch() -
                                                  Clock::duration(stopped_at.load()))
            .count();
    RecordProperty("ms_after_stop", std::to_string(after_stop_ms));
    std::printf("cancel: the request ended %.2f ms after the stop request (%.3f s after its start)\n",
                after_stop_ms, seconds_since(start));

    // A request whose stop was asked before it began sends nothing at all.
    sim->clear_log();
    web::HttpRequest late;
    late.url = sim->url("service_site") + "/client_status.php";
    late.stop = stop.get_token();
    EXPECT_EQ(web::http_request(late), "");
    EXPECT_TRUE(sim->log().empty());
}

TEST_F(HttpRequest, AReplyBodyOver64MiBIsDroppedAsAFailure)
{
    constexpr std::size_t cap = std::size_t{64} << 20;
    struct Case {
        std::size_t size;
        bool announce_length;
        bool kept;
    };
    for (const Case c : {Case{cap, true, true}, Case{cap + 1, true, false}, Case{cap + 1, false, false}}) {
        SCOPED_TRACE(std::to_string(c.size) + (c.announce_length ? " with length" : " without length"));
        sim->reset_scenarios();
        if (!c.announce_length)
            sim->set_scenario("no_length", "downloads");
        web::HttpRequest request;
        request.url = sim->url("downloads") + "/blob/" + std::to_string(c.size) + ".bin";
        const std::string body = web::http_request(request);
        EXPECT_EQ(body.size(), c.kept ? c.size : 0u);
        EXPECT_EQ(request.status, c.kept ? 200 : 0);
    }
}

TEST_F(HttpRequest, TextRepliesAreUtf8WithInvalidBytesReplaced)
{
    const std::string raw = "ok \xff 中文 \xc3";
    SimRawServer peer(SimRawServer::reply("200 OK", {"Content-Type: text/html"}, raw));
    web::HttpRequest bytes_request;
    bytes_request.url = peer.url("/t");
    EXPECT_EQ(web::http_request(bytes_request), raw);

    web::HttpRequest text_request;
    text_request.url = peer.url("/t");
    EXPECT_EQ(web::http_request_text(text_request), "ok \xEF\xBF\xBD 中文 \xEF\xBF\xBD");
}

TEST(HttpTls, ACertificateNoAuthorityVouchesForIsRefused)
{
    testsupport::TempDir dir;
    const std::string cert = dir.str() + "/cert.pem";
    const std::string key = dir.str() + "/key.pem";
    const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1"
                             " -addext subjectAltName=IP:127.0.0.1 -keyout " + key + " -out " + cert +
                             " >/dev/null 2>&1";
    ASSERT_EQ(std::system(make.c_str()), 0) << "openssl is needed to make a test certificate";
    httplib::SSLServer server(cert.c_str(), key.c_str());
    ASSERT_TRUE(server.is_valid());
    server.Get("/", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("secret", "text/plain");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::jthread serving([&server] { server.listen_after_bind(); });
    for (int i = 0; i < 500 && !server.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    // The server answers a client that skips verification ...
    httplib::SSLClient lax("127.0.0.1", port);
    lax.enable_server_certificate_verification(false);
    const auto answered = lax.Get("/");
    ASSERT_TRUE(answered);
    EXPECT_EQ(answered->body, "secret");

    // ... but not the client's routine, which verifies.
    web::HttpRequest request;
    request.url = "https://127.0.0.1:" + std::to_string(port) + "/";
    EXPECT_EQ(web::http_request(request), "");
    EXPECT_EQ(request.status, 0);
    server.stop();
}

TEST(HttpTimeouts, EachPhaseGetsFifteenSecondsUnlessToldOtherwise)
{
    const std::pair<int, std::optional<long>> cases[] = {
        {0, 15000}, {-5, 15000}, {-1, std::nullopt}, {1, 1000}, {30, 30000}};
    for (const auto& [given, expected] : cases) {
        SCOPED_TRACE(given);
        EXPECT_EQ(web::timeout_ms_for(given), expected);
    }
}

}  // namespace

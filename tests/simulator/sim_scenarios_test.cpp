// The failure modes switched at /__scenario, each seen through the request
// the client makes.

#include "client/web/http.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using testsupport::SimProcess;
using Params = std::map<std::string, std::string>;

class SimScenarios : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = std::make_unique<SimProcess>(); }
    static void TearDownTestSuite() { sim.reset(); }
    void SetUp() override
    {
        ASSERT_TRUE(sim->ok()) << sim->error();
        ASSERT_TRUE(sim->reset_scenarios());
    }

    static std::string fetch(const std::string& role, const std::string& target,
                             const std::string& body = {}, long* status = nullptr)
    {
        web::HttpRequest request;
        request.url = sim->url(role) + target;
        request.method = body.empty() ? "GET" : "POST";
        request.body = body;
        std::string reply = web::http_request_text(request);
        if (status)
            *status = request.status;
        return reply;
    }

    static inline std::unique_ptr<SimProcess> sim;
};

const char* const sign_in = "/index.php?g=User&m=Login&a=clientlogin";
const char* const sign_in_body = "username=demo&password=pw&verifyCode=647&rand=3";

struct ScenarioCase {
    const char* label;
    const char* name;
    const char* role;  // scope of the scenario; empty: every role
    Params params;
    const char* request_role;
    std::string target;
    std::string body;
    std::string present;  // in the reply
    std::string absent;   // not in the reply
};

TEST_F(SimScenarios, EachScenarioChangesWhatTheClientReads)
{
    const std::string site = "/siteall/" + sim->host("customer_site") + "/";
    const std::string whois = "/index.php?r=site/searchDomain&_=1718086400123&s=" +
                              sim->host("customer_site") + "&ajax=yes&update=false&field=base";
    const ScenarioCase cases[] = {
        {"refused sign-in", "login_refused", "account_server", {}, "account_server", sign_in,
         sign_in_body, R"({"alert":"用户名或密码错误！","login":"no"})", R"("login":"ok")"},
        {"refused with an alert of our own", "login_refused", "", {{"alert", "账号已过期"}},
         "account_server", sign_in, sign_in_body, R"("alert":"账号已过期")", "userid"},
        {"status other than 1", "status_not_1", "service_site", {}, "service_site",
         "/client_status.php", "", "0", "1"},
        {"status with a line break", "status_not_1", "", {{"text", "1\n"}}, "service_site",
         "/client_status.php", "", "1\n", "0"},
        {"newer version", "newer_version", "", {}, "service_site", "/Download/", "",
         R"("version":"V3.1.0")", "V3.0.6"},
        {"older version", "newer_version", "", {{"version", "V3.0.5"}}, "service_site", "/Download/",
         "", R"("version":"V3.0.5")", "V3.0.6"},
        {"sign-in not JSON", "not_json", "account_server", {}, "account_server", sign_in,
         sign_in_body, "502 Bad Gateway", "{"},
        {"client information not JSON", "not_json", "customer_site", {}, "customer_site",
         "/index.php?g=User&m=Login&a=sendclientinfo&username=demo&auth=x&rand=1", "",
         "502 Bad Gateway", "{"},
        {"customer fields", "customer", "", {{"web_type", "4"}, {"web_url", "http://site.example"}},
         "account_server", sign_in, sign_in_body, R"("web_url":"http://site.example","web_name")",
         R"("web_type":"2")"},
        {"overview without markers", "no_markers", "aizhan", {}, "aizhan", site, "",
         "访问过于频繁", "出站链接："},
        {"overview without the Baidu link", "no_baidu_link", "", {}, "aizhan", site, "",
         "/web?query=site:", "/s?wd=site:"},
        {"overview values", "site", "", {{"outbound_links", "0"}}, "aizhan", site, "",
         "出站链接：0个", "出站链接：12个"},
        {"whois without markers", "no_markers", "aizhan_whois", {}, "aizhan_whois", whois, "",
         "暂无", "创建时间"},
        {"whois date in another form", "whois_bad_date", "", {}, "aizhan_whois", whois, "",
         "创建时间.....................: 2009年03月18日<", "2009-03-18"},
        {"Baidu captcha", "no_markers", "baidu", {}, "baidu", "/s?wd=%61&RN=100", "", "百度安全验证",
         "result c-container"},
        {"360 captcha", "no_markers", "so360", {}, "so360", "/s?ie=utf-8&q=%61", "", "安全验证",
         "res-title"},
        {"Sogou captcha", "no_markers", "sogou", {}, "sogou", "/tx?query=%61&num=100", "",
         "异常访问", "<!-- z -->"},
        {"captive portal instead of Baidu", "no_markers", "baidu_home", {}, "baidu_home", "/", "",
         "网络认证", "百度一下，你就知道"},
        {"statistics page closed", "no_markers", "stat", {}, "stat", "/stat.php?id=1", "", "暂不公开",
         "password"},
        {"statistics page, password by id only", "stat_variant", "", {{"variant", "id_only"}}, "stat",
         "/stat.php?id=1", "", R"(<input type="password" id="password" name="view_pwd")",
         R"(name="password")"},
        {"statistics page with a number field", "stat_variant", "", {{"variant", "number"}}, "stat",
         "/stat.php?id=1", "", R"(name="number")", "view_pwd"},
        {"a failing request", "fail_times", "service_site", {}, "service_site",
         "/client_status.php", "", "503 Service Temporarily Unavailable", "<body>1"},
        {"another role untouched", "no_markers", "baidu", {}, "sogou", "/tx?query=%61&num=100", "",
         "<!-- z -->", "异常访问"},
    };
    for (const ScenarioCase& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(sim->reset_scenarios());
        ASSERT_TRUE(sim->set_scenario(c.name, c.role, c.params));
        const std::string reply = fetch(c.request_role, c.target, c.body);
        EXPECT_NE(reply.find(c.present), std::string::npos) << reply.substr(0, 300);
        EXPECT_EQ(reply.find(c.absent), std::string::npos) << reply.substr(0, 300);
    }
}

TEST_F(SimScenarios, ResetRestoresTheNormalReplies)
{
    ASSERT_TRUE(sim->set_scenario("status_not_1,newer_version"));
    EXPECT_EQ(fetch("service_site", "/client_status.php"), "0");
    EXPECT_NE(fetch("service_site", "/Download/").find("V3.1.0"), std::string::npos);
    ASSERT_TRUE(sim->reset_scenarios());
    EXPECT_EQ(fetch("service_site", "/client_status.php"), "1");
    EXPECT_NE(fetch("service_site", "/Download/").find("V3.0.6"), std::string::npos);
}

TEST_F(SimScenarios, CountedFailuresRunOut)
{
    ASSERT_TRUE(sim->set_scenario("fail_times", "aizhan_whois", {{"count", "2"}}));
    const std::string target = "/index.php?r=site/searchDomain&s=a.example";
    long status = 0;
    for (long expected : {503L, 503L, 200L, 200L}) {
        fetch("aizhan_whois", target, {}, &status);
        EXPECT_EQ(status, expected);
    }
}

TEST_F(SimScenarios, UnknownScenariosAndRolesAreRefused)
{
    EXPECT_FALSE(sim->set_scenario("stal"));
    EXPECT_FALSE(sim->set_scenario("stall", "bing"));
    EXPECT_TRUE(sim->set_scenario("stall", "baidu"));
}

TEST_F(SimScenarios, TheQrCodeCanBeSomethingElseThanAnImage)
{
    web::HttpRequest request;
    request.url = sim->url("account_server") + "/erweima.php?u=" + sim->host("customer_site");
    EXPECT_EQ(web::http_request(request).rfind("\x89PNG", 0), 0u);
    ASSERT_TRUE(sim->set_scenario("not_image", "account_server"));
    web::HttpRequest again = request;
    EXPECT_NE(web::http_request(again).rfind("\x89PNG", 0), 0u);
}

}  // namespace

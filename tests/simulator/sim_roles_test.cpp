// Every role of varnel-sim answers the requests the client makes, through the
// client's own request routines, and logs them.

#include "client/web/cookies.h"
#include "client/web/http.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

namespace {

using testsupport::SimProcess;

constexpr const char* demo_auth = "7c9e2f41b6a8d3e05f1a9c4b2d7e6f38";  // fixtures/customer.ini
constexpr const char* keyword_utf8 = "%E5%9B%AD%E6%9E%97%E7%BB%BF%E5%8C%96";  // 园林绿化

enum class Via { text, bytes, page };

struct RoleCase {
    const char* name;
    const char* role;
    const char* method;
    std::function<std::string(const SimProcess&)> target;
    const char* body;
    Via via;
    std::function<std::string(const SimProcess&)> expected;  // a part of the reply
};

std::string fixed(const char* text)
{
    return text;
}

class SimRoles : public ::testing::TestWithParam<RoleCase> {
protected:
    static void SetUpTestSuite() { sim = std::make_unique<SimProcess>(); }
    static void TearDownTestSuite() { sim.reset(); }
    static inline std::unique_ptr<SimProcess> sim;
};

const RoleCase role_cases[] = {
    {"SignIn", "account_server", "POST",
     [](auto&) { return fixed("/index.php?g=User&m=Login&a=clientlogin"); },
     "username=demo&password=p&w=d&verifyCode=647&rand=17", Via::text,
     [](auto&) { return fixed(R"("alert":"登录成功！","login":"ok")"); }},
    {"RegistrationPage", "account_server", "GET",
     [](auto&) { return fixed("/index.php?g=User&m=Register&a=index"); }, "", Via::text,
     [](auto&) { return fixed("注册新账号"); }},
    {"AccountNews", "account_server", "GET", [](auto&) { return fixed("/index.php/clientnews/"); },
     "", Via::text, [](auto&) { return fixed("最新通知"); }},
    {"AccountSeoPane", "account_server", "GET", [](auto&) { return fixed("/index.php/clientseo/"); },
     "", Via::text, [](auto&) { return fixed("SEO 学堂"); }},
    {"QrCode", "account_server", "GET",
     [](const SimProcess& s) { return "/erweima.php?u=" + s.host("customer_site"); }, "",
     Via::bytes, [](auto&) { return std::string("\x89PNG\r\n\x1a\n", 8); }},
    {"PlatformList", "account_server", "GET", [](auto&) { return fixed("/index.php?m=Qunfa&a=index"); },
     "", Via::text, [](auto&) { return fixed(R"({"百度贴吧":"http://tieba.baidu.com/")"); }},
    {"ServiceStatus", "service_site", "GET", [](auto&) { return fixed("/client_status.php"); }, "",
     Via::text, [](auto&) { return fixed("1"); }},
    {"VersionManifest", "service_site", "GET", [](auto&) { return fixed("/Download/"); }, "",
     Via::text,
     [](const SimProcess& s) {
         return R"({"version":"V3.0.6","softurl":"http:\/\/)" + s.host("downloads") +
                R"(\/Download\/varnel_V3.0.6.zip")";
     }},
    {"ServiceNews", "service_site", "GET", [](auto&) { return fixed("/index.php/clientnews/"); }, "",
     Via::text, [](auto&) { return fixed("服务动态"); }},
    {"ServiceSeoPane", "service_site", "GET", [](auto&) { return fixed("/index.php/clientseo/"); },
     "", Via::text, [](auto&) { return fixed("信息发布小贴士"); }},
    {"ClientInformation", "customer_site", "GET",
     [](auto&) {
         return std::string("/index.php?g=User&m=Login&a=sendclientinfo&username=demo&auth=") +
                demo_auth + "&rand=42";
     },
     "", Via::text,
     [](const SimProcess& s) {
         return R"({"site_url":"http:\/\/)" + s.host("customer_site") + R"(","stat_key":"qh2024")";
     }},
    {"SignOut", "customer_site", "get", [](auto&) { return fixed("/index.php?g=Admin&m=Login&a=logout"); },
     "", Via::text, [](auto&) { return fixed("您已安全退出"); }},
    {"CustomerHome", "customer_site", "GET", [](auto&) { return fixed("/"); }, "", Via::text,
     [](auto&) { return fixed("江南青禾园林绿化工程有限公司"); }},
    {"SiteOverview", "aizhan", "GET",
     [](const SimProcess& s) { return "/siteall/" + s.host("customer_site") + "/"; }, "", Via::text,
     [](const SimProcess& s) {
         return "http://" + s.host("baidu") + "/s?wd=site:" + s.host("customer_site") +
                R"(" target="_blank">1,286<)";
     }},
    {"Backlinks", "aizhan", "GET",
     [](const SimProcess& s) {
         return "/ajaxAction/backlink1.php?domain=" + s.host("customer_site") +
                "&rn=1718086400&cc=5d41402abc4b2a76b9719d911017c592";
     },
     "", Via::text, [](auto&) { return fixed(R"({"count":2341,)"); }},
    {"Whois", "aizhan_whois", "GET",
     [](const SimProcess& s) {
         return "/index.php?r=site/searchDomain&_=1718086400123&s=" + s.host("customer_site") +
                "&ajax=yes&update=false&field=base";
     },
     "", Via::text, [](auto&) { return fixed("创建时间.....................: 2009-03-18<"); }},
    {"BaiduResults", "baidu", "GET",
     [](auto&) {
         return std::string("/s?wd=") + keyword_utf8 +
                "&ie=utf-8&f=8&rsv_bp=1&rsv_idx=1&tn=baidu&rsv_pq=7b3c91e4a5c2f2d8&RN=100";
     },
     "", Via::page,
     [](const SimProcess& s) {
         return R"(<span class="g">)" + s.host("customer_site") + "/product/&nbsp;";
     }},
    {"BaiduHome", "baidu_home", "get", [](auto&) { return fixed("/"); }, "", Via::text,
     [](auto&) { return fixed("百度一下，你就知道"); }},
    {"So360FirstPage", "so360", "GET",
     [](auto&) { return std::string("/s?ie=utf-8&shb=1&src=360sou_newhome&q=") + keyword_utf8; },
     "", Via::text,
     [](const SimProcess& s) {
         return R"(<h3 class="res-title "><a href="http://)" + s.host("customer_site") + "/product/";
     }},
    {"So360OpenedPage", "so360_results", "GET",
     [](auto&) {
         return std::string("/s?q=") + keyword_utf8 +
                "&pn=1&j=0&ls=0&src=srp_paging&fr=360sou_newhome&psid=";
     },
     "", Via::text, [](auto&) { return fixed(R"( name="psid" value=")"); }},
    {"SogouResults", "sogou", "GET",
     [](auto&) {
         return std::string("/tx?query=") + keyword_utf8 +
                "&fieldtitle=&fieldcontent=&fieldstripurl=&bstype=&ie=utf8&sitequery=&located=0"
                "&tro=off&filetype=&num=100";
     },
     "", Via::page, [](auto&) { return fixed("<!--RANK:4--><div class=\"ft\""); }},
    {"StatisticsPage", "stat", "GET", [](auto&) { return fixed("/stat.php?id=1280436&web_id=1280436"); },
     "", Via::text,
     [](auto&) { return fixed(R"(<input type="image" src="/images/view_data.svg" title="查看数据")"); }},
    {"UpdatePackage", "downloads", "GET", [](auto&) { return fixed("/Download/varnel_V3.1.0.zip"); },
     "", Via::bytes, [](auto&) { return std::string("PK\x03\x04", 4); }},
};

TEST_P(SimRoles, AnswersTheClientsRequestAndLogsIt)
{
    const RoleCase& c = GetParam();
    ASSERT_TRUE(sim->ok()) << sim->error();
    web::CookieStore::instance().clear();
    sim->clear_log();
    const std::string target = c.target(*sim);
    const std::string url = sim->url(c.role) + target;

    std::string reply;
    if (c.via == Via::page) {
        reply = web::fetch_page(url);
    } else {
        web::HttpRequest request;
        request.url = url;
        request.method = c.method;
        request.body = c.body;
        reply = c.via == Via::text ? web::http_request_text(request) : web::http_request(request);
        EXPECT_EQ(request.status, 200);
    }
    EXPECT_NE(reply.find(c.expected(*sim)), std::string::npos) << reply.substr(0, 400);

    const auto entries = sim->log();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].role, c.role);
    EXPECT_EQ(entries[0].method, c.via == Via::page ? "GET" : std::string(c.method) == "get" ? "GET" : c.method);
    EXPECT_EQ(entries[0].target, target);
    EXPECT_EQ(entries[0].body, c.body);
}

INSTANTIATE_TEST_SUITE_P(EveryRole, SimRoles, ::testing::ValuesIn(role_cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimRolesCoverage, EveryRoleOfTheSimulatorHasACase)
{
    SimProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    std::set<std::string> covered;
    for (const RoleCase& c : role_cases)
        covered.insert(c.role);
    const auto roles = sim.roles();
    EXPECT_EQ(roles.size(), 12u);
    for (const std::string& role : roles)
        EXPECT_TRUE(covered.count(role)) << role << " has no request in the table";
}

}  // namespace

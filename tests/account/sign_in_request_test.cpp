#include "client/account/account_session.h"
#include "client/account/sign_in_protocol.h"

#include "account/local_server.h"

#include <gtest/gtest.h>

namespace {

using account::AccountSession;
using account::SignInResult;

const char* const kSignInPath = "/index.php";

// One server plays the account server and the customer's site: both answer
// on /index.php and are told apart by the query's "a".
class SignInRequest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.route(kSignInPath, [this](const httplib::Request& req, httplib::Response& res) {
            if (req.get_param_value("a") == "clientlogin") {
                for (const std::string& cookie : m_sign_in_cookies)
                    res.set_header("Set-Cookie", cookie);
                return m_sign_in_reply;
            }
            return m_client_info_reply;
        });
        web::Endpoints endpoints;
        endpoints.account_server = m_server.host();
        m_session = std::make_unique<AccountSession>(endpoints);
        m_session->set_random([](int low, int high) {
            EXPECT_EQ(low, 1);
            EXPECT_EQ(high, 100);
            return 42;
        });
    }

    std::string sign_in_reply(const std::string& web_type, const std::string& web_url_json)
    {
        return R"({"alert":"\u767b\u5f55\u6210\u529f","login":"ok","userid":"1024",)"
               R"("web_url":)" + web_url_json + R"(,"web_name":"云端\"网络\"科技",)"
               R"("web_type":)" + web_type + R"(,"auth":"a1b2c3","web_starttime":"2024-01-01",)"
               R"j("web_endtime":"2024-12-31 00:00:00","User_Agent":"Mozilla\/5.0 (X11; \"Linux\")"})j";
    }

    accounttest::LocalServer m_server;
    std::unique_ptr<AccountSession> m_session;
    std::string m_sign_in_reply;
    std::vector<std::string> m_sign_in_cookies;
    std::string m_client_info_reply =
        R"({"site_url":"http:\/\/www.demo.example","stat_key":"k\/1","seo_keywords":"建站,推广",)"
        R"("seo_description":"\"desc\"","logo":"\/upload\/logo.png","seo_area":"深圳",)"
        R"("seo_extarea":"南山","site_email":"info@demo.example",)"
        R"("stat_cnzz":"http:\/\/stat.example\/s.php?id=9"})";
};

TEST_F(SignInRequest, SuccessFillsEveryFieldCleaned)
{
    m_sign_in_reply = sign_in_reply(R"("2")", "\"http:\\/\\/" + m_server.host() + "\"");
    const SignInResult result = m_session->sign_in_request("zhang", "p&ss=w rd", " zhang ");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.error, R"("\u767b\u5f55\u6210\u529f")");
    EXPECT_EQ(result.edition, 2);

    const account::AccountRecord& r = m_session->record();
    EXPECT_EQ(r.userid, "1024");
    EXPECT_EQ(r.username, " zhang ");
    EXPECT_EQ(r.web_name, R"(云端\网络\科技)");
    EXPECT_EQ(r.web_url, m_server.host());
    EXPECT_EQ(r.web_type, "标准版");
    EXPECT_EQ(r.web_starttime, "2024-01-01");
    EXPECT_EQ(r.web_endtime, "2024-12-31 00:00:00");
    EXPECT_EQ(r.auth, "a1b2c3");
    EXPECT_EQ(r.site_url, "http://www.demo.example");
    EXPECT_EQ(r.seo_keywords, "建站,推广");
    EXPECT_EQ(r.seo_description, R"(\desc\)");
    EXPECT_EQ(r.logo, R"(\/upload\/logo.png)");
    EXPECT_EQ(r.seo_area, "深圳");
    EXPECT_EQ(r.seo_extarea, "南山");
    EXPECT_EQ(r.stat_cnzz, "http://stat.example/s.php?id=9");
    EXPECT_EQ(r.stat_key, R"(k\/1)");
    EXPECT_EQ(r.site_email, "info@demo.example");
    EXPECT_EQ(m_session->browser_user_agent(), "Mozilla/5.0 (X11; Linux)");
    EXPECT_EQ(m_session->client_user_agent(), "Mozilla/5.0 (X11; Linux) Client:a1b2c3");
    EXPECT_FALSE(m_session->signed_in());  // the caller decides

    const auto sent = m_server.requests_to(kSignInPath);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].method, "POST");
    EXPECT_EQ(sent[0].body, "username=zhang&password=p&ss=w rd&verifyCode=647&rand=42");
    EXPECT_EQ(sent[1].method, "GET");
    EXPECT_EQ(sent[1].target,
              "/index.php?g=User&m=Login&a=sendclientinfo&username=%20zhang%20&auth=a1b2c3&rand=42");
}

TEST_F(SignInRequest, SchemeWithoutEscapesStaysInWebUrl)
{
    m_sign_in_reply = sign_in_reply(R"("4")", "\"http://" + m_server.host() + "\"");
    const SignInResult result = m_session->sign_in_request("zhang", "pw");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.edition, 0);
    EXPECT_EQ(m_session->record().web_type, "4");
    EXPECT_EQ(m_session->record().web_url, "http://" + m_server.host());
    // "http://http://host/..." reaches no site: the client information stays empty.
    EXPECT_EQ(m_session->record().site_url, "");
    EXPECT_EQ(m_server.requests_to(kSignInPath).size(), 1u);
}

TEST_F(SignInRequest, NumbersAreTakenAsTheirText)
{
    m_sign_in_reply = sign_in_reply("3", "\"http:\\/\\/" + m_server.host() + "\"");
    const SignInResult result = m_session->sign_in_request("zhang", "pw");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.edition, 3);
    EXPECT_EQ(m_session->record().web_type, "至尊版");
}

TEST_F(SignInRequest, RefusalsKeepTheRecord)
{
    m_sign_in_reply = sign_in_reply(R"("1")", "\"http:\\/\\/" + m_server.host() + "\"");
    ASSERT_TRUE(m_session->sign_in_request("zhang", "pw").ok);
    const account::AccountRecord before = m_session->record();

    struct Case {
        const char* reply;
        std::string error;
    };
    const Case cases[] = {
        {R"({"alert":"\u5bc6\u7801\u9519\u8bef","login":"no"})", R"("\u5bc6\u7801\u9519\u8bef")"},
        {R"({"alert":"用户名不存在","login":"OK"})", R"("用户名不存在")"},
        {R"({"alert":"x","login":ok})", ""},  // not JSON
        {R"({"login":"ok","userid":"1"})", std::string(account::kNetworkErrorText)},
        {R"({"alert":"","login":"fail"})", R"("")"},
        {"<html>Service Unavailable</html>", std::string(account::kNetworkErrorText)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        m_sign_in_reply = c.reply;
        const SignInResult result = m_session->sign_in_request("zhang", "pw");
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error,
                  c.error.empty() ? std::string(account::kNetworkErrorText) : c.error);
        EXPECT_EQ(m_session->record().userid, before.userid);
        EXPECT_EQ(m_session->record().site_url, before.site_url);
    }
}

TEST_F(SignInRequest, FailedClientInformationEmptiesItsFieldsOnly)
{
    m_sign_in_reply = sign_in_reply(R"("1")", "\"http:\\/\\/" + m_server.host() + "\"");
    ASSERT_TRUE(m_session->sign_in_request("zhang", "pw").ok);
    ASSERT_EQ(m_session->record().site_url, "http://www.demo.example");

    m_client_info_reply = "<html>500</html>";
    const SignInResult result = m_session->sign_in_request("zhang", "pw");
    ASSERT_TRUE(result.ok);
    const account::AccountRecord& r = m_session->record();
    EXPECT_EQ(r.userid, "1024");
    EXPECT_EQ(r.auth, "a1b2c3");
    for (const std::string* field : {&r.site_url, &r.stat_key, &r.seo_keywords, &r.seo_description,
                                     &r.logo, &r.seo_area, &r.seo_extarea, &r.site_email,
                                     &r.stat_cnzz})
        EXPECT_EQ(*field, "");
}

TEST_F(SignInRequest, ServerDownIsANetworkError)
{
    web::Endpoints endpoints;
    endpoints.account_server = "127.0.0.1:1";
    AccountSession session(endpoints);
    const SignInResult result = session.sign_in_request("zhang", "pw");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, account::kNetworkErrorText);
}

TEST_F(SignInRequest, ReplyCookiesBecomeTheCookieList)
{
    m_sign_in_reply = R"({"alert":"no","login":"no"})";
    m_sign_in_cookies = {"PHPSESSID=s3ss10n; path=/", "uid=7; path=/; HttpOnly"};
    m_session->sign_in_request("zhang", "pw");
    EXPECT_EQ(m_session->cookie_list(), (std::vector<std::string>{"PHPSESSID=s3ss10n", "uid=7"}));
    EXPECT_NE(m_session->raw_cookies().find("PHPSESSID=s3ss10n; "), std::string::npos);

    // Each sign-in replaces the list.
    m_sign_in_cookies = {"uid=8; path=/"};
    m_session->sign_in_request("zhang", "pw");
    EXPECT_EQ(m_session->cookie_list(), (std::vector<std::string>{"uid=8"}));
}

}  // namespace

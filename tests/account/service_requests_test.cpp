#include "client/account/account_record.h"
#include "client/account/account_session.h"
#include "client/account/service_status.h"
#include "client/account/sign_out.h"
#include "client/account/update_check.h"

#include "account/local_server.h"

#include <gtest/gtest.h>

namespace {

using namespace account;

class ServiceRequests : public ::testing::Test {
protected:
    void SetUp() override
    {
        web::Endpoints endpoints;
        endpoints.service_site = m_server.host();
        m_session = std::make_unique<AccountSession>(endpoints);
    }
    accounttest::LocalServer m_server;
    std::unique_ptr<AccountSession> m_session;
};

TEST_F(ServiceRequests, OnlyAStatusOfExactlyOneSetsTheBase)
{
    struct Case {
        const char* reply;
        bool sets;
    };
    const Case cases[] = {{"1\n", false}, {"0", false}, {"", false}, {" 1", false},
                          {"ok", false},  {"11", false}, {"1", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        m_server.reply("/client_status.php", c.reply);
        EXPECT_EQ(status_check(*m_session), c.sets);
        EXPECT_EQ(m_session->service_base(), c.sets ? "http://" + m_server.host() : "");
    }
    // Once set, later replies do not undo it.
    for (const char* reply : {"0", ""}) {
        m_server.reply("/client_status.php", reply);
        EXPECT_FALSE(status_check(*m_session));
        EXPECT_EQ(m_session->service_base(), "http://" + m_server.host());
    }
    EXPECT_EQ(m_server.requests_to("/client_status.php").front().method, "GET");
}

TEST_F(ServiceRequests, StatusWithTheSiteDownLeavesTheBase)
{
    web::Endpoints endpoints;
    endpoints.service_site = "127.0.0.1:1";
    AccountSession session(endpoints);
    EXPECT_FALSE(status_check(session));
    EXPECT_EQ(session.service_base(), "");
}

TEST_F(ServiceRequests, UpdateCheckOutcomes)
{
    const std::string base = "http://" + m_server.host();
    struct Case {
        const char* manifest;
        UpdateOutcome outcome;
    };
    const Case cases[] = {
        {R"({"version":"v3.0.6","softurl":"http://dl.example/v.zip"})", UpdateOutcome::UpToDate},
        {R"({"version":"V3.0.5","softurl":"http://dl.example/v.zip"})", UpdateOutcome::UpdaterNeeded},
        {R"({"version":"V3.1.0","softurl":""})", UpdateOutcome::UpdaterNeeded},
        {R"({"softurl":"http://dl.example/v.zip"})", UpdateOutcome::Failed},
        {"<html>not here</html>", UpdateOutcome::Failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.manifest);
        m_server.reply("/Download/", c.manifest);
        EXPECT_EQ(check_for_update(base).outcome, c.outcome);
    }
    EXPECT_EQ(check_for_update("http://127.0.0.1:1").outcome, UpdateOutcome::Failed);
}

TEST_F(ServiceRequests, SignOutClearsTenFieldsAndLogsOut)
{
    AccountRecord r{"1024", "zhang", "云端", "demo.example", "标准版", "2024-01-01", "2024-12-31",
                    "a1", "http://" + m_server.host(), "建站", "desc", "logo.png", "深圳",
                    "南山", "http://stat.example", "key", "info@demo.example"};
    clear_signed_out_fields(r);
    const AccountRecord expected{"", "", "", "", "", "", "", "", "http://" + m_server.host(), "",
                                 "desc", "logo.png", "深圳", "南山", "", "key",
                                 "info@demo.example"};
    EXPECT_EQ(std::tie(r.userid, r.username, r.web_name, r.web_url, r.web_type, r.web_starttime,
                       r.web_endtime, r.auth, r.site_url, r.seo_keywords, r.seo_description, r.logo,
                       r.seo_area, r.seo_extarea, r.stat_cnzz, r.stat_key, r.site_email),
              std::tie(expected.userid, expected.username, expected.web_name, expected.web_url,
                       expected.web_type, expected.web_starttime, expected.web_endtime,
                       expected.auth, expected.site_url, expected.seo_keywords,
                       expected.seo_description, expected.logo, expected.seo_area,
                       expected.seo_extarea, expected.stat_cnzz, expected.stat_key,
                       expected.site_email));

    send_logout(r.site_url);
    const auto sent = m_server.requests_to("/index.php");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].method, "GET");
    EXPECT_EQ(sent[0].target, "/index.php?g=Admin&m=Login&a=logout");
}

}  // namespace

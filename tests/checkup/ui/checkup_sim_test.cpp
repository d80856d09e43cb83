#include "client/checkup/ui/checkup_page.h"

#include "checkup/support/page_driver.h"
#include "client/account/account_session.h"
#include "client/settings/config_file.h"
#include "client/ui/app_context.h"
#include "client/ui/seams.h"
#include "client/web/endpoints.h"
#include "client/web/text.h"
#include "support/sim_process.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace checkup {
namespace {

using testsupport::SimProcess;

struct Scenario {
    const char* name; // empty: the plain fixtures
    const char* role;
    std::map<std::string, std::string> labels; // those that differ from the plain report
};

void PrintTo(const Scenario& scenario, std::ostream* out)
{
    *out << (*scenario.name ? scenario.name : "plain");
}

// The report of the demo customer's site as the simulator's pages give it.
std::map<std::string, std::string> plain_report()
{
    return {
        {"标签_百度权重1", "0"},
        {"标签_站内链1", "86"},
        {"标签_出站链接1", "12"},
        {"标签_反链1", "2341"},
        {"标签_域名IP1", "127.0.0.1"},
        {"标签_域名年龄1", web::domain_age("2009-03-18")},
        {"标签_备案信息1", "苏ICP备12034567号-1"},
        {"标签_收录情况1", "百度：1,286  360：942  搜狗：1,035"},
        {"标签_创建时间1", "2009-03-18"},
        {"标签_到期时间1", "2027-03-18"},
    };
}

class CheckupAgainstSimulator : public ::testing::TestWithParam<Scenario>,
                                protected checkup_test::PageDriver {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.ok()) << m_sim.error();
        ui::set_random_handler([](int, int high) { return high; });
        m_context.endpoints = web::load_endpoints(m_sim.run_dir());
        m_context.run_dir = QString::fromStdString(m_sim.run_dir());
        m_config = std::make_unique<settings::ConfigFile>(m_sim.run_dir());
        m_context.config = m_config.get();
        m_session = std::make_unique<account::AccountSession>(m_context.endpoints);
        ASSERT_TRUE(m_session->sign_in_request("qinghe", "secret").ok);
        m_session->set_signed_in(true);
        m_context.session = m_session.get();
        m_page = std::make_unique<CheckupPage>(m_context);
        set_page(m_page.get());
    }

    void TearDown() override
    {
        m_page.reset();
        ui::set_random_handler({});
    }

    std::size_t statistics_requests() const
    {
        return m_sim.log("aizhan").size() + m_sim.log("aizhan_whois").size();
    }
    void expect_report(const std::map<std::string, std::string>& labels) const
    {
        for (const auto& [name, value] : labels)
            EXPECT_EQ(text(name.c_str()).toStdString(), value) << name;
    }

    SimProcess m_sim;
    std::unique_ptr<settings::ConfigFile> m_config;
    std::unique_ptr<account::AccountSession> m_session;
    ui::AppContext m_context;
    std::unique_ptr<CheckupPage> m_page;
};

TEST_P(CheckupAgainstSimulator, LabelsShowTheSitesReport)
{
    const Scenario& scenario = GetParam();
    if (*scenario.name) {
        ASSERT_TRUE(m_sim.set_scenario(scenario.name, scenario.role));
    }
    std::map<std::string, std::string> report = plain_report();
    for (const auto& [name, value] : scenario.labels)
        report[name] = value;

    ASSERT_NO_FATAL_FAILURE(start_check_up());
    ASSERT_NO_FATAL_FAILURE(reveal_to_end());
    expect_report(report);
    EXPECT_EQ(statistics_requests(), 6u);

    // The same run of the client asks nothing again and shows the same.
    click("按钮_完成");
    click("按钮_立即体检");
    control<QTimer>("体验轮询")->stop();
    ASSERT_NO_FATAL_FAILURE(reveal_to_end(checkup_test::kept_on_rerun()));
    expect_report(report);
    EXPECT_EQ(statistics_requests(), 6u);
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, CheckupAgainstSimulator,
    ::testing::Values(
        Scenario{"", "", {}},
        Scenario{"no_baidu_link", "aizhan", {{"标签_收录情况1", "百度：0  360：942  搜狗：1,035"}}},
        Scenario{"whois_bad_date",
                 "aizhan_whois",
                 {{"标签_创建时间1", "2009年03月18日"}, {"标签_域名年龄1", "获取失败"}}},
        Scenario{"no_markers",
                 "aizhan",
                 {{"标签_站内链1", "获取失败"},
                  {"标签_出站链接1", "获取失败"},
                  {"标签_反链1", "获取失败"},
                  {"标签_备案信息1", "获取失败"},
                  {"标签_收录情况1", "获取失败"}}}),
    [](const ::testing::TestParamInfo<Scenario>& info) {
        return *info.param.name ? std::string(info.param.name) : std::string("plain");
    });

// A page missing during a cancelled check-up is asked for again by the next
// one, which fills only what is still empty.
TEST_F(CheckupAgainstSimulator, AfterCancelTheNextCheckUpFetchesAgain)
{
    ASSERT_TRUE(m_sim.set_scenario("no_markers", "aizhan_whois"));
    ASSERT_NO_FATAL_FAILURE(start_check_up());
    click("按钮_取消");
    tick("体验轮询");
    EXPECT_EQ(text("标签_创建时间1"), QStringLiteral("获取失败"));
    EXPECT_EQ(statistics_requests(), 6u);

    ASSERT_TRUE(m_sim.reset_scenarios());
    ASSERT_TRUE(m_sim.set_scenario("site", "aizhan", {{"outbound_links", "99"}}));
    click("按钮_取消");
    ASSERT_TRUE(QTest::qWaitFor([this] { return statistics_requests() == 12u && position() > 0; },
                                kWaitMs));
    control<QTimer>("体验轮询")->stop();
    ASSERT_NO_FATAL_FAILURE(reveal_to_end());
    std::map<std::string, std::string> report = plain_report();
    expect_report(report); // 出站链接 keeps the 12 of the first run
}

} // namespace
} // namespace checkup

#include "client/checkup/ui/checkup_page.h"

#include "checkup/support/page_driver.h"
#include "checkup/support/stats_server.h"
#include "client/account/account_session.h"
#include "client/settings/config_file.h"
#include "client/ui/app_context.h"
#include "client/ui/artwork.h"
#include "client/ui/seams.h"
#include "client/web/endpoints.h"
#include "client/web/text.h"
#include "support/temp_dir.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>

namespace checkup {
namespace {

using checkup_test::StatsPage;
using checkup_test::StatsServer;

// Looked up by host name: the site's IP comes from a real lookup.
constexpr const char* kSite = "localhost:8080";
constexpr int kWaitMs = checkup_test::PageDriver::kWaitMs;

const QColor kGreen(128, 224, 0);
const QColor kGrey(128, 128, 128);

using checkup_test::expected_visible;
using checkup_test::hidden_on_rerun;
using checkup_test::kept_on_rerun;

class CheckupPageTest : public ::testing::Test, protected checkup_test::PageDriver {
protected:
    void SetUp() override
    {
        ui::set_message_box_handler([this](const ui::MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return ui::Answer::Ok;
        });
        ui::set_random_handler([this](int low, int high) {
            EXPECT_EQ(low, 1);
            EXPECT_EQ(high, 4);
            return m_step;
        });
        serve_good_site();
        m_config = std::make_unique<settings::ConfigFile>(m_dir.str());
        m_context.run_dir = QString::fromStdString(m_dir.str());
        m_context.config = m_config.get();
        m_context.endpoints = web::default_endpoints();
        m_context.endpoints.aizhan = m_server.host();
        m_context.endpoints.aizhan_whois = m_server.host();
        m_session = std::make_unique<account::AccountSession>(m_context.endpoints);
        m_session->record().web_url = kSite;
        m_session->set_signed_in(true);
        m_context.session = m_session.get();
        m_page = std::make_unique<CheckupPage>(m_context);
        set_page(m_page.get());
    }

    void TearDown() override
    {
        m_page.reset();
        ui::set_message_box_handler({});
        ui::set_random_handler({});
    }

    void serve_good_site()
    {
        m_server.set_pages(StatsServer::Overview, {{200, checkup_test::overview_page(kSite)}});
        m_server.set_pages(StatsServer::Backlinks, {{200, checkup_test::backlink_reply()}});
        m_server.set_pages(StatsServer::Whois,
                           {{200, checkup_test::whois_page("2010-05-10", "2026-05-10")}});
    }

    testsupport::TempDir m_dir;
    StatsServer m_server;
    std::unique_ptr<settings::ConfigFile> m_config;
    std::unique_ptr<account::AccountSession> m_session;
    ui::AppContext m_context;
    std::unique_ptr<CheckupPage> m_page;
    std::vector<ui::MessageBoxRequest> m_boxes;
    int m_step = 3;
};

TEST_F(CheckupPageTest, SignedOutStartAsksToSignInFirst)
{
    m_session->set_signed_in(false);
    click("按钮_立即体检");
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("请先登陆"));
    EXPECT_EQ(m_boxes[0].title, QStringLiteral("提示"));
    EXPECT_EQ(m_page->tabs()->currentIndex(), 0);
    EXPECT_TRUE(m_server.targets().empty());
}

TEST_F(CheckupPageTest, ScanRevealsTheReportByPositionAndEndsAtFullProgress)
{
    ASSERT_NO_FATAL_FAILURE(start_check_up());
    EXPECT_EQ(m_page->tabs()->currentIndex(), 1);
    EXPECT_EQ(position(), 3);
    EXPECT_TRUE(visible("按钮_取消"));
    EXPECT_FALSE(visible("按钮_体检"));
    EXPECT_TRUE(shows("图片框3", ui::art::checkup_running));
    EXPECT_EQ(text("体验主提示"), QStringLiteral("正在检测，请耐心等候......"));
    EXPECT_EQ(control<QTimer>("时钟3")->interval(), 150);
    EXPECT_TRUE(control<QTimer>("时钟3")->isActive());

    ASSERT_NO_FATAL_FAILURE(reveal_to_end());
    // Steps of three pass 399 and end at 402.
    EXPECT_TRUE(positions().count(399));
    EXPECT_EQ(position(), 402);
    EXPECT_EQ(text("进度百分比"), QStringLiteral("100%"));

    const std::pair<const char*, const char*> values[] = {
        {"标签_百度权重1", "0"},
        {"标签_站内链1", "148"},
        {"标签_出站链接1", "23"},
        {"标签_反链1", "5862"},
        {"标签_域名IP1", "127.0.0.1"},
        {"标签_域名年龄1", ""}, // depends on today: checked below
        {"标签_备案信息1", "京ICP备10218183号-1"},
        {"标签_收录情况1", "百度：12,400  360：3,516  搜狗：8,932"},
        {"标签_创建时间1", "2010-05-10"},
        {"标签_到期时间1", "2026-05-10"},
    };
    for (const auto& [name, value] : values) {
        SCOPED_TRACE(name);
        if (*value) {
            EXPECT_EQ(text(name).toStdString(), value);
        }
    }
    EXPECT_EQ(text("标签_域名年龄1").toStdString(), web::domain_age("2010-05-10"));

    EXPECT_EQ(caption("按钮_体检"), QStringLiteral("重新体验"));
    EXPECT_TRUE(visible("按钮_体检"));
    EXPECT_TRUE(visible("按钮_完成"));
    EXPECT_FALSE(visible("按钮_取消"));
    // Both buttons of the end are there to be clicked.
    EXPECT_TRUE(reachable("按钮_体检"));
    EXPECT_TRUE(reachable("按钮_完成"));
    EXPECT_EQ(text("体验主提示"), QStringLiteral("体验完成"));
    EXPECT_EQ(status_colour(), kGreen);
    EXPECT_TRUE(shows("图片框3", ui::art::checkup_done));
    EXPECT_FALSE(control<QTimer>("时钟3")->isActive());
    EXPECT_EQ(text("体验时间差"), QStringLiteral("1"));
    EXPECT_TRUE(control<QTimer>("时钟8")->isActive());
    EXPECT_EQ(control<QTimer>("时钟8")->interval(), 60000);

    // After the end the loop goes on turning without effect.
    tick("体验轮询");
    EXPECT_EQ(position(), 402);
    EXPECT_EQ(m_server.targets().size(), 6u);
}

TEST_F(CheckupPageTest, SecondCheckUpRevealsTheKeptValuesWithoutRequests)
{
    ASSERT_NO_FATAL_FAILURE(start_check_up());
    ASSERT_NO_FATAL_FAILURE(reveal_to_end());
    const CheckupRecord first = m_page->record();
    click("按钮_完成");
    EXPECT_EQ(m_page->tabs()->currentIndex(), 0);

    m_server.set_pages(StatsServer::Overview, {{200, checkup_test::overview_page("changed.cn")}});
    m_step = 4;
    click("按钮_立即体检");
    control<QTimer>("体验轮询")->stop();
    EXPECT_EQ(m_page->tabs()->currentIndex(), 1);
    EXPECT_EQ(position(), 0);
    EXPECT_EQ(text("进度百分比"), QStringLiteral("0%"));
    EXPECT_EQ(text("体验主提示"), QStringLiteral("重新体检中，请稍后......"));
    // 按钮_完成 of the first run is still shown at the same place; the
    // repeated run can be cancelled all the same.
    EXPECT_TRUE(visible("按钮_完成"));
    EXPECT_TRUE(reachable("按钮_取消"));
    for (const char* name : hidden_on_rerun())
        EXPECT_FALSE(visible(name)) << name;
    EXPECT_TRUE(visible("标签_收录情况1")); // not among the hidden ones

    ASSERT_NO_FATAL_FAILURE(reveal_to_end(kept_on_rerun()));
    EXPECT_EQ(position(), 400);
    EXPECT_EQ(m_page->record(), first);
    EXPECT_EQ(text("标签_收录情况1"), QStringLiteral("百度：12,400  360：3,516  搜狗：8,932"));
    EXPECT_EQ(m_server.targets().size(), 6u);
}

TEST_F(CheckupPageTest, CancelThenRestartFetchesAgainAndFillsOnlyEmptyFields)
{
    m_server.set_pages(StatsServer::Whois, {{404, ""}});
    ASSERT_NO_FATAL_FAILURE(start_check_up());
    tick("体验轮询");
    click("按钮_取消");
    EXPECT_EQ(text("取消标签"), QStringLiteral("取消"));
    EXPECT_EQ(text("体验主提示"), QStringLiteral("体验已被取消，没有发现问题！"));
    EXPECT_EQ(status_colour(), kGrey);
    EXPECT_TRUE(shows("图片框3", ui::art::checkup_idle));
    EXPECT_EQ(caption("按钮_取消"), QStringLiteral("重新体验"));
    const int stopped_at = position();
    tick("体验轮询");
    EXPECT_FALSE(control<QTimer>("体验轮询")->isActive());
    EXPECT_EQ(position(), stopped_at);
    EXPECT_EQ(text("标签_创建时间1"), QStringLiteral("获取失败"));
    ASSERT_EQ(m_server.targets().size(), 6u);

    // The next run asks again; only the whois fields were missing.
    serve_good_site();
    m_server.set_pages(StatsServer::Overview, {{200, "<html>出站链接：999个</html>"}});
    click("按钮_取消");
    EXPECT_EQ(text("体验主提示"), QStringLiteral("正在检测，请耐心等候......"));
    EXPECT_EQ(status_colour(), kGreen);
    EXPECT_EQ(caption("按钮_取消"), QStringLiteral("取消"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return position() == 3; }, kWaitMs));
    control<QTimer>("体验轮询")->stop();
    EXPECT_EQ(m_server.targets().size(), 12u);
    EXPECT_EQ(m_page->record().outbound_links, "23");
    EXPECT_EQ(m_page->record().created, "2010-05-10");
    EXPECT_EQ(m_page->record().expires, "2026-05-10");
    EXPECT_EQ(text("标签_创建时间1"), QStringLiteral("2010-05-10"));
}

TEST_F(CheckupPageTest, EmptyFieldsReadAsFailures)
{
    m_server.set_pages(StatsServer::Overview, {{404, ""}});
    m_server.set_pages(StatsServer::Backlinks, {{404, ""}});
    m_server.set_pages(StatsServer::Whois, {{404, ""}});
    m_session->record().web_url = "127.0.0.1";
    ASSERT_NO_FATAL_FAILURE(start_check_up());
    for (const char* name :
         {"标签_站内链1", "标签_反链1", "标签_出站链接1", "标签_收录情况1", "标签_备案信息1",
          "标签_创建时间1", "标签_域名年龄1", "标签_到期时间1"}) {
        EXPECT_EQ(text(name), QStringLiteral("获取失败")) << name;
    }
    EXPECT_EQ(text("标签_百度权重1"), QStringLiteral("0"));
    EXPECT_EQ(text("标签_域名IP1"), QStringLiteral("127.0.0.1"));
}

TEST_F(CheckupPageTest, SignOutDuringTheScrapingShowsAnError)
{
    m_server.hold(StatsServer::Overview);
    click("按钮_立即体检");
    m_session->set_signed_in(false);
    m_server.release();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return text("体验主提示") == QStringLiteral("出现错误......"); }, kWaitMs));
    EXPECT_TRUE(reachable("按钮_体检"));
    EXPECT_TRUE(reachable("按钮_取消"));
    EXPECT_EQ(position(), 0);
    EXPECT_EQ(text("进度百分比"), QStringLiteral("0%"));
    EXPECT_TRUE(shows("图片框3", ui::art::checkup_idle));
    EXPECT_FALSE(control<QTimer>("时钟3")->isActive());
    EXPECT_FALSE(control<QTimer>("体验轮询")->isActive());
}

TEST_F(CheckupPageTest, SignOutDuringTheRevealStopsWithAnError)
{
    ASSERT_NO_FATAL_FAILURE(start_check_up());
    tick("体验轮询");
    m_session->set_signed_in(false);
    tick("体验轮询");
    EXPECT_EQ(text("体验主提示"), QStringLiteral("出现错误......"));
    EXPECT_EQ(position(), 0);
    EXPECT_TRUE(visible("按钮_体检"));
    EXPECT_FALSE(control<QTimer>("体验轮询")->isActive());
}

// The window keeps handling events while the statistics site is slow, and
// a cancel then ends the requests at once.
TEST_F(CheckupPageTest, WindowStaysResponsiveWhileFetching)
{
    m_server.hold(StatsServer::Overview);
    click("按钮_立即体检");
    bool fired = false;
    QTimer::singleShot(0, [&fired] { fired = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return fired && m_server.targets().size() == 1; }, kWaitMs));
    EXPECT_EQ(position(), 0);
    click("按钮_取消");
    EXPECT_EQ(caption("按钮_取消"), QStringLiteral("重新体验"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return position() > 0; }, kWaitMs));
    m_server.release();
    // The cancelled fetch stopped before its later requests.
    EXPECT_EQ(m_server.targets().size(), 1u);
}

struct HostilePage {
    const char* name;
    StatsPage page;
    const char* internal_links;
    const char* outbound_links;
    const char* icp_record;
};

void PrintTo(const HostilePage& page, std::ostream* out)
{
    *out << page.name;
}

class CheckupPageHostile : public CheckupPageTest,
                           public ::testing::WithParamInterface<HostilePage> {};

// Huge pages, another charset, markers repeated or unclosed: the scan runs
// to its end and every label reads a value or "获取失败".
TEST_P(CheckupPageHostile, ScanRunsToItsEnd)
{
    m_server.set_pages(StatsServer::Overview, {GetParam().page});
    ASSERT_NO_FATAL_FAILURE(start_check_up());
    ASSERT_NO_FATAL_FAILURE(reveal_to_end());
    EXPECT_EQ(text("体验主提示"), QStringLiteral("体验完成"));
    EXPECT_EQ(text("标签_站内链1"), QString::fromUtf8(GetParam().internal_links));
    EXPECT_EQ(text("标签_出站链接1"), QString::fromUtf8(GetParam().outbound_links));
    EXPECT_EQ(text("标签_备案信息1"), QString::fromUtf8(GetParam().icp_record));
    EXPECT_EQ(text("标签_反链1"), QStringLiteral("5862"));
}

std::string huge_page()
{
    std::string page(5 * 1024 * 1024, 'a');
    page.replace(100, 9, "icp_icp\">");
    page.replace(200, 15, "首页内链：");
    return page;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CheckupPageHostile,
    ::testing::Values(HostilePage{"huge", {200, huge_page()}, "获取失败", "获取失败", "获取失败"},
                      HostilePage{"gbk",
                                  {200, web::utf8_to_gbk(checkup_test::overview_page(kSite)),
                                   "text/html; charset=gbk"},
                                  "148",
                                  "23",
                                  "京ICP备10218183号-1"},
                      HostilePage{
                          "repeated",
                          {200, "出站链接：1个出站链接：2个 icp_icp\">A<icp_icp\">B< 首页内链：<<<<"
                                " var key_host = '"},
                          "获取失败",
                          "1",
                          "A"}),
    [](const ::testing::TestParamInfo<HostilePage>& info) { return std::string(info.param.name); });

TEST_F(CheckupPageTest, RemindersCountMinutesThenHours)
{
    m_step = 4;
    ASSERT_NO_FATAL_FAILURE(start_check_up());
    ASSERT_NO_FATAL_FAILURE(reveal_to_end());
    click("按钮_完成");
    EXPECT_EQ(text("体验标签"), QStringLiteral("体检良好"));
    EXPECT_EQ(text("体验标语"), QStringLiteral("请继续保持每天体检的习惯 ！"));
    EXPECT_EQ(text("体验提示"), QStringLiteral("上次体检时间是   分钟前"));
    EXPECT_FALSE(visible("透明标签3"));
    EXPECT_TRUE(visible("体验时间差"));
    EXPECT_TRUE(shows("电脑图", ui::art::computer_safe));

    // A second click changes no text.
    control<QLabel>("体验标语")->setText(QStringLiteral("marker"));
    click("按钮_完成");
    EXPECT_EQ(text("体验标语"), QStringLiteral("marker"));

    for (int minute = 2; minute <= 60; ++minute) {
        tick("时钟8");
        ASSERT_EQ(text("体验时间差"), QString::number(minute));
    }
    EXPECT_EQ(m_config->read("体验时间", "分钟差"), "60");
    tick("时钟8");
    EXPECT_EQ(text("体验提示"), QStringLiteral("上次体验时间是   小时前"));
    EXPECT_EQ(text("体验时间差"), QStringLiteral("1"));
    EXPECT_EQ(m_config->read("体验时间", "小时差"), "1");
    EXPECT_FALSE(control<QTimer>("时钟8")->isActive());
    EXPECT_TRUE(control<QTimer>("时钟9")->isActive());
    EXPECT_EQ(control<QTimer>("时钟9")->interval(), 60000);

    for (int minute = 2; minute <= 60; ++minute)
        tick("时钟9");
    EXPECT_EQ(text("分钟标签"), QStringLiteral("60"));
    EXPECT_EQ(m_config->read("体验时间", "分钟差"), "60");
    EXPECT_EQ(text("体验时间差"), QStringLiteral("1"));
    tick("时钟9");
    EXPECT_EQ(text("分钟标签"), QStringLiteral("1"));
    EXPECT_EQ(text("体验时间差"), QStringLiteral("2"));
    EXPECT_EQ(m_config->read("体验时间", "小时差"), "2");
}

TEST_F(CheckupPageTest, LaterScanCountsMinutesAgain)
{
    m_step = 4;
    ASSERT_NO_FATAL_FAILURE(start_check_up());
    ASSERT_NO_FATAL_FAILURE(reveal_to_end());
    click("按钮_完成");
    for (int minute = 1; minute <= 60; ++minute)
        tick("时钟8");
    ASSERT_TRUE(control<QTimer>("时钟9")->isActive());

    click("按钮_立即体检");
    control<QTimer>("体验轮询")->stop();
    ASSERT_NO_FATAL_FAILURE(reveal_to_end(kept_on_rerun()));
    EXPECT_FALSE(control<QTimer>("时钟9")->isActive());
    EXPECT_TRUE(control<QTimer>("时钟8")->isActive());
    EXPECT_EQ(text("体验提示"), QStringLiteral("上次体检时间是   分钟前"));
    EXPECT_EQ(text("体验时间差"), QStringLiteral("1"));
}

TEST_F(CheckupPageTest, NewPageShowsTheInitialTextsWhateverConfigHolds)
{
    m_config->write("体验时间", "分钟差", "17");
    m_config->write("体验时间", "小时差", "5");
    m_page = std::make_unique<CheckupPage>(m_context);
    set_page(m_page.get());
    const std::pair<const char*, const char*> initial[] = {
        {"体验标签", "没有体验"}, {"体验标语", "您的网站已经    天没有体检 ,建议立即体检！"},
        {"透明标签3", "1"},       {"体验提示", "建议您每天坚持网站的体检 ,随时关注您的网站"},
        {"体验时间差", "1"},      {"分钟标签", "1"},
    };
    for (const auto& [name, value] : initial)
        EXPECT_EQ(text(name), QString::fromUtf8(value)) << name;
    EXPECT_TRUE(shows("电脑图", ui::art::computer_warning));
    EXPECT_EQ(caption("按钮_体检"), QStringLiteral("体检"));
    EXPECT_FALSE(control<QTimer>("时钟8")->isActive());
    EXPECT_FALSE(control<QTimer>("时钟9")->isActive());
}

} // namespace
} // namespace checkup

#include "workspaces/ui/signed_in_window.h"

#include "client/workspaces/ui/browser_document_helper.h"
#include "client/workspaces/workspace_addresses.h"

#include <QLabel>
#include <QWebEngineView>

#include <optional>

namespace {

using workspacetest::SignedInWindow;

class StatisticsPage : public SignedInWindow {
protected:
    // The statistics page is on the simulator's "stat" role.
    std::vector<testsupport::SimProcess::LogEntry> stat_requests(const std::string& method)
    {
        std::vector<testsupport::SimProcess::LogEntry> found;
        for (auto& entry : requests("stat", path_of(record().stat_cnzz)))
            if (entry.method == method)
                found.push_back(std::move(entry));
        return found;
    }

    bool open_statistics(const char* variant)
    {
        EXPECT_TRUE(s_sim->set_scenario("stat_variant", "stat", {{"variant", variant}}));
        return open("按钮_查询统计");
    }
};

TEST_F(StatisticsPage, FillsThePasswordAndPressesViewData)
{
    control<QPushButton>("按钮_查询统计")->click();
    EXPECT_TRUE(control<QLabel>("透明标签_载入中1")->isVisible());
    EXPECT_TRUE(control("图片框7")->isVisible());
    EXPECT_FALSE(control("互联网浏览器1")->isVisible());
    ASSERT_TRUE(ui::wait_until([&] { return buttons_enabled(); }, 20, 30000));

    EXPECT_EQ(pages()->currentIndex(), 3);
    const auto shown = stat_requests("GET");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].header("User-Agent"), workspaces::kStatisticsUserAgent);
    const auto posted = stat_requests("POST");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_NE(posted[0].body.find("password=" + record().stat_key), std::string::npos) << posted[0].body;
    EXPECT_TRUE(control("互联网浏览器1")->isVisible());
    EXPECT_FALSE(control("透明标签_载入中1")->isVisible());
    EXPECT_FALSE(control("图片框7")->isVisible());
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(StatisticsPage, OtherBrowsersSendTheStatisticsAgentAfterwards)
{
    ASSERT_TRUE(open_statistics("plain"));
    ASSERT_TRUE(open("按钮_信息发布"));
    const auto seo = requests("service_site", "/index.php/clientseo/");
    ASSERT_FALSE(seo.empty());
    EXPECT_EQ(seo.back().header("User-Agent"), workspaces::kStatisticsUserAgent);
}

TEST_F(StatisticsPage, PasswordInputKnownByItsIdOnlyIsFilled)
{
    ASSERT_TRUE(open_statistics("id_only"));
    const auto posted = stat_requests("POST");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_NE(posted[0].body.find("view_pwd=" + record().stat_key), std::string::npos) << posted[0].body;
}

TEST_F(StatisticsPage, PageWithAVerificationNumberIsFilledButNotSubmitted)
{
    ASSERT_TRUE(open_statistics("number"));
    EXPECT_TRUE(stat_requests("POST").empty());
    EXPECT_EQ(stat_requests("GET").size(), 1u);

    workspaces::BrowserDocumentHelper helper;
    ASSERT_TRUE(helper.attach(control("互联网浏览器1")));
    std::optional<workspaces::ElementInfo> password;
    helper.find_text_input(QStringLiteral("password"), 0, [&](const auto& element) { password = element; });
    ASSERT_TRUE(ui::wait_until([&] { return password.has_value(); }, 10, 10000));
    EXPECT_EQ(password->value, QString::fromStdString(record().stat_key));
}

}  // namespace

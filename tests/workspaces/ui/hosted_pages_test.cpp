#include "workspaces/ui/signed_in_window.h"

#include "client/ui/picture_box.h"
#include "client/workspaces/workspace_addresses.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineView>

namespace {

using workspacetest::SignedInWindow;

class HostedPages : public SignedInWindow {
protected:
    std::string content_path(int tab) { return path_of(workspaces::content_tab_url(record().site_url, tab)); }
    std::string agent_of_last(const std::string& target)
    {
        const auto seen = requests("customer_site", target);
        return seen.empty() ? std::string() : seen.back().header("User-Agent");
    }
};

TEST_F(HostedPages, ContentManagementFromAnotherPageShowsArticlesOnce)
{
    ASSERT_EQ(pages()->currentIndex(), 0);
    ASSERT_TRUE(open("按钮_内容管理"));
    EXPECT_EQ(pages()->currentIndex(), 1);
    auto* tabs = control<QTabWidget>("高级选择夹1");
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), QStringLiteral("   文章管理   "));
    EXPECT_TRUE(tabs->isEnabled());
    EXPECT_TRUE(control("互联网浏览器_内容管理")->isVisible());
    ASSERT_EQ(requests("customer_site", content_path(1)).size(), 1u);
    EXPECT_EQ(agent_of_last(content_path(1)),
              session().browser_user_agent() + " Client:" + record().auth);

    // Opened again while shown: nothing is reloaded. A later tab load proves
    // any reload would have been issued by then.
    ASSERT_TRUE(open("按钮_内容管理"));
    tabs->setCurrentIndex(0);
    ASSERT_TRUE(eventually_requested("customer_site", content_path(0)));
    EXPECT_EQ(requests("customer_site", content_path(1)).size(), 1u);

    // Back from another page, the articles tab loads again.
    ASSERT_TRUE(open("按钮_订单查询"));
    ASSERT_TRUE(open("按钮_内容管理"));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(requests("customer_site", content_path(1)).size(), 2u);
}

TEST_F(HostedPages, TabChangeLoadsItsPageWithTheTabsDisabledMeanwhile)
{
    ASSERT_TRUE(open("按钮_内容管理"));
    auto* tabs = control<QTabWidget>("高级选择夹1");
    ASSERT_TRUE(s_sim->set_scenario("slow", "customer_site", {{"ms", "1200"}}));

    tabs->setCurrentIndex(6);
    EXPECT_FALSE(tabs->isEnabled());
    EXPECT_TRUE(control<QLabel>("透明标签_载入中")->isVisible());
    EXPECT_EQ(control<QLabel>("透明标签_载入中")->text(), QStringLiteral("载入中..."));
    EXPECT_TRUE(control("图片框9")->isVisible());
    EXPECT_FALSE(control("互联网浏览器_内容管理")->isVisible());

    // Until the browser has taken the navigation, another tab is refused.
    tabs->setCurrentIndex(3);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("请等待当前页面载入完成"));
    EXPECT_EQ(m_boxes[0].title, QStringLiteral("信息："));
    EXPECT_EQ(tabs->currentIndex(), 3);

    ASSERT_TRUE(ui::wait_until([&] { return tabs->isEnabled(); }, 20, 30000));
    EXPECT_FALSE(control("透明标签_载入中")->isVisible());
    EXPECT_FALSE(control("图片框9")->isVisible());
    EXPECT_TRUE(control("互联网浏览器_内容管理")->isVisible());
    EXPECT_EQ(requests("customer_site", "/index.php?g=Admin&m=Guestbook&a=index&menuid=55").size(), 1u);
    EXPECT_TRUE(requests("customer_site", content_path(3)).empty());
}

TEST_F(HostedPages, RegionalMarketingAppendsAuthWithNothingBeforeThePath)
{
    ASSERT_TRUE(open("按钮_分站营销"));
    EXPECT_EQ(pages()->currentIndex(), 7);
    const std::string target = "/index.php?g=Admin&m=Extarea&a=index&menuid=87&auth=" + record().auth;
    ASSERT_TRUE(eventually_requested("customer_site", target));
    EXPECT_EQ(control("互联网浏览器_分站营销")->geometry(), QRect(-1, 0, 902, 466));
    for (const auto& entry : s_sim->log("customer_site"))
        EXPECT_EQ(entry.target.rfind("/index.php?", 0), 0u) << entry.target;
}

TEST_F(HostedPages, MobilePreviewThenOrderQueryWithTheClientAgentAgain)
{
    ASSERT_TRUE(open("按钮_移动互联"));
    EXPECT_EQ(pages()->currentIndex(), 2);
    const auto site = requests("customer_site", "/");
    ASSERT_FALSE(site.empty());
    EXPECT_EQ(site.back().header("User-Agent"), workspaces::kMobileUserAgent);
    EXPECT_EQ(requests("account_server", "/erweima.php?u=" + record().web_url).size(), 1u);
    EXPECT_FALSE(control<ui::PictureBox>("图片框_二维码")->picture().isNull());
    EXPECT_FALSE(control<ui::PictureBox>("图片框10")->picture().isNull());
    EXPECT_TRUE(control("超文本浏览框3")->isVisible());
    EXPECT_FALSE(control("图片框11")->isVisible());

    ASSERT_TRUE(open("按钮_订单查询"));
    EXPECT_EQ(pages()->currentIndex(), 4);
    const std::string order = "/index.php?g=Admin&m=Order&a=index&menuid=58";
    ASSERT_TRUE(eventually_requested("customer_site", order));
    EXPECT_EQ(agent_of_last(order), session().browser_user_agent() + " Client:" + record().auth);
}

TEST_F(HostedPages, QrReplyThatIsNoImageLeavesTheBoxEmpty)
{
    ASSERT_TRUE(open("按钮_移动互联"));
    ASSERT_FALSE(control<ui::PictureBox>("图片框_二维码")->picture().isNull());
    ASSERT_TRUE(s_sim->set_scenario("not_image", "account_server"));
    ASSERT_TRUE(open("按钮_移动互联"));
    EXPECT_EQ(requests("account_server", "/erweima.php?u=" + record().web_url).size(), 2u);
    EXPECT_TRUE(control<ui::PictureBox>("图片框_二维码")->picture().isNull());
    EXPECT_EQ(pages()->currentIndex(), 2);
    EXPECT_TRUE(control("超文本浏览框3")->isVisible());
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(HostedPages, WechatLeavesTheAgentAlone)
{
    ASSERT_TRUE(open("按钮_移动互联"));
    ASSERT_TRUE(open("按钮_微信"));
    EXPECT_EQ(pages()->currentIndex(), 8);
    EXPECT_EQ(ui::browser_user_agent(), QString::fromLatin1(workspaces::kMobileUserAgent));
}

TEST_F(HostedPages, RightClickInABackEndPageOpensNoMenu)
{
    ASSERT_TRUE(open("按钮_内容管理"));
    auto* browser = control<QWebEngineView>("互联网浏览器_内容管理");
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    // Right-click until the page has asked for its menu (a page that has
    // just been shown may not take input yet).
    ASSERT_TRUE(ui::wait_until(
        [&] {
            QWidget* surface = browser->focusProxy() ? browser->focusProxy() : browser;
            QTest::mouseClick(surface, Qt::RightButton, Qt::NoModifier, QPoint(60, 60));
            return browser->lastContextMenuRequest() != nullptr;
        },
        200, 10000));
    QCoreApplication::processEvents();
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QMenu*>(widget) && widget->isVisible());
}

}  // namespace

#include "client/workspaces/workspace_addresses.h"

#include <gtest/gtest.h>

namespace {

using namespace workspaces;

TEST(WorkspaceAddresses, ContentTabsAppendTheirPathToSiteUrlAsItIs)
{
    const std::string site = "http://shop.example:8080";
    const struct {
        int tab;
        std::string expected;
    } cases[] = {
        {0, site + "/index.php?g=Admin&m=Category&menuid=17"},
        {1, site + "/index.php?g=Admin&m=Article&menuid=20"},
        {2, site + "/index.php?g=Admin&m=Product&menuid=22"},
        {3, site + "/index.php?g=Admin&m=Picture&menuid=26"},
        {4, site + "/index.php?g=Admin&m=Download&menuid=27"},
        {5, site + "/index.php?g=Admin&m=Feedback&a=index&menuid=49"},
        {6, site + "/index.php?g=Admin&m=Guestbook&a=index&menuid=55"},
        {-1, ""},
        {7, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        EXPECT_EQ(content_tab_url(site, c.tab), c.expected);
    }
}

TEST(WorkspaceAddresses, TabTitlesArePaddedWithThreeSpaces)
{
    EXPECT_STREQ(kContentTabTitles[1], "   文章管理   ");
    EXPECT_STREQ(kContentTabTitles[6], "   留言管理   ");
}

TEST(WorkspaceAddresses, PageAddresses)
{
    EXPECT_EQ(order_query_url("http://s"), "http://s/index.php?g=Admin&m=Order&a=index&menuid=58");
    EXPECT_EQ(regional_marketing_url("http://s", "a1b2"),
              "http://s/index.php?g=Admin&m=Extarea&a=index&menuid=87&auth=a1b2");
    EXPECT_EQ(qr_code_url("http://acc:81", "www.shop.cn"), "http://acc:81/erweima.php?u=www.shop.cn");
    EXPECT_EQ(platform_list_url("http://acc"), "http://acc/index.php?m=Qunfa&a=index");
    EXPECT_EQ(seo_page_url("http://svc"), "http://svc/index.php/clientseo/");
    EXPECT_EQ(connectivity_test_url("http://bd:9"), "http://bd:9/");
}

}  // namespace

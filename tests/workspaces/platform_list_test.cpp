#include "client/workspaces/platform_list.h"

#include "workspaces/local_site.h"

#include <gtest/gtest.h>

namespace {

using workspaces::Platform;

struct ParseCase {
    const char* label;
    std::string reply;
    std::vector<Platform> expected;
};

class ParsePlatformList : public testing::TestWithParam<ParseCase> {};

TEST_P(ParsePlatformList, ReadsMembersInReplyOrder)
{
    EXPECT_EQ(workspaces::parse_platform_list(GetParam().reply), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ParsePlatformList,
    testing::Values(
        ParseCase{"order kept, not sorted",
                  R"({"新浪博客":"http://blog.sina.com.cn","百度贴吧":"http://tieba.baidu.com","58同城":"http://58.com"})",
                  {{"新浪博客", "http://blog.sina.com.cn"},
                   {"百度贴吧", "http://tieba.baidu.com"},
                   {"58同城", "http://58.com"}}},
        ParseCase{"escaped slashes and quotes inside the address",
                  R"({"a":"http:\/\/x.cn\/\"q\"","b":"\"http://y.cn\""})",
                  {{"a", "http://x.cn/q"}, {"b", "http://y.cn"}}},
        ParseCase{"repeated names are all kept",
                  R"({"a":"1","a":"2"})", {{"a", "1"}, {"a", "2"}}},
        ParseCase{"non-string values as their JSON text without quotes",
                  R"({"n":12,"z":null,"o":{"k":"v"}})",
                  {{"n", "12"}, {"z", "null"}, {"o", "{k:v}"}}},
        ParseCase{"byte order mark and blanks around", "\xEF\xBB\xBF \n{\"a\":\"b\"}\n", {{"a", "b"}}},
        ParseCase{"empty object", "{}", {}},
        ParseCase{"empty reply", "", {}},
        ParseCase{"html error page", "<html><body>502 Bad Gateway</body></html>", {}},
        ParseCase{"array, not an object", R"(["a","b"])", {}},
        ParseCase{"truncated", R"({"a":"http://x.cn","b":"ht)", {}},
        ParseCase{"trailing garbage", R"({"a":"b"} trailing)", {}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return "case" + std::to_string(info.index); });

class PlatformServer : public testing::Test {
protected:
    void SetUp() override
    {
        m_site.server().Get("/index.php", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(R"({"一号平台":"http://one.example","二号平台":"http://two.example"})",
                                 "application/json; charset=utf-8");
        });
        m_site.start();
    }

    testsupport::LocalSite m_site;
};

TEST_F(PlatformServer, LoadsTheListFromTheAccountServer)
{
    const auto platforms = workspaces::load_platform_list(m_site.base());
    const std::vector<Platform> expected = {{"一号平台", "http://one.example"},
                                            {"二号平台", "http://two.example"}};
    EXPECT_EQ(platforms, expected);
    const auto seen = m_site.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_EQ(seen[0].target, "/index.php?m=Qunfa&a=index");
}

TEST_F(PlatformServer, StoppedOrUnreachableGivesAnEmptyList)
{
    std::stop_source stopped;
    stopped.request_stop();
    EXPECT_TRUE(workspaces::load_platform_list(m_site.base(), stopped.get_token()).empty());

    m_site.stop();
    EXPECT_TRUE(workspaces::load_platform_list(m_site.base()).empty());
}

}  // namespace

#include "client/account/json_members.h"

#include <gtest/gtest.h>

namespace {

using account::JsonMembers;

TEST(JsonMembers, KeepsEachMemberAsItsRawTextAndItsValue)
{
    const JsonMembers m = JsonMembers::parse(
        R"({"login":"ok", "userid" : 1024 ,"web_url":"http:\/\/demo.example","nested":{"a":[1, 2]},)"
        R"("flag":true,"none":null,"name":"\u5f20\u4e09"})");
    ASSERT_TRUE(m.is_object());
    struct Case {
        const char* name;
        const char* raw;
        const char* text;
    };
    const Case cases[] = {
        {"login", R"("ok")", "ok"},
        {"userid", "1024", "1024"},
        {"web_url", R"("http:\/\/demo.example")", "http://demo.example"},
        {"nested", R"({"a":[1, 2]})", R"({"a":[1, 2]})"},
        {"flag", "true", "true"},
        {"none", "null", "null"},
        {"name", R"("\u5f20\u4e09")", "张三"},
        {"missing", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(m.raw(c.name), c.raw);
        EXPECT_EQ(m.text(c.name), c.text);
    }
    EXPECT_EQ(m.names(), (std::vector<std::string>{"login", "userid", "web_url", "nested", "flag",
                                                   "none", "name"}));
}

TEST(JsonMembers, AnythingButOneWholeObjectReadsEmpty)
{
    const char* replies[] = {
        "",
        "<html>502 Bad Gateway</html>",
        R"({"alert":"x","login":"ok")",          // cut off
        R"({"alert":"x","login":"ok"} trailing)",  // garbage after the object
        R"(["alert","x"])",
        R"("alert")",
        "1",
    };
    for (const char* reply : replies) {
        SCOPED_TRACE(reply);
        const JsonMembers m = JsonMembers::parse(reply);
        EXPECT_FALSE(m.is_object());
        EXPECT_EQ(m.raw("alert"), "");
        EXPECT_TRUE(m.names().empty());
    }
}

TEST(JsonMembers, FirstOfRepeatedNamesWins)
{
    const JsonMembers m = JsonMembers::parse(R"({"version":"V1","version":"V2"})");
    EXPECT_EQ(m.text("version"), "V1");
}

}  // namespace

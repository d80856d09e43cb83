#include "client/account/update_check.h"

#include <gtest/gtest.h>

namespace {

using namespace account;

TEST(UpdateCheck, VersionsCompareWithoutLetterCase)
{
    struct Case {
        const char* published;
        bool same;
    };
    const Case cases[] = {
        {"V3.0.6", true}, {"v3.0.6", true}, {"V3.0.5", false}, {"V3.1.0", false},
        {"V3.0.6 ", false}, {"3.0.6", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.published);
        EXPECT_EQ(same_version(c.published), c.same);
    }
}

TEST(UpdateCheck, ManifestMembersAreReadAsValues)
{
    struct Case {
        const char* reply;
        const char* version;
        const char* softurl;
    };
    const Case cases[] = {
        {R"({"version":"V3.1.0","softurl":"http:\/\/dl.example\/client 2.zip"})", "V3.1.0",
         "http://dl.example/client 2.zip"},
        {R"({"softurl":"http://dl.example/a.zip"})", "", "http://dl.example/a.zip"},
        {"version=V3.1.0", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        const VersionManifest m = parse_manifest(c.reply);
        EXPECT_EQ(m.version, c.version);
        EXPECT_EQ(m.softurl, c.softurl);
    }
}

TEST(UpdateCheck, CommandLineEncodesSpacesInsideTheFieldsOnly)
{
    const UpdaterLaunch launch =
        updater_launch("/home/u/My Apps/varnel", "http://dl.example/pkg/client 2.zip");
    EXPECT_EQ(launch.program, "/home/u/My Apps/varnel/update");
    EXPECT_EQ(launch.argument,
              "自动更新<#>如果自动更新失败，请点此至官网下载<#>http://dl.example/pkg/client<?>2.zip"
              "<#>/home/u/My<?>Apps/varnel<#>http://dl.example/pkg/client<?>2.zip<#>自动更新完成"
              "<#>假");
}

TEST(UpdateCheck, EmptyFieldsKeepTheirPlaces)
{
    EXPECT_EQ(encode_updater_fields({"a b", "", "  "}), "a<?>b<#><#><?><?>");
    EXPECT_EQ(updater_fields("", "/opt/v").size(), 7u);
}

TEST(UpdateCheck, NoServiceBaseFailsWithoutARequest)
{
    EXPECT_EQ(check_for_update("").outcome, UpdateOutcome::Failed);
}

}  // namespace

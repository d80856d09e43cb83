#include "update/command_line.h"
#include "update/download_kind.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using update::DownloadKind;
using update::UpdateTask;

std::vector<std::string> fields_of(const UpdateTask& t)
{
    return {t.window_title,     t.link_caption,       t.link_address,      t.install_path,
            t.download_address, t.completion_message, t.open_after_install};
}

struct CommandLineCase {
    const char* name;
    std::vector<std::string> argv;                  // program path first
    std::optional<std::vector<std::string>> fields; // nothing: rejected
};

const std::string kWorked =
    "自动更新<#>如果自动更新失败，请点此至官网下载<#>http://host/pkg/client<?>2.zip<#>"
    "/home/u/Apps/Client<#>http://host/pkg/client<?>2.zip<#>自动更新完成<#>假";
const std::vector<std::string> kWorkedFields = {"自动更新",
                                                "如果自动更新失败，请点此至官网下载",
                                                "http://host/pkg/client 2.zip",
                                                "/home/u/Apps/Client",
                                                "http://host/pkg/client 2.zip",
                                                "自动更新完成",
                                                "假"};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, DecodesFieldsOrRejects)
{
    const CommandLineCase& c = GetParam();
    const std::optional<UpdateTask> task = update::parse_command_line(c.argv);
    ASSERT_EQ(task.has_value(), c.fields.has_value());
    if (task) {
        EXPECT_EQ(fields_of(*task), *c.fields);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    ::testing::Values(
        CommandLineCase{"WorkedExample", {"/home/u/Apps/Client/update", kWorked}, kWorkedFields},
        CommandLineCase{"ProgramPathWithSpaceNeverGluedToFirstField",
                        {"/home/u/My Apps/Client/update", kWorked},
                        kWorkedFields},
        CommandLineCase{"FieldsSplitOverSeveralArgumentsJoinWithNothingBetween",
                        {"/x/update", "自动更新<#>如果自动更新失败，",
                         "请点此至官网下载<#>http://host/pkg/",
                         "client<?>2.zip<#>/home/u/Apps/Client<#>http://host/pkg/client<?>2.zip<#>",
                         "自动更新完成<#>假"},
                        kWorkedFields},
        CommandLineCase{"EightFieldsRejected", {"/x/update", kWorked + "<#>多余"}, std::nullopt},
        CommandLineCase{"EmptySeventhFieldIsNotCounted",
                        {"/x/update", "a<#>b<#>c<#>/d/e<#>http://h/f.zip<#>g<#>"},
                        std::nullopt},
        CommandLineCase{
            "EmptyMiddleFieldCounts",
            {"/x/update", "标题<#><#>http://h/f.zip<#>/d/e<#>http://h/f.zip<#>不提示<#>真"},
            std::vector<std::string>{"标题", "", "http://h/f.zip", "/d/e", "http://h/f.zip",
                                     "不提示", "真"}},
        CommandLineCase{
            "SpaceMarkInsideFieldBecomesSpace",
            {"/x/update", "a<#>b<#>c<#>/d/e<#>http://h/f.zip<#>更新<?>已<?><?>完成<#>假"},
            std::vector<std::string>{"a", "b", "c", "/d/e", "http://h/f.zip", "更新 已  完成",
                                     "假"}},
        CommandLineCase{"ChineseAroundMarkersStaysWhole",
                        {"/x/update", "窗口<#>链接文字<#>地址<#>路径<#>下载<#>消息<?>文字<#>真"},
                        std::vector<std::string>{"窗口", "链接文字", "地址", "路径", "下载",
                                                 "消息 文字", "真"}},
        CommandLineCase{"NoArgumentsRejected", {"/x/update"}, std::nullopt},
        CommandLineCase{"EmptyArgumentRejected", {"/x/update", ""}, std::nullopt},
        CommandLineCase{"NoProgramPathRejected", {}, std::nullopt}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) {
        return std::string(info.param.name);
    });

TEST(SplitFieldsTest, EmptyLastFieldDroppedOthersKept)
{
    const struct {
        std::string text;
        std::vector<std::string> fields;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"<#>", {""}},
        {"a<#>", {"a"}},
        {"<#><#>b", {"", "", "b"}},
        {"a<#>b<#>", {"a", "b"}},
        {"<#<#>>", {"<#", ">"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(update::split_fields(c.text), c.fields);
    }
}

TEST(DownloadKindTest, FirstMatchingRuleWins)
{
    const struct {
        const char* address;
        std::optional<DownloadKind> kind;
    } cases[] = {
        {"http://h/pkg/client.zip", DownloadKind::Zip},
        {"http://h/pkg/CLIENT.ZIP", DownloadKind::Zip},
        {"http://h/pkg/setup.EXE", DownloadKind::Exe},
        {"http://h/get?file=client.zip&v=3", DownloadKind::Zip},
        {"http://h/get?file=setup.exe&v=3", DownloadKind::Exe},
        {"http://h/setup.exe/client.zip?x", DownloadKind::Zip},    // both inside: zip first
        {"http://h/client.zip?name=setup.exe", DownloadKind::Exe}, // the ending decides first
        {"http://h/pkg/client.rar", std::nullopt},
        {"http://h/pkg/client", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(update::download_kind(c.address), c.kind);
    }
}

TEST(HttpPrefixTest, OnlyLowerCasePlainHttpAccepted)
{
    const struct {
        const char* address;
        bool accepted;
    } cases[] = {
        {"http://h/a.zip", true},  {"https://h/a.zip", false},
        {"HTTP://h/a.zip", false}, {"Http://h/a.zip", false},
        {"ftp://h/a.zip", false},  {" http://h/a.zip", false},
        {"http:/h/a.zip", false},  {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(update::has_http_prefix(c.address), c.accepted);
    }
}

} // namespace

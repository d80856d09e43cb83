#include "client/account/sign_in_protocol.h"

#include <gtest/gtest.h>

namespace {

using namespace account;

TEST(SignInProtocol, FormValuesGoRawInTheirOrder)
{
    EXPECT_EQ(sign_in_body("张三 ", "p&w=d%20", 42),
              "username=张三 &password=p&w=d%20&verifyCode=647&rand=42");
}

TEST(SignInProtocol, Addresses)
{
    web::Endpoints endpoints;
    endpoints.account_server = "127.0.0.1:8001";
    EXPECT_EQ(sign_in_url(endpoints),
              "http://127.0.0.1:8001/index.php?g=User&m=Login&a=clientlogin");
    EXPECT_EQ(register_url(endpoints), "http://127.0.0.1:8001/index.php?g=User&m=Register&a=index");
    EXPECT_EQ(client_info_url("demo.example:81", "zhang", "a1b2", 7),
              "http://demo.example:81/index.php?g=User&m=Login&a=sendclientinfo"
              "&username=zhang&auth=a1b2&rand=7");
}

TEST(SignInProtocol, FieldCleaning)
{
    struct Case {
        std::string (*clean)(std::string_view);
        const char* raw;
        const char* cleaned;
    };
    const Case cases[] = {
        {remove_quotes, R"("a\"b")", R"(a\b)"},
        {remove_quotes, "1024", "1024"},
        {clean_web_url, R"("http:\/\/demo.example")", "demo.example"},
        {clean_web_url, R"("http://demo.example")", "http://demo.example"},
        {clean_web_url, R"("a.example\/http:\/\/b")", R"(a.example\/b)"},
        {clean_quotes_and_backslashes, R"("http:\/\/site.example\/")", "http://site.example/"},
        {clean_quotes_and_backslashes, R"x("Mozilla\/5.0 (X11)")x", "Mozilla/5.0 (X11)"},
        {clean_quotes_and_backslashes, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(c.clean(c.raw), c.cleaned);
    }
}

TEST(SignInProtocol, EditionsAreTheDigitsOneToThreeOnly)
{
    struct Case {
        const char* web_type;
        int edition;
        const char* name;
    };
    const Case cases[] = {
        {"1", 1, "基础版"}, {"2", 2, "标准版"}, {"3", 3, "至尊版"},
        {"4", 0, ""},       {"0", 0, ""},       {"12", 0, ""},
        {" 1", 0, ""},      {"", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.web_type);
        EXPECT_EQ(edition_of(c.web_type), c.edition);
        EXPECT_EQ(edition_name(edition_of(c.web_type)), c.name);
    }
}

}  // namespace

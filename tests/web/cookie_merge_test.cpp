// Cookie domains and the merge of two cookie strings.

#include "client/web/cookies.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CookieDomain, TakesHostAfterSchemeWithPortAndLabelRules)
{
    const struct {
        std::string url;
        bool two_labels;
        bool keep_port;
        std::string expected;
    } cases[] = {
        {"https://Aa.Bb.Cc:8080/path/x", true, false, "bb.cc"},
        {"https://Aa.Bb.Cc:8080/path/x", false, false, "aa.bb.cc"},
        {"https://Aa.Bb.Cc:8080/path/x", false, true, "aa.bb.cc:8080"},
        {"https://Aa.Bb.Cc:8080/path/x", true, true, "bb.cc:8080"},
        {"WWW.Example.COM", false, false, "www.example.com"},
        {"WWW.Example.COM", true, false, "example.com"},
        {"http://localhost:8080/x", true, false, "localhost"},
        {"http://192.168.1.20/", true, false, "1.20"},
        {"see http://a.b.com/x then https://c.d.net/", true, false, "b.com"},
        {"x https://c.d.net/", false, false, "c.d.net"},
        {"HTTP://A.B.COM/", false, false, "http"},  // the scheme is matched as written
        {"http://a.b.c/?u=http://x.y/", false, false, "a.b.c"},
        {"", true, false, ""},
        {"http://", true, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url + (c.two_labels ? " two" : "") + (c.keep_port ? " port" : ""));
        EXPECT_EQ(web::cookie_domain(c.url, c.two_labels, c.keep_port), c.expected);
    }
}

struct MergeCase {
    const char* what;
    std::string base;
    std::string extra;
    std::string expected;
};

TEST(MergeCookies, ExtraWinsAndDeletionsDropOut)
{
    const MergeCase cases[] = {
        {"replace and append", "a=1; b=2;", "b=3; c=4;", "a=1; b=3; c=4;"},
        {"empty value deletes", "a=1;", "a=;", ""},
        {"deleted deletes", "a=1;", "a=deleted", ""},
        {"deletion keeps the others", "a=1; b=2; c=3", "b=deleted", "a=1; c=3;"},
        {"both empty", "", "", ""},
        {"blank piece appended beside the first pair", "b=2;", "x=1; b=3;", "b=2; x=1; b=3;"},
        {"name matched ignoring case", "SID=1; x=2", "sid=9", "sid=9; x=2;"},
        {"value with equals signs", "", "k=a=b;", "k=a=b;"},
        {"blanks at both ends", "  a=1  ", " \t ", "a=1;"},
        {"closing semicolon optional", "a=1", "b=2", "a=1; b=2;"},
        {"empty pieces dropped", "a=1;;  ;b=2", "", "a=1; b=2;"},
        {"pieces without equals ignored in extra", "a=1;", "junk; b=2", "a=1; b=2;"},
        {"blank name is not a cookie", "a=1;", "=x; b=2", "a=1; b=2;"},
        {"name found inside an earlier name", "xa=1;", "a=2", "xa=2;"},
        {"every copy of the old pair replaced", "a=1; ba=1;", "a=2", "a=2; ba=2;"},
        {"new value containing the old one", "a=1;", "a=11", "a=11;"},
        {"deletion of a missing name", "a=1;", "z=", "a=1;"},
        {"UTF-8 values kept", "n=中文;", "m=值", "n=中文; m=值;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string base = c.base;
        std::string extra = c.extra;
        EXPECT_EQ(web::merge_cookies(base, extra), c.expected);
        EXPECT_EQ(base, c.expected);
    }
}

TEST(MergeCookies, TrimsAndClosesBothArgumentsInPlace)
{
    std::string base = " a=1 ";
    std::string extra = "  b=2 ";
    web::merge_cookies(base, extra);
    EXPECT_EQ(extra, "b=2;");
    std::string empty_extra = "   ";
    web::merge_cookies(base, empty_extra);
    EXPECT_EQ(empty_extra, "");
}

TEST(MergeCookies, HundredThousandPairsLoseNothing)
{
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += "c" + std::to_string(i) + "=" + std::to_string(i) + "; ";
    std::string expected = many;
    expected.pop_back();

    std::string base;
    std::string extra = many;
    EXPECT_EQ(web::merge_cookies(base, extra), expected);

    // The same names again with new values: every pair is replaced in place.
    std::string renewed;
    std::string renewed_expected;
    for (int i = 0; i < 100000; ++i) {
        renewed += "c" + std::to_string(i) + "=v" + std::to_string(i) + "; ";
    }
    renewed_expected = renewed;
    renewed_expected.pop_back();
    EXPECT_EQ(web::merge_cookies(base, renewed), renewed_expected);
}

}  // namespace

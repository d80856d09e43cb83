// Cookie domains and the merge of two cookie strings.

#include "client/web/cookies.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// The merge rule written the slow, obvious way over the whole string: the
// indexed implementation must agree with it on any input.
std::string fold(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return s;
}

std::string trim_blanks(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::string reference_merge(std::string base, std::string extra)
{
    base = trim_blanks(base);
    extra = trim_blanks(extra);
    if (!base.empty() && base.back() != ';')
        base += ';';
    if (!extra.empty() && extra.back() != ';')
        extra += ';';
    std::size_t start = 0;
    while (start < extra.size()) {
        const std::size_t end = extra.find(';', start);
        const std::string piece = extra.substr(start, end - start);
        start = end + 1;
        const std::size_t eq = piece.find('=');
        if (eq == std::string::npos || trim_blanks(piece.substr(0, eq)).empty())
            continue;
        const std::string name = fold(piece.substr(0, eq));
        const std::size_t at = fold(base).find(name);
        if (at == std::string::npos) {
            base += piece + ";";
            continue;
        }
        std::size_t old_end = base.find(';', at + name.size());
        if (old_end == std::string::npos)
            old_end = base.size();
        const std::string old = fold(base.substr(at, old_end - at));
        std::string out;
        std::size_t copied = 0;
        const std::string folded = fold(base);
        for (std::size_t hit = folded.find(old); hit != std::string::npos;
             hit = folded.find(old, copied)) {
            out += base.substr(copied, hit - copied) + piece;
            copied = hit + old.size();
        }
        base = out + base.substr(copied);
    }
    std::string merged;
    start = 0;
    while (start < base.size()) {
        const std::size_t end = base.find(';', start);
        const std::string pair = trim_blanks(base.substr(start, end - start));
        start = end + 1;
        const bool deletion = !pair.empty() && (pair.back() == '=' ||
                                                (pair.size() >= 8 && pair.ends_with("=deleted")));
        if (!pair.empty() && !deletion)
            merged += pair + "; ";
    }
    return trim_blanks(merged);
}

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

TEST(MergeCookies, AgreesWithTheWholeStringRuleOnRandomInput)
{
    // A tiny alphabet makes names collide, hide inside other pairs and
    // differ only in case; sizes reach past the point where the merge
    // switches to its index.
    std::mt19937 random(20240611);
    const std::string alphabet = "aAbB= =dl";
    auto random_pairs = [&](int count) {
        std::string s;
        for (int i = 0; i < count; ++i) {
            const int len = 1 + static_cast<int>(random() % 7);
            for (int k = 0; k < len; ++k)
                s += alphabet[random() % alphabet.size()];
            if (random() % 9 == 0)
                s += "=deleted";
            s += (random() % 4 == 0) ? ";" : "; ";
        }
        return s;
    };
    for (int round = 0; round < 300; ++round) {
        const std::string base = random_pairs(static_cast<int>(random() % 200));
        const std::string extra = random_pairs(static_cast<int>(random() % 200));
        SCOPED_TRACE("base: " + base + "\nextra: " + extra);
        std::string b = base;
        std::string e = extra;
        ASSERT_EQ(web::merge_cookies(b, e), reference_merge(base, extra));
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

    // Many short names: first all new, then all replaced where they stand.
    auto short_names = [](char value) {
        const std::string alphabet = "abdefghijklmnopqrstuvwxyz0123456789";
        std::string s = std::string("zz=") + value + "; ";
        for (const char a : alphabet)
            for (const char b : alphabet)
                s += std::string{a, b, '=', value, ';', ' '};
        return s;
    };
    std::string first = short_names('1');
    web::merge_cookies(base, first);
    std::string second = short_names('2');
    std::string expected_short = renewed_expected + " " + short_names('2');
    expected_short.pop_back();
    EXPECT_EQ(web::merge_cookies(base, second), expected_short);
}

}  // namespace

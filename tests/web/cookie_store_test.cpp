// The process-wide cookie store and the two helpers on top of it.

#include "client/web/cookies.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

class CookieStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store().set_listener({});
        store().clear();
    }
    void TearDown() override { SetUp(); }
    static web::CookieStore& store() { return web::CookieStore::instance(); }
};

TEST_F(CookieStoreTest, StoreKeepsValuesWithEqualsSigns)
{
    web::store_cookies("www.example.com", "k=a=b;");
    const auto all = store().all();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].domain, "www.example.com");
    EXPECT_EQ(all[0].name, "k");
    EXPECT_EQ(all[0].value, "a=b");
    EXPECT_EQ(web::stored_cookies("www.example.com"), "k=a=b");
}

TEST_F(CookieStoreTest, CookiesAreKeyedByHostWithoutPortOrCase)
{
    web::store_cookies("http://WWW.Example.com:81/x", "a=1; b=2;");
    EXPECT_EQ(web::stored_cookies("www.example.com"), "a=1; b=2");
    EXPECT_EQ(store().cookies_for("https://www.EXAMPLE.com/path"), "a=1; b=2");
    EXPECT_EQ(web::stored_cookies("example.com"), "");
    EXPECT_EQ(web::stored_cookies("other.org"), "");
}

TEST_F(CookieStoreTest, LaterValuesReplaceAndDeletionsRemove)
{
    const struct {
        const char* what;
        std::string cookies;
        std::string expected;
    } steps[] = {
        {"first set", "a=1; b=2; c=3", "a=1; b=2; c=3"},
        {"replace keeps order", "b=9", "a=1; b=9; c=3"},
        {"leading blank of a name dropped", " c=4;", "a=1; b=9; c=4"},
        {"empty value removes", "a=", "b=9; c=4"},
        {"deleted removes", "c=deleted", "b=9"},
        {"pieces without a name ignored", "=5; junk; ;", "b=9"},
        {"removing the last empties", "b=", ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        web::store_cookies("site.test", step.cookies);
        EXPECT_EQ(web::stored_cookies("site.test"), step.expected);
    }
}

TEST_F(CookieStoreTest, TextLongerThanTheLimitReadsAsEmpty)
{
    // "k=" + value: 1024 bytes fit, 1025 do not.
    web::store_cookies("big.test", "k=" + std::string(1022, 'v'));
    EXPECT_EQ(web::stored_cookies("big.test").size(), 1024u);
    web::store_cookies("big.test", "k=" + std::string(1023, 'v'));
    EXPECT_EQ(web::stored_cookies("big.test"), "");
    EXPECT_EQ(store().cookies_for("http://big.test/", 4096).size(), 1025u);
}

TEST_F(CookieStoreTest, HundredThousandPairsAreAllStored)
{
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += "n" + std::to_string(i) + "=" + std::to_string(i) + "; ";
    web::store_cookies("many.test", many);
    const auto all = store().all();
    ASSERT_EQ(all.size(), 100000u);
    EXPECT_EQ(all.back().name, "n99999");
    EXPECT_EQ(web::stored_cookies("many.test"), "");
}

TEST_F(CookieStoreTest, ListenerHearsEachRealChange)
{
    std::vector<std::string> heard;
    store().set_listener([&](const web::CookieStore::Cookie& c) {
        heard.push_back(c.domain + " " + c.name + "=" + c.value);
    });
    store().set_cookie("http://a.test/", "x", "1");
    store().set_cookie("http://a.test/", "x", "1");  // unchanged: silent
    store().set_cookie("http://a.test/", "x", "2");
    store().set_cookie("http://a.test/", "x", "");
    store().set_cookie("http://a.test/", "x", "");  // already gone: silent
    EXPECT_EQ(heard, (std::vector<std::string>{"a.test x=1", "a.test x=2", "a.test x="}));
}

TEST_F(CookieStoreTest, ListenerMayUseTheStore)
{
    int calls = 0;
    store().set_listener([&](const web::CookieStore::Cookie& c) {
        ++calls;
        EXPECT_FALSE(store().cookies_for("http://" + c.domain + "/").empty());
    });
    store().set_cookie("http://b.test/", "y", "1");
    EXPECT_EQ(calls, 1);
}

TEST_F(CookieStoreTest, ConcurrentWritersAndReadersLoseNothing)
{
    constexpr int kThreads = 4;
    constexpr int kEach = 2000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < kEach; ++i) {
                web::CookieStore::instance().set_cookie("http://t" + std::to_string(t) + ".test/",
                                                        "n" + std::to_string(i), "v");
                web::stored_cookies("t" + std::to_string((t + 1) % kThreads) + ".test");
            }
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(store().all().size(), static_cast<std::size_t>(kThreads * kEach));
}

}  // namespace

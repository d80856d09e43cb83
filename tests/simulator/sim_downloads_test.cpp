// The download role: exact byte ranges, validators, and the failure modes an
// updater must survive (Range ignored, a capped rate, a cut or lying body,
// no length, a stall).

#include "support/sim_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

namespace {

using testsupport::SimProcess;

class SimDownloads : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = std::make_unique<SimProcess>(); }
    static void TearDownTestSuite() { sim.reset(); }
    void SetUp() override
    {
        ASSERT_TRUE(sim->ok()) << sim->error();
        ASSERT_TRUE(sim->reset_scenarios());
    }
    static SimProcess::RawReply raw_get(const std::string& target, const std::string& extra = {},
                                        std::chrono::milliseconds idle = std::chrono::seconds(5))
    {
        return sim->raw_exchange("downloads", "GET " + target + " HTTP/1.1\r\nHost: " +
                                                  sim->host("downloads") + "\r\n" + extra +
                                                  "Connection: close\r\n\r\n",
                                 idle);
    }
    static inline std::unique_ptr<SimProcess> sim;
};

TEST_F(SimDownloads, RangesAreAnsweredExactly)
{
    const auto whole = sim->get("downloads", "/blob/1000.zip");
    ASSERT_EQ(whole.status, 200);
    ASSERT_EQ(whole.body.size(), 1000u);
    EXPECT_EQ(whole.header("Accept-Ranges"), "bytes");
    const std::string etag = whole.header("ETag");
    ASSERT_FALSE(etag.empty());

    struct Case {
        std::string range;
        std::string if_range;
        int status;
        std::string content_range;  // empty: none
        std::size_t first;
        std::size_t length;
    };
    const Case cases[] = {
        {"bytes=0-99", "", 206, "bytes 0-99/1000", 0, 100},
        {"bytes=900-", "", 206, "bytes 900-999/1000", 900, 100},
        {"bytes=-10", "", 206, "bytes 990-999/1000", 990, 10},
        {"bytes=995-2000", "", 206, "bytes 995-999/1000", 995, 5},
        {"bytes=999-999", "", 206, "bytes 999-999/1000", 999, 1},
        {"bytes=1000-", "", 416, "bytes */1000", 0, 0},
        {"bytes=0-1,5-6", "", 200, "", 0, 1000},
        {"bytes=200-299", etag, 206, "bytes 200-299/1000", 200, 100},
        {"bytes=200-299", "\"stale\"", 200, "", 0, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.range + " " + c.if_range);
        std::multimap<std::string, std::string> headers{{"Range", c.range}};
        if (!c.if_range.empty())
            headers.emplace("If-Range", c.if_range);
        const auto reply = sim->get("downloads", "/blob/1000.zip", headers);
        EXPECT_EQ(reply.status, c.status);
        EXPECT_EQ(reply.header("Content-Range"), c.content_range);
        if (c.status != 416) {
            EXPECT_EQ(reply.body, whole.body.substr(c.first, c.length));
        }
    }
}

TEST_F(SimDownloads, BlobsAreDeterministicPerSizeAndSeedWithTheirDigest)
{
    const auto a = sim->get("downloads", "/blob/4096-7.bin");
    const auto again = sim->get("downloads", "/blob/4096-7.bin");
    const auto other = sim->get("downloads", "/blob/4096-8.bin");
    EXPECT_EQ(a.body, again.body);
    EXPECT_NE(a.body, other.body);
    EXPECT_NE(a.header("ETag"), other.header("ETag"));

    testsupport::TempDir dir;
    const std::string file = dir.str() + "/blob";
    std::ofstream(file, std::ios::binary) << a.body;
    std::string computed(64, '\0');
    FILE* pipe = ::popen(("sha256sum " + file).c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    ASSERT_EQ(std::fread(computed.data(), 1, 64, pipe), 64u);
    ::pclose(pipe);
    EXPECT_EQ(sim->get("downloads", "/blob/4096-7.bin.sha256").body, computed + "\n");
}

TEST_F(SimDownloads, ThePackageIsAZipWithAValidator)
{
    const auto head = sim->raw_exchange("downloads", "HEAD /Download/varnel_V3.1.0.zip HTTP/1.1\r\nHost: x\r\n"
                                                     "Connection: close\r\n\r\n");
    const auto package = sim->get("downloads", "/Download/varnel_V3.1.0.zip");
    ASSERT_EQ(package.status, 200);
    EXPECT_EQ(package.body.rfind("PK\x03\x04", 0), 0u);
    EXPECT_NE(package.body.find("version.txt"), std::string::npos);
    EXPECT_NE(head.head().find("Content-Length: " + std::to_string(package.body.size())), std::string::npos);
    EXPECT_EQ(head.body(), "");
    EXPECT_EQ(package.header("ETag"), sim->get("downloads", "/Download/varnel_V3.1.0.zip").header("ETag"));
}

TEST_F(SimDownloads, RangeIgnoredAnswersTheWholeFile)
{
    ASSERT_TRUE(sim->set_scenario("range_ignored", "downloads"));
    const auto reply = sim->get("downloads", "/blob/1000.zip", {{"Range", "bytes=0-9"}});
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body.size(), 1000u);
    EXPECT_EQ(reply.header("Content-Range"), "");
    EXPECT_EQ(reply.header("Accept-Ranges"), "");
}

TEST_F(SimDownloads, BrokenBodiesEndShortOfWhatTheHeadersPromise)
{
    struct Case {
        const char* name;
        std::map<std::string, std::string> params;
        std::string length_header;  // expected Content-Length line, empty: none
        std::size_t body_bytes;
    };
    const Case cases[] = {
        {"close_early", {}, "Content-Length: 10000", 5000},
        {"close_early", {{"after", "1234"}}, "Content-Length: 10000", 1234},
        {"size_lie", {}, "Content-Length: 11024", 10000},
        {"no_length", {}, "", 10000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(sim->reset_scenarios());
        ASSERT_TRUE(sim->set_scenario(c.name, "downloads", c.params));
        const auto reply = raw_get("/blob/10000.zip");
        EXPECT_FALSE(reply.idle_expired);  // the server closed the connection
        EXPECT_EQ(reply.body().size(), c.body_bytes);
        EXPECT_EQ(reply.head().find("Content-Length:") == std::string::npos, c.length_header.empty());
        if (!c.length_header.empty()) {
            EXPECT_NE(reply.head().find(c.length_header), std::string::npos) << reply.head();
        }
    }
}

TEST_F(SimDownloads, SizeLieAlsoShowsInRangedReplies)
{
    ASSERT_TRUE(sim->set_scenario("size_lie", "downloads", {{"extra", "500"}}));
    const auto reply = raw_get("/blob/1000.zip", "Range: bytes=900-1499\r\n");
    EXPECT_NE(reply.head().find("Content-Range: bytes 900-1499/1500"), std::string::npos) << reply.head();
    EXPECT_EQ(reply.body().size(), 100u);
}

TEST_F(SimDownloads, RateCapHoldsEachConnectionBack)
{
    ASSERT_TRUE(sim->set_scenario("rate_cap", "downloads", {{"rate", "20000"}}));
    const auto reply = raw_get("/blob/40000.bin");
    EXPECT_EQ(reply.body().size(), 40000u);
    EXPECT_GE(reply.elapsed, std::chrono::milliseconds(1500));
}

TEST_F(SimDownloads, AStallSendsHeadersAndThenNothing)
{
    ASSERT_TRUE(sim->set_scenario("stall", "downloads"));
    const auto reply = raw_get("/blob/1000.zip", {}, std::chrono::milliseconds(700));
    EXPECT_TRUE(reply.idle_expired);
    EXPECT_NE(reply.head().find("HTTP/1.1 200"), std::string::npos);
    EXPECT_EQ(reply.body(), "");
}

}  // namespace

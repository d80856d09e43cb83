// The download engine against the project's simulator: its download role
// answers HEAD, exact byte ranges with If-Range, and misbehaves on request.
#include "update/downloader.h"

#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "update/support/zip_builder.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <condition_variable>
#include <map>
#include <mutex>

namespace {

using update::DownloadEvent;
using update::DownloadEventKind;

std::string sha256_hex(const std::string& bytes)
{
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(digest, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    char hex[2 * crypto_hash_sha256_BYTES + 1];
    sodium_bin2hex(hex, sizeof hex, digest, sizeof digest);
    return hex;
}

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

class SimulatorDownloadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_sim.ok()) << m_sim.error(); }

    // Downloads `target` of the download role; the Finished event, if any.
    std::optional<DownloadEvent> fetch(const std::string& target)
    {
        std::mutex mutex;
        std::condition_variable finished;
        std::optional<DownloadEvent> result;
        update::Downloader downloader;
        update::DownloadOptions options;
        options.url = m_sim.url("downloads") + target;
        options.destination = file().string();
        downloader.start(options, [&](const DownloadEvent& event) {
            if (event.kind != DownloadEventKind::Finished)
                return;
            std::lock_guard lock(mutex);
            result = event;
            finished.notify_all();
        });
        std::unique_lock lock(mutex);
        finished.wait_for(lock, std::chrono::seconds(90), [&] { return result.has_value(); });
        return result;
    }
    std::filesystem::path file() const { return m_dir.path() / "Temp.zip"; }

    testsupport::SimProcess m_sim;
    testsupport::TempDir m_dir;
};

TEST_F(SimulatorDownloadTest, FiftyMegabytesArriveIntactOverFiveRangeRequests)
{
    const std::string target = "/blob/50000000-9.zip";
    const auto finished = fetch(target);
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->value2, 1);
    EXPECT_EQ(finished->value1, 50000000);
    const auto expected = m_sim.get("downloads", target + ".sha256");
    ASSERT_EQ(expected.status, 200);
    EXPECT_EQ(sha256_hex(testsupport::read_file(file())), trimmed(expected.body));

    std::size_t heads = 0;
    std::map<long long, long long> ranges;
    for (const auto& entry : m_sim.log("downloads")) {
        if (entry.target != target)
            continue;
        if (entry.method == "HEAD") {
            ++heads;
            continue;
        }
        ASSERT_EQ(entry.method, "GET");
        EXPECT_FALSE(entry.header("If-Range").empty());
        long long first = -1, last = -1;
        ASSERT_EQ(std::sscanf(entry.header("Range").c_str(), "bytes=%lld-%lld", &first, &last), 2);
        ranges[first] = last;
    }
    EXPECT_EQ(heads, 1u);
    ASSERT_EQ(ranges.size(), 5u);
    long long next = 0;
    for (const auto& [first, last] : ranges) {
        EXPECT_EQ(first, next);
        next = last + 1;
    }
    EXPECT_EQ(next, 50000000);
}

TEST_F(SimulatorDownloadTest, MisbehavingServerNeverYieldsACompleteWrongFile)
{
    const struct {
        const char* scenario;
        bool whole;
    } cases[] = {
        {"range_ignored", true}, {"no_etag", true},    {"close_early", false},
        {"size_lie", false},     {"no_length", false},
    };
    const std::string target = "/blob/3000000-4.zip";
    const std::string expected = trimmed(m_sim.get("downloads", target + ".sha256").body);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        ASSERT_TRUE(m_sim.reset_scenarios());
        ASSERT_TRUE(m_sim.set_scenario(c.scenario, "downloads"));
        const auto finished = fetch(target);
        ASSERT_TRUE(finished);
        EXPECT_EQ(finished->value2 == 1, c.whole);
        if (c.whole) {
            EXPECT_EQ(sha256_hex(testsupport::read_file(file())), expected);
        }
    }
}

} // namespace

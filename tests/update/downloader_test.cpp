#include "update/downloader.h"

#include "support/temp_dir.h"
#include "update/support/file_server.h"
#include "update/support/zip_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

using testsupport::FileServer;
using testsupport::FileServerOptions;
using update::DownloadEvent;
using update::DownloadEventKind;

// Collects the engine's events; waits for Finished with a time limit.
class Recorder {
public:
    update::Downloader::EventHandler handler()
    {
        return [this](const DownloadEvent& event) {
            std::lock_guard lock(m_mutex);
            m_events.push_back(event);
            if (event.kind == DownloadEventKind::Finished)
                m_finished.notify_all();
        };
    }
    std::optional<DownloadEvent>
    wait_finished(std::chrono::seconds limit = std::chrono::seconds(60))
    {
        std::unique_lock lock(m_mutex);
        const auto found = [this] { return finished_event().has_value(); };
        if (!m_finished.wait_for(lock, limit, found))
            return std::nullopt;
        return finished_event();
    }
    std::vector<DownloadEvent> events()
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }
    std::size_t count(DownloadEventKind kind)
    {
        std::lock_guard lock(m_mutex);
        return static_cast<std::size_t>(
            std::count_if(m_events.begin(), m_events.end(),
                          [kind](const DownloadEvent& e) { return e.kind == kind; }));
    }

private:
    std::optional<DownloadEvent> finished_event() const
    {
        for (const DownloadEvent& e : m_events)
            if (e.kind == DownloadEventKind::Finished)
                return e;
        return std::nullopt;
    }
    std::mutex m_mutex;
    std::condition_variable m_finished;
    std::vector<DownloadEvent> m_events;
};

class DownloaderTest : public ::testing::Test {
protected:
    update::DownloadOptions options_for(const FileServer& server)
    {
        update::DownloadOptions options;
        options.url = server.url();
        options.destination = (m_dir.path() / "Temp.zip").string();
        return options;
    }
    std::string downloaded() { return testsupport::read_file(m_dir.path() / "Temp.zip"); }

    testsupport::TempDir m_dir;
};

std::vector<testsupport::LoggedRequest> gets_of(const FileServer& server)
{
    std::vector<testsupport::LoggedRequest> gets;
    for (const auto& request : server.requests())
        if (request.method == "GET")
            gets.push_back(request);
    return gets;
}

TEST_F(DownloaderTest, FiftyMegabytesArriveIntactOverFiveRanges)
{
    const std::string body = testsupport::pseudo_random_bytes(50 * 1000 * 1000 + 3);
    FileServer server(body);
    ASSERT_TRUE(server.listening());
    update::Downloader downloader;
    Recorder recorder;
    ASSERT_TRUE(downloader.start(options_for(server), recorder.handler()));
    const auto finished = recorder.wait_finished();
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->value1, static_cast<std::int64_t>(body.size()));
    EXPECT_EQ(finished->value2, 1);
    EXPECT_TRUE(downloaded() == body) << "file differs from what the server sent";
    EXPECT_EQ(downloader.downloaded_bytes(), static_cast<std::int64_t>(body.size()));

    // Five ranged GETs that tile the file exactly, each guarded by the ETag.
    const auto gets = gets_of(server);
    ASSERT_EQ(gets.size(), 5u);
    std::vector<std::pair<std::int64_t, std::int64_t>> ranges;
    for (const auto& get : gets) {
        EXPECT_EQ(get.if_range, "\"v1\"");
        long long first = -1, last = -1;
        ASSERT_EQ(std::sscanf(get.range.c_str(), "bytes=%lld-%lld", &first, &last), 2) << get.range;
        ranges.emplace_back(first, last);
    }
    std::sort(ranges.begin(), ranges.end());
    std::int64_t next = 0;
    for (const auto& [first, last] : ranges) {
        EXPECT_EQ(first, next);
        next = last + 1;
    }
    EXPECT_EQ(next, static_cast<std::int64_t>(body.size()));

    const auto events = recorder.events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().kind, DownloadEventKind::Started);
    EXPECT_EQ(events.front().value1, static_cast<std::int64_t>(body.size()));
    EXPECT_EQ(recorder.count(DownloadEventKind::ConnectionStarted), 5u);
    EXPECT_EQ(recorder.count(DownloadEventKind::ConnectionEnded), 5u);
}

TEST_F(DownloaderTest, FiveConnectionsRunAtOnceAndTheCounterResetsOnRead)
{
    // Paced at 256 kB/s per connection: one connection alone would need 4 s.
    const std::string body = testsupport::pseudo_random_bytes(1000 * 1000);
    FileServerOptions paced;
    paced.bytes_per_second = 256 * 1000;
    FileServer server(body, paced);
    update::Downloader downloader;
    Recorder recorder;
    ASSERT_TRUE(downloader.start(options_for(server), recorder.handler()));
    std::int64_t taken = 0;
    while (!recorder.wait_finished(std::chrono::seconds(0)) &&
           taken <= static_cast<std::int64_t>(body.size())) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        taken += downloader.take_received_bytes();
    }
    const auto finished = recorder.wait_finished();
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->value2, 1);
    taken += downloader.take_received_bytes();
    EXPECT_EQ(taken, static_cast<std::int64_t>(body.size())); // each byte counted once
    EXPECT_EQ(downloader.take_received_bytes(), 0);
    EXPECT_GE(server.max_concurrent(), 5);
    EXPECT_TRUE(downloaded() == body);
}

struct ServerCase {
    const char* name;
    FileServerOptions server;
    bool whole;
    std::int64_t max_size = std::int64_t{2} << 30;
};

FileServerOptions with(void (*change)(FileServerOptions&))
{
    FileServerOptions options;
    change(options);
    return options;
}

class ServerBehaviourTest : public DownloaderTest,
                            public ::testing::WithParamInterface<ServerCase> {};

TEST_P(ServerBehaviourTest, OnlyAWholeVerifiedFileCountsAsComplete)
{
    const ServerCase& c = GetParam();
    const std::string body = testsupport::pseudo_random_bytes(2 * 1000 * 1000 + 7, 3);
    FileServer server(body, c.server);
    update::Downloader downloader;
    Recorder recorder;
    auto options = options_for(server);
    options.max_size = c.max_size;
    ASSERT_TRUE(downloader.start(options, recorder.handler()));
    const auto finished = recorder.wait_finished();
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->value2 == 1, c.whole);
    if (c.whole) {
        EXPECT_EQ(finished->value1, static_cast<std::int64_t>(body.size()));
        EXPECT_TRUE(downloaded() == body);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Servers, ServerBehaviourTest,
    ::testing::Values(
        ServerCase{"IgnoresRange", with([](FileServerOptions& o) { o.honour_ranges = false; }),
                   true},
        ServerCase{"RefusesHead", with([](FileServerOptions& o) { o.head_allowed = false; }), true},
        ServerCase{"NoEtag", with([](FileServerOptions& o) { o.etag.clear(); }), true},
        ServerCase{"ChunkedWithoutLength", with([](FileServerOptions& o) {
                       o.honour_ranges = false;
                       o.send_length = false;
                       o.chunked = true;
                   }),
                   true},
        ServerCase{"NoLengthEndedByClose", with([](FileServerOptions& o) {
                       o.honour_ranges = false;
                       o.send_length = false;
                   }),
                   false},
        ServerCase{"ClosesEarly", with([](FileServerOptions& o) { o.cut_at = 1500000; }), false},
        ServerCase{"ClosesEarlyWithoutRanges", with([](FileServerOptions& o) {
                       o.honour_ranges = false;
                       o.cut_at = 1500000;
                   }),
                   false},
        ServerCase{"ChunkedCutShort", with([](FileServerOptions& o) {
                       o.honour_ranges = false;
                       o.send_length = false;
                       o.chunked = true;
                       o.cut_at = 1500000;
                   }),
                   false},
        ServerCase{"LiesAboutSize", with([](FileServerOptions& o) { o.extra_length = 1000; }),
                   false},
        ServerCase{"LiesAboutSizeWithoutRanges", with([](FileServerOptions& o) {
                       o.honour_ranges = false;
                       o.extra_length = 1000;
                   }),
                   false},
        ServerCase{"LargerThanTheCap", FileServerOptions{}, false, 1000 * 1000},
        ServerCase{"NoLengthLargerThanTheCap", with([](FileServerOptions& o) {
                       o.honour_ranges = false;
                       o.send_length = false;
                       o.chunked = true;
                   }),
                   false, 1000 * 1000}),
    [](const ::testing::TestParamInfo<ServerCase>& info) { return std::string(info.param.name); });

TEST_F(DownloaderTest, AddressWithSpacesAndChineseIsEscapedOnTheWire)
{
    const std::string body = testsupport::pseudo_random_bytes(1000 * 1000);
    FileServer server(body);
    update::Downloader downloader;
    Recorder recorder;
    auto options = options_for(server);
    options.url = server.url("/pkg/client 2 新.zip");
    ASSERT_TRUE(downloader.start(options, recorder.handler()));
    const auto finished = recorder.wait_finished();
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->value2, 1);
    EXPECT_TRUE(downloaded() == body);
    for (const auto& request : server.requests())
        EXPECT_EQ(request.path, "/pkg/client%202%20%E6%96%B0.zip");
}

TEST_F(DownloaderTest, NoServerFinishesIncomplete)
{
    int port = 0;
    {
        FileServer gone("x");
        port = gone.port();
    }
    update::Downloader downloader;
    Recorder recorder;
    update::DownloadOptions options;
    options.url = "http://127.0.0.1:" + std::to_string(port) + "/pkg/client.zip";
    options.destination = (m_dir.path() / "Temp.zip").string();
    ASSERT_TRUE(downloader.start(options, recorder.handler()));
    const auto finished = recorder.wait_finished();
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->value2, 0);
    EXPECT_EQ(recorder.count(DownloadEventKind::Started), 0u);
}

TEST_F(DownloaderTest, CancelStopsAtOnceWithoutFinishedEvent)
{
    FileServerOptions slow;
    slow.bytes_per_second = 50 * 1000;
    FileServer server(testsupport::pseudo_random_bytes(5 * 1000 * 1000), slow);
    update::Downloader downloader;
    Recorder recorder;
    ASSERT_TRUE(downloader.start(options_for(server), recorder.handler()));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto before = std::chrono::steady_clock::now();
    downloader.cancel();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
    EXPECT_FALSE(downloader.running());
    EXPECT_EQ(recorder.count(DownloadEventKind::Finished), 0u);
}

} // namespace

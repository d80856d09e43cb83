#include "client/workspaces/publishing_run.h"

#include "workspaces/local_site.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <set>

namespace {

using namespace std::chrono_literals;
using workspaces::PublishingOutcome;

const char* const kBaiduHome = "<html><title>百度一下，你就知道</title></html>";

struct Record {
    std::vector<std::pair<std::size_t, int>> published;
    int network_failures = 0;
    std::vector<int> finished;
    std::vector<std::pair<int, int>> random_ranges;
};

class PublishingRun : public testing::Test {
protected:
    void SetUp() override
    {
        m_site.server().Get("/", [this](const httplib::Request&, httplib::Response& response) {
            const int probe = ++m_probes;
            response.set_content(probe == m_failing_probe ? "<html>网络错误</html>" : kBaiduHome,
                                 "text/html; charset=utf-8");
        });
        m_site.start();
    }

    workspaces::PublishingRequest request_for(std::size_t rows, std::set<std::size_t> ticked)
    {
        workspaces::PublishingRequest request;
        request.rows = rows;
        request.is_ticked = [ticked](std::size_t row) { return ticked.count(row) > 0; };
        request.connectivity_url = m_site.base() + "/";
        request.random = [this](int low, int high) {
            m_record.random_ranges.emplace_back(low, high);
            return 3;
        };
        request.second = 1ms;
        return request;
    }

    workspaces::PublishingEvents events()
    {
        return {[this](std::size_t row, int n) { m_record.published.emplace_back(row, n); },
                [this] { ++m_record.network_failures; },
                [this](int n) { m_record.finished.push_back(n); }};
    }

    testsupport::LocalSite m_site;
    std::atomic<int> m_probes{0};
    int m_failing_probe = 0;
    Record m_record;
};

TEST_F(PublishingRun, MarksTickedRowsInOrderAndProbesAfterEveryRow)
{
    const struct {
        std::size_t rows;
        std::set<std::size_t> ticked;
        std::vector<std::pair<std::size_t, int>> published;
    } cases[] = {
        {5, {1, 3}, {{1, 1}, {3, 2}}},
        {3, {0, 1, 2}, {{0, 1}, {1, 2}, {2, 3}}},
        {4, {}, {}},
        {0, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, " << c.ticked.size() << " ticked");
        m_record = {};
        m_probes = 0;
        const auto outcome =
            workspaces::run_publishing(request_for(c.rows, c.ticked), events(), std::stop_token{});
        EXPECT_EQ(outcome, PublishingOutcome::Finished);
        EXPECT_EQ(m_record.published, c.published);
        EXPECT_EQ(m_record.finished, std::vector<int>{static_cast<int>(c.published.size())});
        EXPECT_EQ(m_probes.load(), static_cast<int>(c.rows));
        EXPECT_EQ(m_record.network_failures, 0);
        const std::vector<std::pair<int, int>> ranges(c.ticked.size(), {1, 6});
        EXPECT_EQ(m_record.random_ranges, ranges);
    }
}

TEST_F(PublishingRun, TickChangedDuringTheRunCountsWhenTheRowIsReached)
{
    std::set<std::size_t> ticked = {0};
    auto request = request_for(3, {});
    request.is_ticked = [&ticked](std::size_t row) { return ticked.count(row) > 0; };
    auto publish_events = events();
    publish_events.row_published = [&](std::size_t row, int n) {
        m_record.published.emplace_back(row, n);
        ticked.insert(2);  // the user ticks row 2 while row 0 is being published
    };
    workspaces::run_publishing(request, publish_events, std::stop_token{});
    EXPECT_EQ(m_record.published, (std::vector<std::pair<std::size_t, int>>{{0, 1}, {2, 2}}));
}

TEST_F(PublishingRun, FailedConnectivityTestStopsTheRunAndKeepsMarkedRows)
{
    m_failing_probe = 2;
    const auto outcome = workspaces::run_publishing(request_for(5, {0, 1, 3}), events(), {});
    EXPECT_EQ(outcome, PublishingOutcome::NetworkFailed);
    EXPECT_EQ(m_record.published, (std::vector<std::pair<std::size_t, int>>{{0, 1}, {1, 2}}));
    EXPECT_EQ(m_record.network_failures, 1);
    EXPECT_TRUE(m_record.finished.empty());
    EXPECT_EQ(m_probes.load(), 2);
}

TEST_F(PublishingRun, UnreachableNetworkFailsAtTheFirstRow)
{
    auto request = request_for(3, {});
    m_site.stop();
    EXPECT_EQ(workspaces::run_publishing(request, events(), {}), PublishingOutcome::NetworkFailed);
    EXPECT_EQ(m_record.network_failures, 1);
}

TEST_F(PublishingRun, StopEndsAPauseAtOnceAndReportsNothingMore)
{
    auto request = request_for(2, {0, 1});
    request.second = 1h;  // a pause no test could sit out
    std::stop_source stop;
    auto run = std::async(std::launch::async, [&] {
        return workspaces::run_publishing(request, events(), stop.get_token());
    });
    std::this_thread::sleep_for(20ms);
    stop.request_stop();
    ASSERT_EQ(run.wait_for(30s), std::future_status::ready);
    EXPECT_EQ(run.get(), PublishingOutcome::Cancelled);
    EXPECT_TRUE(m_record.published.empty());
    EXPECT_TRUE(m_record.finished.empty());
    EXPECT_EQ(m_record.network_failures, 0);
}

TEST_F(PublishingRun, StopEndsAHangingConnectivityTestWithoutANetworkMessage)
{
    std::mutex mutex;
    std::condition_variable released;
    bool release = false;
    std::atomic<bool> entered{false};
    m_site.server().Get("/slow", [&](const httplib::Request&, httplib::Response& response) {
        entered = true;
        std::unique_lock lock(mutex);
        released.wait_for(lock, 30s, [&] { return release; });
        response.set_content(kBaiduHome, "text/html");
    });
    auto request = request_for(1, {});
    request.connectivity_url = m_site.base() + "/slow";
    std::stop_source stop;
    auto run = std::async(std::launch::async, [&] {
        return workspaces::run_publishing(request, events(), stop.get_token());
    });
    for (int i = 0; i < 3000 && !entered; ++i)
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(entered);
    stop.request_stop();
    const auto status = run.wait_for(20s);
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    released.notify_all();
    ASSERT_EQ(status, std::future_status::ready);
    EXPECT_EQ(run.get(), PublishingOutcome::Cancelled);
    EXPECT_EQ(m_record.network_failures, 0);
    EXPECT_TRUE(m_record.finished.empty());
}

TEST(PauseUnlessStopped, TrueAfterTheFullPauseFalseWhenStopped)
{
    EXPECT_TRUE(workspaces::pause_unless_stopped(1ms, {}));
    std::stop_source stopped;
    stopped.request_stop();
    EXPECT_FALSE(workspaces::pause_unless_stopped(1h, stopped.get_token()));
}

}  // namespace

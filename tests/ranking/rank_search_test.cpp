// The search job against the simulated engines: which rows it writes, in
// which order, and that a stop ends it without a further write.
#include "client/ranking/rank_engine.h"
#include "client/ranking/rank_search.h"
#include "client/ranking/search_selection.h"
#include "client/web/endpoints.h"

#include "support/sim_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>
#include <thread>

namespace {

using testsupport::SimProcess;
using namespace std::chrono_literals;

// Every write of the job, in order, as text.
class RecordingSink final : public ranking::SearchSink {
public:
    void clear_results() override { add("clear"); }
    void add_row(int number, const std::string& keyword) override
    {
        add("row " + std::to_string(number) + " " + keyword);
    }
    void set_cell(int row, int column, const std::string& text) override
    {
        add("cell " + std::to_string(row) + "," + std::to_string(column) + " " + text);
    }
    void finished() override { add("finished"); }

    std::vector<std::string> writes() const
    {
        std::lock_guard lock(m_mutex);
        return m_writes;
    }

private:
    void add(std::string write)
    {
        std::lock_guard lock(m_mutex);
        m_writes.push_back(std::move(write));
    }
    mutable std::mutex m_mutex;
    std::vector<std::string> m_writes;
};

const char* const kKeywords[] = {"园林绿化", "绿化工程", "苗木基地", "屋顶花园", "苏州园林绿化", "无锡绿化养护"};

class RankSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = new SimProcess(); }
    static void TearDownTestSuite()
    {
        delete sim;
        sim = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(sim->ok()) << sim->error();
        sim->reset_scenarios();
        sim->clear_log();
    }

    // The six keywords, rows with a 1 in `chosen` ticked.
    void choose(std::initializer_list<int> chosen)
    {
        std::vector<ranking::KeywordRow> rows;
        for (const char* keyword : kKeywords)
            rows.push_back({keyword, false});
        for (int row : chosen)
            rows[static_cast<std::size_t>(row - 1)].chosen = true;
        selection.set_rows(std::move(rows));
    }

    void engines(bool baidu, bool so360, bool sogou)
    {
        selection.set_engine(ranking::Engine::Baidu, baidu);
        selection.set_engine(ranking::Engine::So360, so360);
        selection.set_engine(ranking::Engine::Sogou, sogou);
    }

    void run()
    {
        const ranking::RankEngine engine(web::load_endpoints(sim->run_dir()), psid);
        ranking::rank_search(selection, sim->url("customer_site"), engine, sink, {});
    }

    static SimProcess* sim;
    ranking::SearchSelection selection;
    ranking::SharedText psid;
    RecordingSink sink;
};

SimProcess* RankSearchTest::sim = nullptr;

TEST_F(RankSearchTest, ChosenRowsAreNumberedAndTheWalkEndsAfterTheLast)
{
    choose({1, 3, 4});
    engines(true, false, true);
    run();

    const std::vector<std::string> expected = {
        "clear",
        "row 1 园林绿化",   "cell 0,2 第7个",     "cell 0,3 -", "cell 0,4 -", "cell 0,5 第5个",     "cell 0,6 -",
        "row 2 苗木基地",   "cell 1,2 100名以外", "cell 1,3 -", "cell 1,4 -", "cell 1,5 100名以外", "cell 1,6 -",
        "row 3 屋顶花园",   "cell 2,2 第15个",    "cell 2,3 -", "cell 2,4 -", "cell 2,5 100名以外", "cell 2,6 -",
        "finished",
    };
    EXPECT_EQ(sink.writes(), expected);

    // Rows 5 and 6 were never read: no engine was asked for their keywords.
    for (const auto& entry : sim->log()) {
        EXPECT_EQ(entry.target.find("%E8%8B%8F%E5%B7%9E"), std::string::npos) << entry.target;  // 苏州
        EXPECT_EQ(entry.target.find("%E6%97%A0%E9%94%A1"), std::string::npos) << entry.target;  // 无锡
    }
    EXPECT_EQ(sim->log("baidu").size(), 3u);
    EXPECT_EQ(sim->log("sogou").size(), 3u);
    EXPECT_TRUE(sim->log("so360").empty());
}

TEST_F(RankSearchTest, RowsAreReadLiveButTheCountIsTakenOnce)
{
    ASSERT_TRUE(sim->set_scenario("slow", "baidu", {{"ms", "600"}}));
    choose({1, 2});  // two chosen when the job starts
    engines(true, false, false);
    const ranking::RankEngine engine(web::load_endpoints(sim->run_dir()), psid);
    std::jthread worker([&](std::stop_token stop) {
        ranking::rank_search(selection, sim->url("customer_site"), engine, sink, stop);
    });
    // While row 1 is being looked up: row 2 is unticked, rows 4 and 5 ticked.
    ASSERT_EQ(sim->wait_for_log("baidu", 1).size(), 1u);
    selection.set_chosen(1, false);
    selection.set_chosen(3, true);
    selection.set_chosen(4, true);
    worker.join();

    const std::vector<std::string> expected = {
        "clear",
        "row 1 园林绿化", "cell 0,2 第7个",  "cell 0,3 -", "cell 0,4 -", "cell 0,5 -", "cell 0,6 -",
        "row 2 屋顶花园", "cell 1,2 第15个", "cell 1,3 -", "cell 1,4 -", "cell 1,5 -", "cell 1,6 -",
        "finished",
    };
    EXPECT_EQ(sink.writes(), expected);
    EXPECT_EQ(sim->log("baidu").size(), 2u);
}

TEST_F(RankSearchTest, OnlyTickedEnginesAreAsked)
{
    choose({1});
    engines(false, true, false);
    run();
    const std::vector<std::string> expected = {
        "clear",      "row 1 园林绿化", "cell 0,2 -", "cell 0,3 第1页第4个",
        "cell 0,4 -", "cell 0,5 -",     "cell 0,6 -", "finished",
    };
    EXPECT_EQ(sink.writes(), expected);
    EXPECT_TRUE(sim->log("baidu").empty());
    EXPECT_TRUE(sim->log("sogou").empty());
}

TEST_F(RankSearchTest, NothingChosenWritesOnlyTheEmptyList)
{
    choose({});
    engines(true, true, true);
    run();
    EXPECT_EQ(sink.writes(), (std::vector<std::string>{"clear", "finished"}));
    EXPECT_TRUE(sim->log().empty());
}

TEST_F(RankSearchTest, StopDuringAStalledRequestEndsTheJobWithoutFurtherWrites)
{
    // Sogou answers with headers and then nothing for a minute.
    ASSERT_TRUE(sim->set_scenario("stall", "sogou", {{"phase", "headers"}, {"max_ms", "60000"}}));
    choose({1, 2});
    engines(true, false, true);
    const ranking::RankEngine engine(web::load_endpoints(sim->run_dir()), psid);
    const std::string site = sim->url("customer_site");

    std::promise<void> ended;
    std::future<void> job_ended = ended.get_future();
    std::jthread worker([&](std::stop_token stop) {
        ranking::rank_search(selection, site, engine, sink, stop);
        ended.set_value();
    });
    ASSERT_EQ(sim->wait_for_log("sogou", 1).size(), 1u);
    const std::vector<std::string> before = sink.writes();

    worker.request_stop();
    // The stalled transfer aborts: the job ends long before the stall would.
    ASSERT_EQ(job_ended.wait_for(10s), std::future_status::ready);
    worker.join();

    const std::vector<std::string> expected = {"clear", "row 1 园林绿化", "cell 0,2 第7个", "cell 0,3 -",
                                               "cell 0,4 -"};
    EXPECT_EQ(before, expected);
    EXPECT_EQ(sink.writes(), expected);
    EXPECT_EQ(sim->log("sogou").size(), 1u);
}

}  // namespace

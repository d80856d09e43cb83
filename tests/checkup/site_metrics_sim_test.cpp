#include "client/checkup/site_metrics.h"

#include "client/web/endpoints.h"
#include "client/web/text.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace checkup {
namespace {

using testsupport::SimProcess;

// The statistics-site requests the simulator served, in order.
std::vector<std::string> statistics_targets(const SimProcess& sim)
{
    std::vector<SimProcess::LogEntry> entries = sim.log("aizhan");
    for (SimProcess::LogEntry& entry : sim.log("aizhan_whois"))
        entries.push_back(std::move(entry));
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.seq < b.seq; });
    std::vector<std::string> targets;
    for (const SimProcess::LogEntry& entry : entries)
        targets.push_back(entry.target);
    return targets;
}

class ScrapeAgainstSimulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.ok()) << m_sim.error();
        const web::Endpoints endpoints = web::load_endpoints(m_sim.run_dir());
        m_options.aizhan = endpoints.aizhan;
        m_options.aizhan_whois = endpoints.aizhan_whois;
        m_options.link_hosts = {endpoints.baidu, endpoints.so360, endpoints.sogou};
        // The customer's site, as the sign-in gives it: loopback with a port.
        m_domain = m_sim.host("customer_site");
    }

    // One pass: overview, backlinks with the overview's rn and key_host,
    // whois with a 13-digit millisecond time stamp.
    void expect_pass(const std::string& overview, const std::string& backlinks,
                     const std::string& whois) const
    {
        EXPECT_EQ(overview, "/siteall/" + m_domain + "/");
        EXPECT_EQ(backlinks, "/ajaxAction/backlink1.php?domain=" + m_domain +
                                 "&rn=1718086400&cc=5d41402abc4b2a76b9719d911017c592");
        const std::regex whois_target("/index\\.php\\?r=site/searchDomain&_=[0-9]{13}&s=" +
                                      std::regex_replace(m_domain, std::regex("\\."), "\\.") +
                                      "&ajax=yes&update=false&field=base");
        EXPECT_TRUE(std::regex_match(whois, whois_target)) << whois;
    }

    SimProcess m_sim;
    ScrapeOptions m_options;
    std::string m_domain;
};

TEST_F(ScrapeAgainstSimulator, TwoPassesOfThreeRequestsFillTheRecord)
{
    CheckupRecord record;
    scrape_site_metrics(record, m_domain, m_options);

    EXPECT_EQ(record.baidu_weight, "0");
    EXPECT_EQ(record.home_internal_links, "86");
    EXPECT_EQ(record.outbound_links, "12");
    EXPECT_EQ(record.backlinks, "2341");
    EXPECT_EQ(record.ip_address, "127.0.0.1");
    EXPECT_EQ(record.icp_record, "苏ICP备12034567号-1");
    EXPECT_EQ(record.index_counts, "百度：1,286  360：942  搜狗：1,035");
    EXPECT_EQ(record.created, "2009-03-18");
    EXPECT_EQ(record.expires, "2027-03-18");
    EXPECT_EQ(record.domain_age_text, web::domain_age("2009-03-18"));

    const std::vector<std::string> targets = statistics_targets(m_sim);
    ASSERT_EQ(targets.size(), 6u);
    expect_pass(targets[0], targets[1], targets[2]);
    expect_pass(targets[3], targets[4], targets[5]);
}

TEST_F(ScrapeAgainstSimulator, SecondPassFillsWhatAFailedFirstPageLeft)
{
    ASSERT_TRUE(m_sim.set_scenario("fail_times", "aizhan", {{"count", "1"}}));
    CheckupRecord record;
    scrape_site_metrics(record, m_domain, m_options);
    EXPECT_EQ(record.outbound_links, "12");
    EXPECT_EQ(record.index_counts, "百度：1,286  360：942  搜狗：1,035");
    EXPECT_EQ(record.backlinks, "2341");

    const std::vector<std::string> targets = statistics_targets(m_sim);
    ASSERT_EQ(targets.size(), 6u);
    // Without the overview the first backlink request had nothing to send.
    EXPECT_EQ(targets[1], "/ajaxAction/backlink1.php?domain=" + m_domain + "&rn=&cc=");
    expect_pass(targets[3], targets[4], targets[5]);
}

TEST_F(ScrapeAgainstSimulator, PagesWithoutMarkersLeaveTheirFieldsEmpty)
{
    ASSERT_TRUE(m_sim.set_scenario("no_markers", "aizhan"));
    ASSERT_TRUE(m_sim.set_scenario("no_markers", "aizhan_whois"));
    CheckupRecord record;
    scrape_site_metrics(record, m_domain, m_options);
    CheckupRecord expected;
    expected.baidu_weight = "0";
    expected.ip_address = "127.0.0.1";
    EXPECT_TRUE(record == expected);
    EXPECT_EQ(statistics_targets(m_sim).size(), 6u);
}

} // namespace
} // namespace checkup

// varnel-sim as a program: the endpoints.ini it writes, its ports, its
// command line and its clean stop.

#include "client/web/endpoints.h"
#include "client/web/http.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <netinet/in.h>
#include <random>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using testsupport::SimProcess;

bool port_is_free(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(static_cast<std::uint16_t>(port));
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool free = ::bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0;
    ::close(fd);
    return free;
}

int run_sim(const std::string& arguments)
{
    const std::string command = std::string(std::getenv("VARNEL_SIM")) + " " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SimProgram, WrittenEndpointsGiveEveryHostToTheEndpointsReader)
{
    SimProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    const web::Endpoints endpoints = web::load_endpoints(sim.run_dir());
    const std::pair<const char*, std::string web::Endpoints::*> keys[] = {
        {"account_server", &web::Endpoints::account_server}, {"service_site", &web::Endpoints::service_site},
        {"aizhan", &web::Endpoints::aizhan},                 {"aizhan_whois", &web::Endpoints::aizhan_whois},
        {"baidu", &web::Endpoints::baidu},                   {"baidu_home", &web::Endpoints::baidu_home},
        {"so360", &web::Endpoints::so360},                   {"so360_results", &web::Endpoints::so360_results},
        {"sogou", &web::Endpoints::sogou},
    };
    for (const auto& [role, field] : keys) {
        SCOPED_TRACE(role);
        EXPECT_EQ(endpoints.*field, sim.host(role));
        web::HttpRequest request;
        request.url = web::Endpoints::base(endpoints.*field) + "/__log";
        web::http_request(request);
        EXPECT_EQ(request.status, 200);
    }
}

TEST(SimProgram, BasePortPutsRoleIOnPortNPlusI)
{
    std::mt19937 random(std::random_device{}());
    int base = 0;
    for (int attempt = 0; attempt < 50 && base == 0; ++attempt) {
        const int candidate = 20000 + static_cast<int>(random() % 30000);
        bool all_free = true;
        for (int i = 0; i < 12 && all_free; ++i)
            all_free = port_is_free(candidate + i);
        if (all_free)
            base = candidate;
    }
    ASSERT_NE(base, 0);
    SimProcess sim({"--base-port", std::to_string(base)});
    ASSERT_TRUE(sim.ok()) << sim.error();
    const char* order[] = {"account_server", "service_site", "customer_site", "aizhan",
                           "aizhan_whois",   "baidu",        "baidu_home",    "so360",
                           "so360_results",  "sogou",        "stat",          "downloads"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(sim.port(order[i]), base + i) << order[i];
}

TEST(SimProgram, StopsCleanlyOnSigtermEvenWithAStalledReplyOpen)
{
    SimProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    ASSERT_TRUE(sim.set_scenario("stall", "baidu"));
    std::jthread stalled([&sim] {
        web::HttpRequest request;
        request.url = sim.url("baidu") + "/s?wd=%61";
        request.timeout_s = 30;
        web::http_request(request);
    });
    sim.wait_for_log("baidu", 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(sim.stop(std::chrono::seconds(10)));  // exit code 0
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(SimProgram, CommandLineMistakesAreReported)
{
    ASSERT_NE(std::getenv("VARNEL_SIM"), nullptr);
    EXPECT_EQ(run_sim("--help"), 0);
    EXPECT_EQ(run_sim("--bogus"), 2);
    EXPECT_EQ(run_sim("--base-port"), 2);
    EXPECT_EQ(run_sim("--base-port 70000"), 2);
    EXPECT_EQ(run_sim("--fixtures /nonexistent --ready-file /dev/null"), 1);
}

}  // namespace

// 1000 sequential GETs to varnel-sim through http_request, side by side with
// the same 1000 through the curl command line (one process per request, as
// the routine uses one handle per request), and, for reference, through one
// curl process that reuses its connection. Prints the ratios at the end.
//
// The simulator is $VARNEL_SIM, or <build>/simulator/varnel-sim beside this
// program's own build folder.

#include "client/web/http.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int requests_per_run = 1000;

struct Simulator {
    pid_t pid = -1;
    std::filesystem::path dir;
    std::string url;  // the service site's status address: a one-byte reply

    bool start()
    {
        std::string sim;
        if (const char* env = std::getenv("VARNEL_SIM"))
            sim = env;
        else
            sim = (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() /
                   "simulator" / "varnel-sim")
                      .string();
        char pattern[] = "/tmp/varnel-bench-XXXXXX";
        if (!::mkdtemp(pattern))
            return false;
        dir = pattern;
        const std::string ready = (dir / "ready").string();
        std::vector<std::string> args{sim, "--ready-file", ready, "--quiet"};
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            std::fprintf(stderr, "cannot start %s\n", sim.c_str());
            return false;
        }
        for (int i = 0; i < 500 && !std::filesystem::exists(ready); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(ready);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("service_site=", 0) == 0)
                url = "http://" + line.substr(13) + "/client_status.php";
        return !url.empty();
    }

    ~Simulator()
    {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        std::error_code ec;
        if (!dir.empty())
            std::filesystem::remove_all(dir, ec);
    }
};

Simulator simulator;

int run(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = -1;
    if (::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_http_request(benchmark::State& state)
{
    for (auto _ : state) {
        for (int i = 0; i < requests_per_run; ++i) {
            web::HttpRequest request;
            request.url = simulator.url;
            if (web::http_request(request) != "1")
                state.SkipWithError("wrong reply");
        }
    }
    state.SetItemsProcessed(state.iterations() * requests_per_run);
}

void BM_curl_process_per_request(benchmark::State& state)
{
    for (auto _ : state) {
        for (int i = 0; i < requests_per_run; ++i)
            if (run({"curl", "-s", "-o", "/dev/null", simulator.url}) != 0)
                state.SkipWithError("curl failed");
    }
    state.SetItemsProcessed(state.iterations() * requests_per_run);
}

void BM_curl_one_process(benchmark::State& state)
{
    const std::string config = (simulator.dir / "urls.curlrc").string();
    {
        std::ofstream out(config);
        for (int i = 0; i < requests_per_run; ++i)
            out << "url = \"" << simulator.url << "\"\noutput = \"/dev/null\"\n";
    }
    for (auto _ : state)
        if (run({"curl", "-s", "-K", config}) != 0)
            state.SkipWithError("curl failed");
    state.SetItemsProcessed(state.iterations() * requests_per_run);
}

BENCHMARK(BM_http_request)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_curl_process_per_request)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_curl_one_process)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Keeps the console output and remembers each benchmark's time per run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (!simulator.start()) {
        std::fprintf(stderr, "varnel-sim did not start (set VARNEL_SIM)\n");
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& t = reporter.times;
    if (t.count("BM_http_request") && t.count("BM_curl_process_per_request"))
        std::printf("\n%d GETs: curl process per request / http_request = %.2fx\n", requests_per_run,
                    t.at("BM_curl_process_per_request") / t.at("BM_http_request"));
    if (t.count("BM_http_request") && t.count("BM_curl_one_process"))
        std::printf("%d GETs: curl one reusing process / http_request = %.2fx\n", requests_per_run,
                    t.at("BM_curl_one_process") / t.at("BM_http_request"));
    benchmark::Shutdown();
    return 0;
}

#pragma once
// Command line of varnel-sim.

#include <optional>
#include <string>
#include <vector>

namespace sim {

struct SimOptions {
    std::string fixtures;         // fixture folder
    int base_port = 0;            // 0: free ports; otherwise role i listens on base_port + i
    std::string write_endpoints;  // folder that receives endpoints.ini
    std::string ready_file;       // receives "role=host:port" lines once every role listens
    std::string bind_host = "127.0.0.1";
    bool quiet = false;
};

// The options, or nothing with `error` set (also for --help, with the usage text).
std::optional<SimOptions> parse_options(const std::vector<std::string>& args, std::string& error);
std::string usage_text();

}  // namespace sim

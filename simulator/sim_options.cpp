#include "simulator/sim_options.h"

#include <charconv>

#ifndef VARNEL_SIM_FIXTURES
#define VARNEL_SIM_FIXTURES "fixtures"
#endif

namespace sim {

std::string usage_text()
{
    return "usage: varnel-sim [--base-port N] [--write-endpoints DIR] [--ready-file PATH]\n"
           "                  [--fixtures DIR] [--bind ADDR] [--quiet]\n"
           "Serves every server the client talks to on loopback, one port per role.\n"
           "  --base-port N        role i listens on N+i (default: free ports)\n"
           "  --write-endpoints D  writes D/endpoints.ini pointing a client here\n"
           "  --ready-file PATH    writes role=host:port lines once all roles listen\n"
           "  --fixtures DIR       fixture pages (default: " VARNEL_SIM_FIXTURES ")\n"
           "  --bind ADDR          address to listen on (default 127.0.0.1)\n"
           "Every port answers GET /__log and GET|POST /__scenario?name=...&role=...\n";
}

std::optional<SimOptions> parse_options(const std::vector<std::string>& args, std::string& error)
{
    SimOptions options;
    options.fixtures = VARNEL_SIM_FIXTURES;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool has_value = i + 1 < args.size();
        auto value = [&]() -> const std::string& { return args[++i]; };
        if (arg == "--help" || arg == "-h") {
            error = usage_text();
            return std::nullopt;
        }
        if (arg == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (!has_value) {
            error = "varnel-sim: unknown option or missing value: " + arg + "\n" + usage_text();
            return std::nullopt;
        }
        if (arg == "--base-port") {
            const std::string& text = value();
            int port = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
            if (ec != std::errc() || end != text.data() + text.size() || port < 1 || port > 65000) {
                error = "varnel-sim: --base-port wants a port number, got: " + text + "\n";
                return std::nullopt;
            }
            options.base_port = port;
        } else if (arg == "--write-endpoints") {
            options.write_endpoints = value();
        } else if (arg == "--ready-file") {
            options.ready_file = value();
        } else if (arg == "--fixtures") {
            options.fixtures = value();
        } else if (arg == "--bind") {
            options.bind_host = value();
        } else {
            error = "varnel-sim: unknown option: " + arg + "\n" + usage_text();
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace sim

#pragma once
// varnel-sim for a test: started from $VARNEL_SIM on free loopback ports in a
// temporary run directory (which receives endpoints.ini), stopped with the
// object. Gives each role's address, the request log and scenario control.

#include "support/temp_dir.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace testsupport {

class SimProcess {
public:
    struct LogEntry {
        std::uint64_t seq = 0;
        std::string role;
        std::string method;
        std::string target;  // path and query as sent
        std::vector<std::pair<std::string, std::string>> headers;
        std::string body;
        // The first value of header `name` (ASCII case ignored), empty when absent.
        std::string header(std::string_view name) const;
        std::size_t header_count(std::string_view name) const;
    };

    struct Reply {
        int status = 0;  // 0: no reply
        std::multimap<std::string, std::string> headers;
        std::string body;
        std::string header(const std::string& name) const;
    };

    // Extra command-line arguments go after the ones the helper sets.
    explicit SimProcess(std::vector<std::string> extra_args = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }

    int port(std::string_view role) const;
    std::string host(std::string_view role) const;  // "127.0.0.1:port"
    std::string url(std::string_view role) const;   // "http://127.0.0.1:port"
    std::vector<std::string> roles() const;
    // Holds endpoints.ini pointing at this simulator.
    std::string run_dir() const { return m_run_dir.str(); }
    pid_t pid() const { return m_pid; }

    // Requests served so far, of one role or of all.
    std::vector<LogEntry> log(std::string_view role = {}) const;
    void clear_log() const;
    // Polls the log (bounded) until `role` has at least `count` entries.
    std::vector<LogEntry> wait_for_log(std::string_view role, std::size_t count,
                                       std::chrono::milliseconds limit = std::chrono::seconds(5)) const;

    // Switches a scenario on for one role (or every role when `role` is empty).
    bool set_scenario(std::string_view name, std::string_view role = {},
                      const std::map<std::string, std::string>& params = {}) const;
    bool reset_scenarios() const;

    // A plain GET straight to a role, bypassing the client's routine.
    Reply get(std::string_view role, const std::string& target,
              const std::multimap<std::string, std::string>& headers = {}) const;

    // Sends `request` as raw bytes to a role and returns every byte that comes
    // back until the server closes the connection or nothing arrives for
    // `idle` (then `idle_expired` is set). For replies a client must not
    // tidy up: cut bodies, false lengths, stalls.
    struct RawReply {
        std::string bytes;
        bool idle_expired = false;
        std::chrono::milliseconds elapsed{0};
        std::string head() const;  // up to the blank line
        std::string body() const;  // after it
    };
    RawReply raw_exchange(std::string_view role, const std::string& request,
                          std::chrono::milliseconds idle = std::chrono::seconds(5)) const;

    // SIGTERM, then waits up to `limit`; true when it ended by itself with code 0.
    bool stop(std::chrono::milliseconds limit = std::chrono::seconds(5));

private:
    bool control(const std::string& target, std::string* body = nullptr) const;

    TempDir m_run_dir;
    pid_t m_pid = -1;
    std::string m_error;
    std::map<std::string, int, std::less<>> m_ports;
};

}  // namespace testsupport

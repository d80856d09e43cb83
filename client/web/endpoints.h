#pragma once
// Where the servers the client talks to live: compiled-in defaults,
// overridden key by key by endpoints.ini in the run directory.

#include <string>

namespace web {

struct Endpoints {
    std::string account_server;  // host[:port], scheme always http
    std::string service_site;
    std::string aizhan;
    std::string aizhan_whois;
    std::string baidu;
    std::string baidu_home;
    std::string so360;
    std::string so360_results;
    std::string sogou;

    // "http://" + host.
    static std::string base(const std::string& host) { return "http://" + host; }
};

Endpoints default_endpoints();
// Defaults overridden by `<run_dir>/endpoints.ini` ([endpoints] key=value, UTF-8).
Endpoints load_endpoints(const std::string& run_dir);

}  // namespace web

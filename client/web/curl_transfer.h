#pragma once
// One synchronous HTTP exchange on a libcurl easy handle: the transport under
// http_request and fetch_page. Cookies and header policy are the callers'.

#include <cstddef>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace web {

struct CurlTransfer {
    // in
    std::string url;
    std::string method = "GET";              // upper case
    std::vector<std::string> header_lines;   // "Name:value" exactly as sent, or "Name;" for an empty value
    std::string body;
    bool follow_redirects = true;
    std::optional<long> timeout_ms;          // per phase; nothing: libcurl's own defaults
    std::stop_token stop;
    std::size_t body_cap = std::size_t{64} << 20;

    // out
    bool ok = false;             // a complete reply arrived
    long status = 0;             // HTTP status of the final reply, 0 when none
    std::string reply;           // body bytes; empty unless ok
    std::string reply_headers;   // header lines of the final reply, each ending in CR LF
    std::vector<std::string> set_cookie_lines;  // Set-Cookie lines of every reply, redirects included; empty unless ok
    std::string error;           // libcurl's text when not ok
};

// Runs the exchange. Connecting gives up after the time-out; so does a
// transfer that receives nothing for that long, while a slow one that keeps
// moving goes on. A stop request aborts at once, even in the middle of a read.
void perform_transfer(CurlTransfer& transfer);

// Per-phase time-out of a `timeout_s` parameter: 15 s for 0 and anything
// below 1 except -1; nothing (libcurl's defaults) for -1.
std::optional<long> timeout_ms_for(int timeout_s);

}  // namespace web

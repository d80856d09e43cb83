#pragma once
// The one HTTP request routine of the client (libcurl, one easy handle per
// call, synchronous) and the plain GET used for search-engine result pages.

#include <stop_token>
#include <string>

namespace web {

// The routine's eleven parameters; in/out members are updated in place.
struct HttpRequest {
    std::string url;               // in
    std::string method;            // in/out: upper-cased, "GET" when empty
    std::string body;              // in: sent when body_bytes is empty
    std::string cookies;           // in/out: merged with the store, then with the reply's
    std::string new_cookies;       // out: "name=value; " per Set-Cookie line
    std::string headers;           // in/out: CR LF separated; default block when empty
    std::string location;          // out: Location header, trimmed
    bool no_redirect = false;      // in
    int timeout_s = 0;             // in: 0 or <1 -> 15 s; -1 -> libcurl defaults
    std::string response_headers;  // out: raw header text, CR LF separated
    std::string body_bytes;        // in: raw body, wins over `body`
    std::stop_token stop;          // in: aborts the transfer promptly when stop is requested
    long status = 0;               // out: HTTP status of the final reply, 0 when none arrived
};

// Returns the reply body bytes, empty on any failure (refused, timed out,
// cancelled, larger than 64 MiB).
std::string http_request(HttpRequest& request);
// The same, the body returned as UTF-8 text (invalid bytes replaced).
std::string http_request_text(HttpRequest& request);

// Plain GET of a result page with its own browser user agent, "Accept: */*"
// and no other header; redirects followed; the process cookie store used.
// Body bytes or empty.
std::string fetch_page(const std::string& url, const std::string& method = {},
                       std::stop_token stop = {});

}  // namespace web

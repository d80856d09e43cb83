#pragma once
// Reply bodies written at a chosen pace: capped per connection, cut short,
// announced with a false length, or not at all (a stall). Every body the
// simulator streams goes through here, so each role gets the same failure
// modes.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace httplib {
struct Response;
}

namespace sim {

// Appends bytes [offset, offset + length) of the body to `out`.
using ByteSource = std::function<void(std::size_t offset, std::size_t length, std::string& out)>;

struct PacedBody {
    std::size_t length = 0;                      // bytes the headers announce
    std::size_t available = std::string::npos;   // bytes sent before the connection closes
    bool announce_length = true;                 // false: no Content-Length, ended by closing
    std::string content_type;
    ByteSource source;
    std::size_t rate = 0;                        // bytes per second per connection; 0 = no cap
    bool stall = false;                          // headers only, then silence
    std::chrono::milliseconds stall_limit{60000};
};

ByteSource string_source(std::string bytes);

// Installs the body on `res`. The writer gives up when `running` turns false.
void send_paced(httplib::Response& res, PacedBody body, const std::atomic<bool>& running);

}  // namespace sim

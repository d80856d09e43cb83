#pragma once
// JSON text building for the simulator's replies and its request log.

#include <string>
#include <string_view>

namespace sim {

// `text` as a quoted JSON string. Invalid UTF-8 bytes become U+FFFD so the
// log stays parseable whatever a client sent. With `escape_slashes`, "/" is
// written "\/" as the service's PHP back end does.
std::string json_quote(std::string_view text, bool escape_slashes = false);

}  // namespace sim

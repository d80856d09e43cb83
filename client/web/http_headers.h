#pragma once
// The header texts of the HTTP request routine: the caller's CR LF
// separated block turned into request lines, and the reply's Location and
// Set-Cookie lines read back.

#include <string>
#include <string_view>
#include <vector>

namespace web {

// The block sent when the caller gives no headers.
std::string default_header_block(std::string_view url);

// "Name:value" request lines (value passed unchanged, later colons and a
// leading blank included). A line without ":", with an empty or invalid
// name, or with a bare CR or LF in it is skipped.
std::vector<std::string> request_header_lines(std::string_view headers);

// The value of the reply's last Location line, trimmed; empty when none.
std::string location_of(std::string_view reply_headers);

// For every Set-Cookie line: its text up to the first ";" (empty when none
// follows), trimmed, then "; ".
std::string new_cookies_of(const std::vector<std::string>& set_cookie_lines);

}  // namespace web

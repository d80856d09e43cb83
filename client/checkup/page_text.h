#pragma once
// Turns the bytes of a statistics page into UTF-8 text.

#include <string>
#include <string_view>

namespace checkup {

// The charset the reply declares: in its Content-Type header, else in a
// meta tag near the start of the page. Lower-case; empty when none.
std::string declared_charset(std::string_view body, std::string_view response_headers);

// The page as UTF-8 text: decoded from its declared charset (a page in GBK
// still yields its Chinese markers), else read as UTF-8 with invalid bytes
// replaced; text after a NUL byte is dropped.
std::string page_text(std::string_view body, std::string_view response_headers);

}  // namespace checkup

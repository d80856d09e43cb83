#pragma once
// The company name as the account panel shows it: whole when it is shorter
// than 25 GBK bytes, else cut after at least 22 bytes of whole characters
// and followed by "...".

#include <string>
#include <string_view>

namespace account {

std::string company_caption(std::string_view web_name);

}  // namespace account

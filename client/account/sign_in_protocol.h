#pragma once
// The pieces of the sign-in exchange with the account server and the
// customer's site: request texts and the cleaning of the reply's fields.
// AccountSession::sign_in_request puts them together.

#include "client/web/endpoints.h"

#include <string>
#include <string_view>

namespace account {

// Error text when the sign-in reply carries no "alert".
inline constexpr std::string_view kNetworkErrorText = "网络错误，请检查网络连接或稍后再试";

// Account server root + the sign-in path.
std::string sign_in_url(const web::Endpoints& endpoints);
// username=…&password=…&verifyCode=647&rand=…, the values inserted as typed:
// the account server reads the form that way.
std::string sign_in_body(std::string_view user_name, std::string_view password, int rand);
// "http://" + web_url + the client-information path with username, auth and
// rand; blanks and control bytes in the values are percent-escaped, the
// rest goes as it is.
std::string client_info_url(std::string_view web_url, std::string_view user_name,
                            std::string_view auth, int rand);
// Account server root + the registration page.
std::string register_url(const web::Endpoints& endpoints);

// Every double quote removed.
std::string remove_quotes(std::string_view raw);
// Quotes removed, then every "http:\/\/" (the scheme as JSON escapes it).
std::string clean_web_url(std::string_view raw);
// Quotes removed, then every backslash.
std::string clean_quotes_and_backslashes(std::string_view raw);

// 1, 2 or 3 for the editions "1", "2", "3" of web_type; 0 for anything else.
int edition_of(std::string_view web_type);
// "基础版", "标准版", "至尊版" for 1..3; empty otherwise.
std::string edition_name(int edition);

}  // namespace account

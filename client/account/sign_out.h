#pragma once
// The GUI-free half of signing out: the fields that go, and the customer
// site's logout.

#include <string>

namespace account {

struct AccountRecord;

// Empties userid, web_url, username, auth, seo_keywords, web_name, web_type,
// stat_cnzz, web_starttime and web_endtime; the other seven stay.
void clear_signed_out_fields(AccountRecord& record);

std::string logout_url(const std::string& site_url);
// GET of the logout page (method "get"); the reply is ignored.
void send_logout(const std::string& site_url);

}  // namespace account

#pragma once
// The service status check and the addresses built on the service site.

#include "client/web/endpoints.h"

#include <string>

namespace account {

class AccountSession;

std::string status_url(const web::Endpoints& endpoints);
// The news page of the service site, of the account server; the account
// server's SEO page. Full http:// addresses.
std::string service_news_url(const web::Endpoints& endpoints);
std::string account_news_url(const web::Endpoints& endpoints);
std::string account_seo_url(const web::Endpoints& endpoints);

// Asks the service site for its status; a reply of exactly "1" sets the
// Service base address to the site's root. Any other reply, or none, leaves
// the address as it was (it is never cleared once set). Returns true when the
// reply was "1".
bool status_check(AccountSession& session);

}  // namespace account

#include "client/account/service_status.h"

#include "client/account/account_session.h"
#include "client/web/http.h"

namespace account {

std::string status_url(const web::Endpoints& endpoints)
{
    return web::Endpoints::base(endpoints.service_site) + "/client_status.php";
}

std::string service_news_url(const web::Endpoints& endpoints)
{
    return web::Endpoints::base(endpoints.service_site) + "/index.php/clientnews/";
}

std::string account_news_url(const web::Endpoints& endpoints)
{
    return web::Endpoints::base(endpoints.account_server) + "/index.php/clientnews/";
}

std::string account_seo_url(const web::Endpoints& endpoints)
{
    return web::Endpoints::base(endpoints.account_server) + "/index.php/clientseo/";
}

bool status_check(AccountSession& session)
{
    web::HttpRequest request;
    request.url = status_url(session.endpoints());
    if (web::http_request_text(request) != "1")
        return false;
    session.set_service_base(web::Endpoints::base(session.endpoints().service_site));
    return true;
}

}  // namespace account

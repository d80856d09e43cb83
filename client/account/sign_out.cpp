#include "client/account/sign_out.h"

#include "client/account/account_record.h"
#include "client/web/http.h"

namespace account {

void clear_signed_out_fields(AccountRecord& record)
{
    record.userid.clear();
    record.web_url.clear();
    record.username.clear();
    record.auth.clear();
    record.seo_keywords.clear();
    record.web_name.clear();
    record.web_type.clear();
    record.stat_cnzz.clear();
    record.web_starttime.clear();
    record.web_endtime.clear();
}

std::string logout_url(const std::string& site_url)
{
    return site_url + "/index.php?g=Admin&m=Login&a=logout";
}

void send_logout(const std::string& site_url)
{
    web::HttpRequest request;
    request.url = logout_url(site_url);
    request.method = "get";
    web::http_request_text(request);
}

}  // namespace account

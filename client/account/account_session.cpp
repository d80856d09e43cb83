#include "client/account/account_session.h"

#include "client/account/json_members.h"
#include "client/account/sign_in_protocol.h"
#include "client/web/http.h"
#include "client/web/text.h"

#include <random>

namespace account {

AccountSession::AccountSession(web::Endpoints endpoints)
    : m_endpoints(std::move(endpoints)),
      m_random([](int low, int high) {
          static thread_local std::mt19937 engine{std::random_device{}()};
          return std::uniform_int_distribution<int>(low, high)(engine);
      })
{
}

SignInResult AccountSession::sign_in_request(const std::string& user_name,
                                             const std::string& password)
{
    return sign_in_request(user_name, password, user_name);
}

SignInResult AccountSession::sign_in_request(const std::string& user_name,
                                             const std::string& password,
                                             const std::string& record_user_name)
{
    SignInResult result;

    web::HttpRequest request;
    request.url = sign_in_url(m_endpoints);
    request.method = "POST";
    request.body = sign_in_body(user_name, password, m_random(1, 100));
    const std::string reply = web::http_request_text(request);

    m_raw_cookies = request.new_cookies;
    m_cookie_list.clear();
    for (std::string& piece : web::split(m_raw_cookies, "; "))
        if (!piece.empty())
            m_cookie_list.push_back(std::move(piece));

    const JsonMembers members = JsonMembers::parse(reply);
    result.error = members.raw("alert");
    if (result.error.empty()) {
        result.error = std::string(kNetworkErrorText);
        return result;
    }
    if (members.raw("login") != "\"ok\"")
        return result;

    AccountRecord& r = m_record;
    r.userid = remove_quotes(members.raw("userid"));
    r.username = record_user_name;
    r.web_url = clean_web_url(members.raw("web_url"));
    r.web_name = remove_quotes(members.raw("web_name"));
    r.web_type = remove_quotes(members.raw("web_type"));
    m_browser_user_agent = clean_quotes_and_backslashes(members.raw("User_Agent"));

    result.edition = edition_of(r.web_type);
    if (result.edition != 0)
        r.web_type = edition_name(result.edition);

    r.auth = remove_quotes(members.raw("auth"));
    r.web_starttime = remove_quotes(members.raw("web_starttime"));
    r.web_endtime = remove_quotes(members.raw("web_endtime"));

    // A failing client-information request leaves these fields empty; the
    // sign-in itself still counts.
    web::HttpRequest info;
    info.url = client_info_url(r.web_url, r.username, r.auth, m_random(1, 100));
    info.method = "GET";
    const JsonMembers client = JsonMembers::parse(web::http_request_text(info));
    r.site_url = clean_quotes_and_backslashes(client.raw("site_url"));
    r.stat_key = remove_quotes(client.raw("stat_key"));
    r.seo_keywords = remove_quotes(client.raw("seo_keywords"));
    r.seo_description = remove_quotes(client.raw("seo_description"));
    r.logo = remove_quotes(client.raw("logo"));
    r.seo_area = remove_quotes(client.raw("seo_area"));
    r.seo_extarea = remove_quotes(client.raw("seo_extarea"));
    r.site_email = remove_quotes(client.raw("site_email"));
    r.stat_cnzz = clean_quotes_and_backslashes(client.raw("stat_cnzz"));

    result.ok = true;
    return result;
}

}  // namespace account

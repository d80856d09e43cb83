#pragma once
// The account session: the Account record, the Signed-in flag, the cookie
// list, the browser user agent and the Service base address, with the
// requests that fill them. One per process, owned by the application object;
// GUI-free (the panel in ui/ shows it).

#include "client/account/account_record.h"
#include "client/web/endpoints.h"

#include <functional>
#include <string>
#include <vector>

namespace account {

struct SignInResult {
    bool ok = false;
    std::string error;  // the text shown after "登录失败！错误信息：" on failure
    int edition = 0;    // 1..3 when web_type named an edition (now its name), else 0
};

class AccountSession {
public:
    explicit AccountSession(web::Endpoints endpoints);

    const web::Endpoints& endpoints() const { return m_endpoints; }
    const AccountRecord& record() const { return m_record; }
    AccountRecord& record() { return m_record; }

    bool signed_in() const { return m_signed_in; }
    void set_signed_in(bool value) { m_signed_in = value; }

    // "User_Agent" of the sign-in reply, cleaned.
    const std::string& browser_user_agent() const { return m_browser_user_agent; }
    // browser_user_agent() + " Client:" + auth: the agent of the hosted pages.
    std::string client_user_agent() const { return m_browser_user_agent + " Client:" + m_record.auth; }

    const std::string& raw_cookies() const { return m_raw_cookies; }
    const std::vector<std::string>& cookie_list() const { return m_cookie_list; }

    // Empty until the status reply is "1"; then the service site's root.
    const std::string& service_base() const { return m_service_base; }
    void set_service_base(std::string base) { m_service_base = std::move(base); }

    // Random whole numbers for the requests' "rand" fields; replaceable in tests.
    using Random = std::function<int(int low, int high)>;
    void set_random(Random random) { m_random = std::move(random); }

    // Sends the sign-in and, when it succeeds, the client-information
    // request; fills the record, the cookie list and the browser user agent.
    // `record_user_name` is what the record keeps as `username` (the form's
    // untrimmed text); the first overload keeps `user_name`. The Signed-in
    // flag is left to the caller.
    SignInResult sign_in_request(const std::string& user_name, const std::string& password);
    SignInResult sign_in_request(const std::string& user_name, const std::string& password,
                                 const std::string& record_user_name);

private:
    web::Endpoints m_endpoints;
    AccountRecord m_record;
    bool m_signed_in = false;
    std::string m_browser_user_agent;
    std::string m_raw_cookies;
    std::vector<std::string> m_cookie_list;
    std::string m_service_base;
    Random m_random;
};

}  // namespace account

// The HTTP request routine and the plain GET of result pages.

#include "client/web/http.h"

#include "client/web/cookies.h"
#include "client/web/curl_transfer.h"
#include "client/web/http_headers.h"
#include "client/web/text.h"

namespace web {
namespace {

constexpr const char* page_user_agent =
    "Mozilla/5.0 (Windows; U; Windows NT 6.1; en-US) AppleWebKit/534.10 (KHTML, like Gecko) "
    "Chrome/7.0.536.2 Safari/534.10";

// The reply's cookies go into the store under the request's cookie domain.
void keep_reply_cookies(const std::string& domain, std::string& cookies,
                        const std::string& new_cookies)
{
    std::string reply = new_cookies;  // merge trims its argument; the caller's text stays as made
    merge_cookies(cookies, reply);
    store_cookies(domain, cookies);
}

}  // namespace

std::string http_request(HttpRequest& request)
{
    request.method = to_upper_ascii(request.method);
    if (request.method.empty())
        request.method = "GET";
    if (request.headers.empty())
        request.headers = default_header_block(request.url);

    const std::string domain = cookie_domain(request.url, true, false);
    std::string cookies = stored_cookies(domain);
    merge_cookies(cookies, request.cookies);
    request.cookies = cookies;

    CurlTransfer transfer;
    transfer.url = request.url;
    transfer.method = request.method;
    if (!request.cookies.empty())
        transfer.header_lines.push_back("Cookie: " + request.cookies);
    for (std::string& line : request_header_lines(request.headers))
        transfer.header_lines.push_back(std::move(line));
    transfer.body = request.body_bytes.empty() ? request.body : request.body_bytes;
    transfer.follow_redirects = !request.no_redirect;
    transfer.timeout_ms = timeout_ms_for(request.timeout_s);
    transfer.stop = request.stop;
    perform_transfer(transfer);

    request.status = transfer.status;
    request.response_headers = transfer.reply_headers;
    request.location = location_of(transfer.reply_headers);
    request.new_cookies = new_cookies_of(transfer.set_cookie_lines);
    keep_reply_cookies(domain, request.cookies, request.new_cookies);
    return std::move(transfer.reply);
}

std::string http_request_text(HttpRequest& request)
{
    const std::string bytes = http_request(request);
    if (bytes.empty())
        return {};
    return convert_charset(bytes, "UTF-8", "UTF-8");
}

std::string fetch_page(const std::string& url, const std::string& method, std::stop_token stop)
{
    const std::string domain = cookie_domain(url, true, false);
    std::string cookies = stored_cookies(domain);

    CurlTransfer transfer;
    transfer.url = url;
    transfer.method = method.empty() ? "GET" : to_upper_ascii(method);
    transfer.header_lines = {std::string("User-Agent: ") + page_user_agent, "Accept: */*"};
    if (!cookies.empty())
        transfer.header_lines.push_back("Cookie: " + cookies);
    transfer.timeout_ms = timeout_ms_for(0);
    transfer.stop = std::move(stop);
    perform_transfer(transfer);

    const std::string new_cookies = new_cookies_of(transfer.set_cookie_lines);
    if (!new_cookies.empty())
        keep_reply_cookies(domain, cookies, new_cookies);
    return std::move(transfer.reply);
}

}  // namespace web

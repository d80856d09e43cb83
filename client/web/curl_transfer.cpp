#include "client/web/curl_transfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace web {
namespace {

struct Received {
    CurlTransfer* transfer = nullptr;
    bool over_cap = false;
    std::string all_headers;  // every reply's header lines, redirects included
};

void global_init()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool starts_with_ci(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char a = text[i];
        char b = prefix[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = static_cast<char>(b - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

std::size_t on_body(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* received = static_cast<Received*>(user);
    const std::size_t n = size * count;
    std::string& reply = received->transfer->reply;
    if (reply.size() + n > received->transfer->body_cap) {
        received->over_cap = true;
        return 0;  // aborts the transfer
    }
    reply.append(data, n);
    return n;
}

std::size_t on_header(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* received = static_cast<Received*>(user);
    const std::size_t n = size * count;
    std::string line(data, n);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    CurlTransfer& transfer = *received->transfer;
    if (line.rfind("HTTP/", 0) == 0) {
        // A new reply (after a redirect or a 100 Continue): its headers replace the last ones.
        transfer.reply_headers.clear();
        return n;
    }
    if (line.empty())
        return n;
    transfer.reply_headers += line + "\r\n";
    if (starts_with_ci(line, "set-cookie:"))
        transfer.set_cookie_lines.push_back(line);
    return n;
}

int on_progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* transfer = static_cast<const CurlTransfer*>(user);
    return transfer->stop.stop_requested() ? 1 : 0;
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

bool names_header(const std::string& line, std::string_view name)
{
    return line.size() > name.size() && starts_with_ci(line, name) &&
           (line[name.size()] == ':' || line[name.size()] == ';');
}

void set_method_and_body(CURL* easy, CurlTransfer& transfer)
{
    const std::string& method = transfer.method;
    const bool has_body = !transfer.body.empty();
    if (method == "HEAD") {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else if (method == "GET" && !has_body) {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    } else {
        if (method == "POST" || has_body) {
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(transfer.body.size()));
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS, transfer.body.data());
        }
        if (method != "POST")
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method.c_str());
    }
}

}  // namespace

std::optional<long> timeout_ms_for(int timeout_s)
{
    if (timeout_s == -1)
        return std::nullopt;
    return timeout_s >= 1 ? static_cast<long>(timeout_s) * 1000L : 15000L;
}

void perform_transfer(CurlTransfer& transfer)
{
    transfer.ok = false;
    transfer.status = 0;
    transfer.reply.clear();
    transfer.reply_headers.clear();
    transfer.set_cookie_lines.clear();
    transfer.error.clear();
    if (transfer.stop.stop_requested()) {
        transfer.error = "cancelled";
        return;
    }
    global_init();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!easy || !multi) {
        transfer.error = "libcurl could not be initialised";
        return;
    }
    Received received;
    received.transfer = &transfer;
    CURL* e = easy.get();
    curl_easy_setopt(e, CURLOPT_URL, transfer.url.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    // Requests go direct, whatever proxy the environment names.
    curl_easy_setopt(e, CURLOPT_PROXY, "");
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, transfer.follow_redirects ? 1L : 0L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, 20L);
    curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(transfer.body_cap));
    if (transfer.timeout_ms) {
        const long t = *transfer.timeout_ms;
        curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, t);
        curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, std::max(1L, (t + 999) / 1000));
    }
    set_method_and_body(e, transfer);

    std::unique_ptr<curl_slist, ListDeleter> headers;
    auto add_line = [&headers](const std::string& line) {
        curl_slist* grown = curl_slist_append(headers.get(), line.c_str());
        if (grown) {
            headers.release();
            headers.reset(grown);
        }
    };
    for (const std::string& line : transfer.header_lines)
        add_line(line);
    // libcurl's own defaults that the caller did not ask for stay off the wire.
    const auto caller_has = [&transfer](std::string_view name) {
        return std::any_of(transfer.header_lines.begin(), transfer.header_lines.end(),
                           [name](const std::string& line) { return names_header(line, name); });
    };
    if (!caller_has("Accept"))
        add_line("Accept:");
    if (!caller_has("Expect"))
        add_line("Expect:");
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());

    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, on_body);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &received);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, on_header);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &received);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, on_progress);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, &transfer);

    // Driven through a multi handle so that a stop request wakes the wait at
    // once instead of at libcurl's next progress tick.
    curl_multi_add_handle(multi.get(), e);
    CURLcode result = CURLE_OK;
    bool finished = false;
    {
        std::stop_callback wake(transfer.stop, [m = multi.get()] { curl_multi_wakeup(m); });
        int running = 1;
        while (!finished) {
            if (curl_multi_perform(multi.get(), &running) != CURLM_OK)
                break;
            int queued = 0;
            while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
                if (message->msg == CURLMSG_DONE) {
                    result = message->data.result;
                    finished = true;
                }
            }
            if (finished || transfer.stop.stop_requested())
                break;
            if (curl_multi_poll(multi.get(), nullptr, 0, 1000, nullptr) != CURLM_OK)
                break;
        }
    }
    long status = 0;
    curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &status);
    curl_multi_remove_handle(multi.get(), e);

    if (finished && result == CURLE_OK && !received.over_cap) {
        transfer.ok = true;
        transfer.status = status;
        return;
    }
    if (received.over_cap || result == CURLE_FILESIZE_EXCEEDED)
        transfer.error = "reply larger than the body limit";
    else if (transfer.stop.stop_requested())
        transfer.error = "cancelled";
    else
        transfer.error = finished ? curl_easy_strerror(result) : "transfer interrupted";
    transfer.reply.clear();
    transfer.reply_headers.clear();
    transfer.set_cookie_lines.clear();
}

}  // namespace web

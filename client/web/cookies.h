#pragma once
// Cookie strings ("a=1; b=2;"), cookie domains, and the process-wide cookie
// store every request of the client (and, mirrored, every embedded browser)
// shares.

#include <functional>
#include <list>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace web {

// Host of a URL (after the first "http://", else "https://", else from the
// start) up to the first "/"; without port unless keep_port; lower-case;
// cut to its last two labels when two_labels.
std::string cookie_domain(std::string_view url, bool two_labels, bool keep_port);

// Merges `extra` into `base` (both trimmed in place); deletions ("a=" and
// "a=deleted") drop out. Returns the merged text, also left in `base`.
// Names are matched as plain text anywhere in `base`, ignoring ASCII case;
// a piece whose name is blank is not a cookie and is skipped.
std::string merge_cookies(std::string& base, std::string& extra);

// The process-wide session cookie store, keyed by "http://" + domain.
// Thread-safe. Cookies live until the process ends.
class CookieStore {
public:
    static CookieStore& instance();

    // "a=1; b=2" for the URL's host (cookie_domain(url, false, false)), or
    // empty; also empty when the text would exceed `limit` bytes.
    std::string cookies_for(std::string_view url, std::size_t limit = 1024) const;
    // Sets one cookie (name trimmed of blanks, case kept; value may contain
    // "="). An empty value or "deleted" removes the cookie. A blank name is
    // ignored.
    void set_cookie(std::string_view url, std::string_view name, std::string_view value);

    struct Cookie {
        std::string domain;  // cookie_domain(url, false, false)
        std::string name;
        std::string value;
    };
    std::vector<Cookie> all() const;
    void clear();

    // Called after every change (outside the lock), from the thread that
    // made it; the browser mirror listens here. One listener. A removed
    // cookie is reported with an empty value; clear() reports nothing.
    using Listener = std::function<void(const Cookie&)>;
    void set_listener(Listener listener);

private:
    CookieStore() = default;

    // One domain's cookies in the order they were first set.
    struct Jar {
        std::list<std::pair<std::string, std::string>> cookies;  // name, value
        std::unordered_map<std::string, std::list<std::pair<std::string, std::string>>::iterator>
            by_name;
    };

    bool put_locked(const std::string& domain, const std::string& name, const std::string& value);
    bool erase_locked(const std::string& domain, const std::string& name);

    mutable std::mutex m_mutex;
    std::map<std::string, Jar> m_jars;  // by domain
    Listener m_listener;
};

// The store's cookie string for a domain (1024-byte limit as the store reads it).
std::string stored_cookies(std::string_view domain);
// Writes each "name=value" piece of `cookies` into the store for `domain`.
void store_cookies(std::string_view domain, std::string_view cookies);

}  // namespace web

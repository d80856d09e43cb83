// Cookie domains and the process-wide cookie store.

#include "client/web/cookies.h"

#include "client/web/text.h"

namespace web {

std::string cookie_domain(std::string_view url, bool two_labels, bool keep_port)
{
    std::size_t start = 0;
    if (const std::size_t http = url.find("http://"); http != std::string_view::npos)
        start = http + 7;
    else if (const std::size_t https = url.find("https://"); https != std::string_view::npos)
        start = https + 8;
    std::string_view host = url.substr(start);
    host = host.substr(0, host.find('/'));
    if (!keep_port)
        host = host.substr(0, host.find(':'));
    if (two_labels) {
        const std::size_t last = host.rfind('.');
        if (last != std::string_view::npos && last > 0) {
            const std::size_t before = host.rfind('.', last - 1);
            if (before != std::string_view::npos)
                host = host.substr(before + 1);
        }
    }
    return to_lower_ascii(host);
}

CookieStore& CookieStore::instance()
{
    static CookieStore store;
    return store;
}

std::string CookieStore::cookies_for(std::string_view url, std::size_t limit) const
{
    const std::string domain = cookie_domain(url, false, false);
    std::lock_guard lock(m_mutex);
    const auto jar = m_jars.find(domain);
    if (jar == m_jars.end())
        return {};
    std::string out;
    for (const auto& [name, value] : jar->second.cookies) {
        if (!out.empty())
            out += "; ";
        out += name;
        out += '=';
        out += value;
        // Too long for the caller's buffer: nothing rather than a cut text.
        if (out.size() > limit)
            return {};
    }
    return out;
}

void CookieStore::set_cookie(std::string_view url, std::string_view name, std::string_view value)
{
    std::string key = trim(name);
    if (key.empty())
        return;
    const bool removal = value.empty() || value == "deleted";
    Cookie changed{cookie_domain(url, false, false), key,
                   removal ? std::string() : std::string(value)};
    Listener listener;
    {
        std::lock_guard lock(m_mutex);
        const bool changed_anything = removal ? erase_locked(changed.domain, key)
                                              : put_locked(changed.domain, key, changed.value);
        if (!changed_anything)
            return;  // nothing new: no echo to the mirror
        listener = m_listener;
    }
    if (listener)
        listener(changed);
}

bool CookieStore::put_locked(const std::string& domain, const std::string& name,
                             const std::string& value)
{
    Jar& jar = m_jars[domain];
    const auto it = jar.by_name.find(name);
    if (it == jar.by_name.end()) {
        jar.cookies.emplace_back(name, value);
        jar.by_name.emplace(name, std::prev(jar.cookies.end()));
        return true;
    }
    if (it->second->second == value)
        return false;
    it->second->second = value;
    return true;
}

bool CookieStore::erase_locked(const std::string& domain, const std::string& name)
{
    const auto jar = m_jars.find(domain);
    if (jar == m_jars.end())
        return false;
    const auto it = jar->second.by_name.find(name);
    if (it == jar->second.by_name.end())
        return false;
    jar->second.cookies.erase(it->second);
    jar->second.by_name.erase(it);
    if (jar->second.cookies.empty())
        m_jars.erase(jar);
    return true;
}

std::vector<CookieStore::Cookie> CookieStore::all() const
{
    std::lock_guard lock(m_mutex);
    std::vector<Cookie> out;
    for (const auto& [domain, jar] : m_jars)
        for (const auto& [name, value] : jar.cookies)
            out.push_back(Cookie{domain, name, value});
    return out;
}

void CookieStore::clear()
{
    std::lock_guard lock(m_mutex);
    m_jars.clear();
}

void CookieStore::set_listener(Listener listener)
{
    std::lock_guard lock(m_mutex);
    m_listener = std::move(listener);
}

std::string stored_cookies(std::string_view domain)
{
    return CookieStore::instance().cookies_for("http://" + cookie_domain(domain, false, false),
                                               1024);
}

void store_cookies(std::string_view domain, std::string_view cookies)
{
    const std::string url = "http://" + cookie_domain(domain, false, false);
    CookieStore& store = CookieStore::instance();
    std::size_t start = 0;
    while (start < cookies.size()) {
        std::size_t end = cookies.find(';', start);
        if (end == std::string_view::npos)
            end = cookies.size();
        const std::string_view piece = cookies.substr(start, end - start);
        // Only the first "=" separates: a value may hold "=" itself.
        if (const std::size_t eq = piece.find('='); eq != std::string_view::npos)
            store.set_cookie(url, piece.substr(0, eq), piece.substr(eq + 1));
        start = end + 1;
    }
}

}  // namespace web

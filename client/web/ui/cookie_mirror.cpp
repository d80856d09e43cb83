#include "client/web/ui/cookie_mirror.h"

#include "client/web/cookies.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkCookie>
#include <QPointer>
#include <QUrl>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

namespace web {
namespace {

// A browser accepts a domain cookie only for a name with a dot that is not
// an address.
bool can_be_cookie_domain(const QString& domain)
{
    return domain.contains(QLatin1Char('.')) && QHostAddress(domain).isNull();
}

}  // namespace

CookieMirror::CookieMirror(QWebEngineProfile* profile, QObject* parent)
    : QObject(parent), m_profile(profile)
{
    QWebEngineCookieStore* browser = m_profile->cookieStore();
    // Only additions come back: the browser removes a cookie it is about to
    // replace, and the process store keeps session cookies to the end anyway.
    connect(browser, &QWebEngineCookieStore::cookieAdded, this, &CookieMirror::from_browser);

    QPointer<CookieMirror> self(this);
    CookieStore::instance().set_listener([self](const CookieStore::Cookie& cookie) {
        // Any thread may change the store; the application object outlives
        // the mirror and carries the call to the GUI thread, where `self`
        // is checked.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, cookie] {
                if (self)
                    self->to_browser(cookie.domain, cookie.name, cookie.value);
            },
            Qt::QueuedConnection);
    });
    for (const CookieStore::Cookie& cookie : CookieStore::instance().all())
        to_browser(cookie.domain, cookie.name, cookie.value);
}

CookieMirror::~CookieMirror()
{
    CookieStore::instance().set_listener(nullptr);
}

void CookieMirror::to_browser(const std::string& domain, const std::string& name,
                              const std::string& value)
{
    if (domain.empty() || name.empty())
        return;
    auto [it, inserted] = m_synced.try_emplace({domain, name}, value);
    if (!inserted) {
        if (it->second == value)
            return;
        it->second = value;
    }
    const QString host = QString::fromStdString(domain);
    QNetworkCookie cookie(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
    cookie.setPath(QStringLiteral("/"));
    if (can_be_cookie_domain(host))
        cookie.setDomain(QLatin1Char('.') + host);
    const QUrl origin(QStringLiteral("http://%1/").arg(host));
    if (value.empty())
        m_profile->cookieStore()->deleteCookie(cookie, origin);
    else
        m_profile->cookieStore()->setCookie(cookie, origin);
}

void CookieMirror::from_browser(const QNetworkCookie& cookie)
{
    std::string host = cookie.domain().toLower().toStdString();
    while (!host.empty() && host.front() == '.')
        host.erase(host.begin());
    const std::string domain = cookie_domain(host, true, false);
    const std::string name = cookie.name().toStdString();
    const std::string value = cookie.value().toStdString();
    if (domain.empty() || name.empty())
        return;
    const auto key = std::make_pair(domain, name);
    const auto it = m_synced.find(key);
    if (it != m_synced.end() && it->second == value)
        return;
    m_synced[key] = value;
    CookieStore::instance().set_cookie("http://" + domain + "/", name, value);
}

}  // namespace web

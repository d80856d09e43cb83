#include "client/web/ui/cookie_mirror.h"

#include "client/web/cookies.h"

#include <QCoreApplication>
#include <QNetworkCookie>
#include <QPointer>
#include <QUrl>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

namespace web {

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
    // A host-only cookie for the store's host: what the page of that host
    // would have been given by a Set-Cookie without a domain attribute.
    QNetworkCookie cookie(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
    cookie.setPath(QStringLiteral("/"));
    const QUrl origin(QStringLiteral("http://%1/").arg(QString::fromStdString(domain)));
    if (value.empty())
        m_profile->cookieStore()->deleteCookie(cookie, origin);
    else
        m_profile->cookieStore()->setCookie(cookie, origin);
}

void CookieMirror::from_browser(const QNetworkCookie& cookie)
{
    std::string domain = cookie.domain().toLower().toStdString();
    while (!domain.empty() && domain.front() == '.')
        domain.erase(domain.begin());
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

#pragma once
// Keeps the process cookie store (web::CookieStore, used by every HTTP
// request) and a WebEngine profile's cookie store in step, so a page shown in
// a pane sends the cookies a request received and the other way round.
//
// The request routine files cookies under the last two labels of the host
// ("demo.example" for www.demo.example) and sends them to every host below
// it. A store cookie therefore becomes a domain cookie in the browser (a host
// cookie where the key is no domain name, such as "localhost"), and a
// browser cookie is filed under its host's last two labels.
// Lives on the GUI thread; store changes made on workers arrive queued.

#include <QObject>

#include <map>
#include <string>
#include <utility>

class QNetworkCookie;
class QWebEngineProfile;

namespace web {

class CookieMirror final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CookieMirror)
public:
    // Copies what the process store holds into `profile` and follows both
    // stores from then on. The profile must outlive the mirror.
    explicit CookieMirror(QWebEngineProfile* profile, QObject* parent = nullptr);
    ~CookieMirror() override;

private:
    void to_browser(const std::string& domain, const std::string& name, const std::string& value);
    void from_browser(const QNetworkCookie& cookie);

    QWebEngineProfile* m_profile;
    // Last value seen per (store domain, name), whichever side it came from,
    // so a cookie copied to one side is not copied back again.
    std::map<std::pair<std::string, std::string>, std::string> m_synced;
};

}  // namespace web

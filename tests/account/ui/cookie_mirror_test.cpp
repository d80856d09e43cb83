#include "client/ui/seams.h"
#include "client/web/cookies.h"
#include "client/web/http.h"
#include "client/web/ui/cookie_mirror.h"

#include "account/local_server.h"

#include <QCoreApplication>
#include <QNetworkCookie>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <map>

namespace {

// Each test gets a fresh off-the-record profile, so cookies of one test do
// not leak into the next. Pages are asked for at "localhost", a name both
// libcurl and the browser resolve to the loopback server.
class CookieMirrorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        web::CookieStore::instance().clear();
        m_server.route("/page", [](const httplib::Request&, httplib::Response& res) {
            res.set_header("Set-Cookie", "from_page=p4g3; path=/");
            return std::string("<html><body>page</body></html>");
        });
        m_server.route("/sign-in", [](const httplib::Request&, httplib::Response& res) {
            res.set_header("Set-Cookie", "PHPSESSID=s3ss; path=/");
            return std::string(R"({"login":"ok"})");
        });
        m_server.reply("/plain", "<html><body>plain</body></html>");
    }
    void TearDown() override { web::CookieStore::instance().clear(); }

    std::string url(const std::string& path) const
    {
        return "http://localhost:" + std::to_string(m_server.port()) + path;
    }

    bool load(QWebEngineView& view, const std::string& path)
    {
        bool finished = false;
        auto connection = QObject::connect(&view, &QWebEngineView::loadFinished,
                                           [&finished](bool) { finished = true; });
        view.setUrl(QUrl(QString::fromStdString(url(path))));
        const bool ok = ui::wait_until([&] { return finished; }, 20, 20000);
        QObject::disconnect(connection);
        return ok;
    }

    std::string cookie_sent_to(const std::string& path) const
    {
        const auto sent = m_server.requests_to(path);
        return sent.empty() ? "<no request>" : sent.back().cookie;
    }

    accounttest::LocalServer m_server;
    QWebEngineProfile m_profile;
};

TEST_F(CookieMirrorTest, CookiesOfARequestGoWithThePagesOfItsHost)
{
    web::CookieStore::instance().set_cookie("http://localhost/", "before", "b1");
    web::CookieMirror mirror(&m_profile);
    web::HttpRequest sign_in;
    sign_in.url = url("/sign-in");
    web::http_request(sign_in);
    QCoreApplication::processEvents();  // the store's change arrives queued

    QWebEngineView view;
    view.setPage(new QWebEnginePage(&m_profile, &view));
    ASSERT_TRUE(load(view, "/plain"));
    const std::string cookie = cookie_sent_to("/plain");
    EXPECT_NE(cookie.find("before=b1"), std::string::npos) << cookie;
    EXPECT_NE(cookie.find("PHPSESSID=s3ss"), std::string::npos) << cookie;
}

TEST_F(CookieMirrorTest, CookiesOfAPageGoWithRequests)
{
    web::CookieMirror mirror(&m_profile);
    QWebEngineView view;
    view.setPage(new QWebEnginePage(&m_profile, &view));
    ASSERT_TRUE(load(view, "/page"));
    ASSERT_TRUE(ui::wait_until([] { return !web::CookieStore::instance().all().empty(); }, 20, 5000));

    web::HttpRequest request;
    request.url = url("/plain");
    web::http_request(request);
    EXPECT_NE(cookie_sent_to("/plain").find("from_page=p4g3"), std::string::npos)
        << cookie_sent_to("/plain");
}

TEST_F(CookieMirrorTest, StoreRemovalsLeaveThePage)
{
    web::CookieMirror mirror(&m_profile);
    web::CookieStore::instance().set_cookie("http://localhost/", "gone", "1");
    web::CookieStore::instance().set_cookie("http://localhost/", "kept", "2");
    web::CookieStore::instance().set_cookie("http://localhost/", "gone", "deleted");
    QCoreApplication::processEvents();

    QWebEngineView view;
    view.setPage(new QWebEnginePage(&m_profile, &view));
    ASSERT_TRUE(load(view, "/plain"));
    EXPECT_EQ(cookie_sent_to("/plain"), "kept=2");
}

TEST_F(CookieMirrorTest, DomainNamesBecomeDomainCookies)
{
    std::map<std::string, QString> domains;  // cookie name -> browser domain
    QObject::connect(m_profile.cookieStore(), &QWebEngineCookieStore::cookieAdded,
                     [&domains](const QNetworkCookie& c) { domains[c.name().toStdString()] = c.domain(); });
    web::CookieMirror mirror(&m_profile);
    // The profile's cookie store starts working with its first load.
    QWebEngineView view;
    view.setPage(new QWebEnginePage(&m_profile, &view));
    ASSERT_TRUE(load(view, "/plain"));

    // Filed as the request routine files a reply from www.demo.example.
    web::store_cookies(web::cookie_domain("http://www.demo.example/a", true, false), "sid=1");
    web::store_cookies(web::cookie_domain("http://localhost:81/a", true, false), "host_only=1");
    ASSERT_TRUE(ui::wait_until([&] { return domains.size() >= 2; }, 20, 5000));
    EXPECT_EQ(domains["sid"], QStringLiteral(".demo.example"));
    EXPECT_EQ(domains["host_only"], QStringLiteral("localhost"));
    // Nothing came back as a second store entry.
    EXPECT_EQ(web::CookieStore::instance().all().size(), 2u);
}

}  // namespace

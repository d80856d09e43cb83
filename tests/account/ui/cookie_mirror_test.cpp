#include "client/web/cookies.h"
#include "client/web/ui/cookie_mirror.h"
#include "client/ui/seams.h"

#include "account/local_server.h"

#include <QCoreApplication>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <gtest/gtest.h>

namespace {

// Each test gets a fresh off-the-record profile so cookies of one test do
// not leak into the next.
class CookieMirrorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        web::CookieStore::instance().clear();
        m_server.route("/page", [](const httplib::Request&, httplib::Response& res) {
            res.set_header("Set-Cookie", "from_page=p4g3; path=/");
            return std::string("<html><body>page</body></html>");
        });
        m_server.reply("/plain", "<html><body>plain</body></html>");
    }
    void TearDown() override { web::CookieStore::instance().clear(); }

    bool load(QWebEngineView& view, const std::string& path)
    {
        bool finished = false;
        auto connection = QObject::connect(&view, &QWebEngineView::loadFinished,
                                           [&finished](bool) { finished = true; });
        view.setUrl(QUrl(QString::fromStdString("http://" + m_server.host() + path)));
        const bool ok = ui::wait_until([&] { return finished; }, 20, 20000);
        QObject::disconnect(connection);
        return ok;
    }

    accounttest::LocalServer m_server;
    QWebEngineProfile m_profile;
};

TEST_F(CookieMirrorTest, StoreCookiesReachPagesBothOldAndNew)
{
    web::CookieStore::instance().set_cookie("http://127.0.0.1/", "before", "b1");
    web::CookieMirror mirror(&m_profile);
    web::CookieStore::instance().set_cookie("http://127.0.0.1/", "PHPSESSID", "s3ss");

    QWebEngineView view;
    view.setPage(new QWebEnginePage(&m_profile, &view));
    // The queued copy of the second cookie has to arrive before the page asks.
    QCoreApplication::processEvents();
    ASSERT_TRUE(load(view, "/plain"));
    const auto sent = m_server.requests_to("/plain");
    ASSERT_FALSE(sent.empty());
    EXPECT_NE(sent.back().cookie.find("before=b1"), std::string::npos) << sent.back().cookie;
    EXPECT_NE(sent.back().cookie.find("PHPSESSID=s3ss"), std::string::npos) << sent.back().cookie;
}

TEST_F(CookieMirrorTest, PageCookiesReachTheStore)
{
    web::CookieMirror mirror(&m_profile);
    QWebEngineView view;
    view.setPage(new QWebEnginePage(&m_profile, &view));
    ASSERT_TRUE(load(view, "/page"));
    EXPECT_TRUE(ui::wait_until(
        [] { return web::CookieStore::instance().cookies_for("http://127.0.0.1/") == "from_page=p4g3"; },
        20, 5000))
        << web::CookieStore::instance().cookies_for("http://127.0.0.1/");
}

TEST_F(CookieMirrorTest, StoreRemovalsLeaveThePage)
{
    web::CookieMirror mirror(&m_profile);
    web::CookieStore::instance().set_cookie("http://127.0.0.1/", "gone", "1");
    web::CookieStore::instance().set_cookie("http://127.0.0.1/", "kept", "2");
    web::CookieStore::instance().set_cookie("http://127.0.0.1/", "gone", "deleted");
    QCoreApplication::processEvents();

    QWebEngineView view;
    view.setPage(new QWebEnginePage(&m_profile, &view));
    ASSERT_TRUE(load(view, "/plain"));
    const auto sent = m_server.requests_to("/plain");
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().cookie, "kept=2");
}

}  // namespace

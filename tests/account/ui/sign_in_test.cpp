#include "account/ui/session_fixture.h"

#include "client/settings/credentials.h"
#include "client/ui/browser_agent.h"
#include "client/web/ui/cookie_mirror.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QWebEngineProfile>

#include <algorithm>
#include <QToolButton>

namespace {

using accounttest::local_time;
using accounttest::SessionFixture;

class SignInTest : public SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        make_window();
    }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }
    const account::AccountRecord& record() const { return m_session->record(); }
};

TEST_F(SignInTest, SuccessFillsTheRecordAndThePanel)
{
    ASSERT_TRUE(sign_in(QStringLiteral("qinghe"), QStringLiteral("p&ss=w0rd")));
    EXPECT_TRUE(m_session->signed_in());
    EXPECT_TRUE(box_texts().empty());

    const std::string site = m_sim.host("customer_site");
    const account::AccountRecord& r = record();
    EXPECT_EQ(r.userid, "1024");
    EXPECT_EQ(r.username, "qinghe");
    EXPECT_EQ(r.web_name, "江南青禾园林绿化工程有限公司");
    EXPECT_EQ(r.web_url, site);  // "http:\/\/" gone
    EXPECT_EQ(r.web_type, "标准版");
    EXPECT_EQ(r.web_starttime, "2024-03-01");
    EXPECT_EQ(r.web_endtime, "2027-03-01");
    EXPECT_EQ(r.auth, "7c9e2f41b6a8d3e05f1a9c4b2d7e6f38");
    EXPECT_EQ(r.site_url, "http://" + site);                            // backslashes gone
    EXPECT_EQ(r.logo, "http:\\/\\/" + site + "\\/data\\/upload\\/logo.png");  // quotes only
    EXPECT_EQ(r.stat_cnzz, "http://" + m_sim.host("stat") + "/stat.php?id=1280436&web_id=1280436");
    EXPECT_EQ(r.seo_keywords, "园林绿化,绿化工程,苗木基地,屋顶花园");
    EXPECT_EQ(r.seo_extarea, "苏州园林绿化,无锡绿化养护");
    EXPECT_EQ(r.seo_area, "江苏");
    EXPECT_EQ(r.stat_key, "qh2024");
    EXPECT_EQ(r.site_email, "service@qinghe-garden.cn");
    EXPECT_EQ(r.seo_description.rfind("江南青禾园林绿化工程有限公司专业从事", 0), 0u);
    EXPECT_EQ(m_session->browser_user_agent(),
              "Mozilla/5.0 (Windows NT 6.1; WOW64; Trident/7.0; rv:11.0) like Gecko");
    EXPECT_EQ(ui::browser_user_agent().toStdString(),
              m_session->browser_user_agent() + " Client:" + r.auth);

    EXPECT_TRUE(find("外形框_用户信息")->isVisible());
    EXPECT_EQ(text("透明标签_用户名"), QStringLiteral("qinghe"));
    EXPECT_EQ(text("透明标签_公司名称"), QStringLiteral("江南青禾园林绿化工程有..."));  // 28 GBK bytes
    EXPECT_EQ(find("透明标签_公司名称")->toolTip(), QStringLiteral("江南青禾园林绿化工程有限公司"));
    EXPECT_EQ(find("图片框_等级")->toolTip(), QStringLiteral("标准版"));
    EXPECT_FALSE(find<QLabel>("图片框_等级")->pixmap().isNull());
    EXPECT_EQ(text("透明标签_网站名称"), QStringLiteral("网站名称：江南青禾园林绿化工程有限公司"));
    EXPECT_EQ(text("透明标签_域名"), QStringLiteral("域名：") + QString::fromStdString(site));
    EXPECT_EQ(text("透明标签_登录成功"), QStringLiteral("qinghe成功登录云端"));
    EXPECT_TRUE(find("图片框4")->isVisible());
    EXPECT_FALSE(find("图片框6")->isVisible());
    for (const char* button : {"图形按钮1", "图形按钮2", "图形按钮3"})
        EXPECT_FALSE(find<QToolButton>(button)->icon().isNull()) << button;

    // The form goes raw: "&" and "=" of the password as typed.
    const auto posts = sign_in_posts();
    ASSERT_EQ(posts.size(), 1u);
    const std::string prefix = "username=qinghe&password=p&ss=w0rd&verifyCode=647&rand=";
    ASSERT_EQ(posts[0].body.rfind(prefix, 0), 0u) << posts[0].body;
    const std::string rand = posts[0].body.substr(prefix.size());
    ASSERT_FALSE(rand.empty());
    ASSERT_EQ(rand.find_first_not_of("0123456789"), std::string::npos) << rand;
    EXPECT_GE(std::stoi(rand), 1);
    EXPECT_LE(std::stoi(rand), 100);

    // Stored for the next start, whatever the remember box says.
    EXPECT_EQ(m_config->read("用户信息", "用户名"), "qinghe");
    EXPECT_EQ(settings::decipher(m_config->read("用户信息", "密码")), "p&ss=w0rd");
    EXPECT_EQ(m_config->read("config", "version"), "V3.0.6");
    EXPECT_FALSE(m_config->read("用户信息", "LLL").empty());
}

TEST_F(SignInTest, ServicePeriodForFixedDates)
{
    struct Case {
        web::LocalTime now;
        int bar_width;
        const char* caption;
    };
    const Case cases[] = {
        {local_time(2024, 9, 22), 40, "101/365"},
        {local_time(2024, 12, 30, 12), 0, "1/365"},  // no whole day left
        {local_time(2024, 1, 1), 150, "366/365"},
    };
    ASSERT_TRUE(m_sim.set_scenario("customer", {},
                                   {{"web_starttime", "2024-01-01"}, {"web_endtime", "2024-12-31"}}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        controller()->set_clock([now = c.now] { return now; });
        ASSERT_TRUE(sign_in());
        EXPECT_EQ(find("标签5")->width(), c.bar_width);
        EXPECT_EQ(find("标签3")->width(), 150);
        EXPECT_EQ(text("透明标签6"), QString::fromUtf8(c.caption));
        const QString days = QString::fromUtf8(c.caption).section(QLatin1Char('/'), 0, 0);
        EXPECT_EQ(find("透明标签6")->toolTip(), QStringLiteral("您还可以使用%1天").arg(days));
    }
    const QImage bar = find("标签5")->grab().toImage();
    EXPECT_EQ(bar.pixelColor(bar.width() / 2, bar.height() / 2), QColor(101, 191, 5));
    // Rounded ends: the corner pixel of the ground is outside its region.
    EXPECT_FALSE(find("标签3")->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(find("标签3")->mask().contains(QPoint(75, 4)));
}

TEST_F(SignInTest, WebUrlWithoutEscapesAndAnUnknownEdition)
{
    const std::string plain_url = "http://" + m_sim.host("customer_site");
    ASSERT_TRUE(m_sim.set_scenario("customer", {}, {{"web_type", "4"}, {"web_url", plain_url}}));
    ASSERT_TRUE(sign_in());
    EXPECT_TRUE(m_session->signed_in());
    EXPECT_EQ(record().web_url, plain_url);
    EXPECT_EQ(record().web_type, "4");
    EXPECT_TRUE(find<QLabel>("图片框_等级")->pixmap().isNull());
    EXPECT_TRUE(find("图片框_等级")->toolTip().isEmpty());
    // "http://http://…" reaches no site: the client information is empty.
    EXPECT_EQ(record().site_url, "");
    EXPECT_TRUE(m_sim.log("customer_site").empty());
}

TEST_F(SignInTest, RefusalShowsTheAlertAsItsJsonText)
{
    ASSERT_TRUE(m_sim.set_scenario("login_refused", "account_server", {{"alert", "密码错误"}}));
    ASSERT_TRUE(sign_in());
    EXPECT_FALSE(m_session->signed_in());
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("登录失败！错误信息：\"密码错误\""));
    EXPECT_EQ(m_boxes[0].title, QStringLiteral("提示"));
    EXPECT_FALSE(find("外形框_用户信息")->isVisible());
    EXPECT_EQ(m_config->read("用户信息", "用户名"), "");
}

TEST_F(SignInTest, DeadAccountServerIsANetworkError)
{
    m_endpoints.account_server = "127.0.0.1:9";
    make_window();
    ASSERT_TRUE(sign_in());
    EXPECT_FALSE(m_session->signed_in());
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("登录失败！错误信息：网络错误，请检查网络连接或稍后再试"));
    EXPECT_EQ(m_boxes[0].title, QStringLiteral("提示"));
}

TEST_F(SignInTest, FailingClientInformationStillSignsIn)
{
    ASSERT_TRUE(m_sim.set_scenario("not_json", "customer_site"));
    ASSERT_TRUE(sign_in());
    EXPECT_TRUE(m_session->signed_in());
    EXPECT_TRUE(box_texts().empty());
    const account::AccountRecord& r = record();
    EXPECT_EQ(r.userid, "1024");
    EXPECT_EQ(r.auth, "7c9e2f41b6a8d3e05f1a9c4b2d7e6f38");
    for (const std::string* field : {&r.site_url, &r.stat_key, &r.seo_keywords, &r.seo_description,
                                     &r.logo, &r.seo_area, &r.seo_extarea, &r.site_email,
                                     &r.stat_cnzz})
        EXPECT_EQ(*field, "");
    EXPECT_FALSE(m_sim.log("customer_site").empty());
}

TEST_F(SignInTest, EnterSignsInFromThePasswordBoxOnly)
{
    auto* user = find<QLineEdit>("编辑框_用户名");
    auto* password = find<QLineEdit>("编辑框_密码");
    user->setText(QStringLiteral("qinghe"));
    password->setText(QStringLiteral("qh@2024"));
    QTest::keyClick(user, Qt::Key_Return);
    QTest::keyClick(user, Qt::Key_Enter);
    EXPECT_TRUE(sign_in_posts().empty());

    QSignalSpy finished(controller(), &account::SessionController::sign_in_finished);
    QTest::keyClick(password, Qt::Key_Return);
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(30000));
    EXPECT_EQ(sign_in_posts().size(), 1u);
    EXPECT_TRUE(m_session->signed_in());
}

TEST_F(SignInTest, DailyRepeatSignsInWithTheFormAsItStands)
{
    ASSERT_TRUE(sign_in());
    find<QLineEdit>("编辑框_密码")->setText(QStringLiteral("changed"));
    QSignalSpy finished(controller(), &account::SessionController::sign_in_finished);
    m_context->hooks.timed_sign_in();
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(30000));
    const auto posts = sign_in_posts();
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(posts[1].body.rfind("username=qinghe&password=changed&", 0), 0u) << posts[1].body;
}

TEST_F(SignInTest, FormTextsAreTrimmedForTheServerOnly)
{
    ASSERT_TRUE(sign_in(QStringLiteral("  qinghe "), QStringLiteral(" qh@2024\t")));
    const auto posts = sign_in_posts();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].body.rfind("username=qinghe&password=qh@2024&", 0), 0u) << posts[0].body;
    EXPECT_EQ(record().username, "  qinghe ");
    EXPECT_EQ(m_config->read("用户信息", "用户名"), "qinghe");
}

TEST_F(SignInTest, HourlyReloadSendsTheClientUserAgentFromBothPanes)
{
    ASSERT_TRUE(sign_in());
    m_sim.clear_log();
    m_context->hooks.reload_news();
    auto pages = [this] {
        std::vector<testsupport::SimProcess::LogEntry> pages;
        for (const auto& served : m_sim.log("account_server"))
            if (served.target != "/favicon.ico")
                pages.push_back(served);
        return pages;
    };
    // The panes load from the event loop: wait while it runs.
    ASSERT_TRUE(ui::wait_until([&] { return pages().size() >= 2; }, 50, 20000));
    const std::string expected = m_session->browser_user_agent() + " Client:" + record().auth;
    std::vector<std::string> targets;
    for (const auto& served : pages()) {
        targets.push_back(served.target);
        EXPECT_EQ(served.header("User-Agent"), expected) << served.target;
    }
    std::sort(targets.begin(), targets.end());
    EXPECT_EQ(targets, (std::vector<std::string>{"/index.php/clientnews/", "/index.php/clientseo/"}));
}

TEST_F(SignInTest, RegisterAndSiteLinksOpenTheDefaultBrowser)
{
    find<QPushButton>("按钮_注册")->click();
    ASSERT_TRUE(sign_in());
    QTest::mouseClick(find("透明标签_公司名称"), Qt::LeftButton);
    QTest::mouseClick(find("透明标签_域名"), Qt::LeftButton);
    const QString site = QStringLiteral("http://") + QString::fromStdString(m_sim.host("customer_site"));
    ASSERT_EQ(m_opened.size(), 3u);
    EXPECT_EQ(m_opened[0], QString::fromStdString(m_sim.url("account_server")) +
                               QStringLiteral("/index.php?g=User&m=Register&a=index"));
    EXPECT_EQ(m_opened[1], site);
    EXPECT_EQ(m_opened[2], site);
    EXPECT_EQ(find("透明标签_域名")->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(SignInTest, RefreshFromAPageKeepsFlagAndSettings)
{
    QString error;
    ASSERT_TRUE(m_context->sign_in_request(QStringLiteral(" qinghe "), QStringLiteral("qh@2024"), &error));
    EXPECT_FALSE(m_session->signed_in());
    EXPECT_FALSE(QFile::exists(m_run_dir + QStringLiteral("/config.ini")));
    EXPECT_EQ(record().web_name, "江南青禾园林绿化工程有限公司");
    EXPECT_EQ(text("透明标签_网站名称"), QStringLiteral("网站名称：江南青禾园林绿化工程有限公司"));
    const auto posts = sign_in_posts();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].body.rfind("username= qinghe &", 0), 0u);

    ASSERT_TRUE(m_sim.set_scenario("login_refused", "account_server", {{"alert", "x"}}));
    EXPECT_FALSE(m_context->sign_in_request(QStringLiteral("qinghe"), QStringLiteral("no"), &error));
    EXPECT_EQ(error, QStringLiteral("\"x\""));
    EXPECT_TRUE(m_boxes.empty());
}

}  // namespace

namespace {

// The account server reached as "localhost", a name the browser panes can
// hold cookies for (they hold none for bare addresses' last two labels).
class SignInCookiesTest : public SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        m_endpoints.account_server = "localhost:" + std::to_string(m_sim.port("account_server"));
        make_window();
        m_mirror = std::make_unique<web::CookieMirror>(QWebEngineProfile::defaultProfile());
    }
    void TearDown() override
    {
        m_mirror.reset();
        SessionFixture::TearDown();
    }
    std::unique_ptr<web::CookieMirror> m_mirror;
};

TEST_F(SignInCookiesTest, PanesSendTheCookiesOfTheSignIn)
{
    ASSERT_TRUE(sign_in());
    const std::string session_cookie = web::stored_cookies("localhost");
    ASSERT_NE(session_cookie.find("PHPSESSID="), std::string::npos) << session_cookie;
    m_sim.clear_log();
    m_context->hooks.reload_news();
    auto news = [this] {
        for (const auto& served : m_sim.log("account_server"))
            if (served.target == "/index.php/clientnews/")
                return served.header("Cookie");
        return std::string("<none>");
    };
    ASSERT_TRUE(ui::wait_until([&] { return news() != "<none>"; }, 50, 20000));
    const std::string sent = news();
    const std::size_t at = session_cookie.find("PHPSESSID=");
    const std::string pair = session_cookie.substr(at, session_cookie.find(';', at) - at);
    EXPECT_NE(sent.find(pair), std::string::npos) << sent << " / " << pair;
}

}  // namespace

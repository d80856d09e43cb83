#include "account/ui/session_fixture.h"

#include "client/settings/credentials.h"

#include <QCheckBox>
#include <QFile>

#include <tuple>

namespace {

using accounttest::SessionFixture;

class StartUpTest : public SessionFixture {
protected:
    // config.ini as a client on this machine (or another one) left it.
    void write_config(const char* remember, const char* automatic, bool this_machine = true)
    {
        settings::ConfigFile config(m_run_dir.toStdString());
        config.write("用户信息", "用户名", "qinghe");
        config.write("用户信息", "密码", settings::encipher("qh@2024"));
        config.write("用户信息", "LLL",
                     settings::encipher(this_machine ? settings::machine_fingerprint() : "another machine"));
        config.write("登录设置", "记住密码", remember);
        config.write("登录设置", "自动登录", automatic);
    }

    QCheckBox* remember() const { return find<QCheckBox>("选择框_记住密码"); }
    QCheckBox* automatic() const { return find<QCheckBox>("选择框_自动登录"); }
    QString user_box() const { return find<QLineEdit>("编辑框_用户名")->text(); }
    QString password_box() const { return find<QLineEdit>("编辑框_密码")->text(); }
};

TEST_F(StartUpTest, RememberedFormWithoutAutomaticSignIn)
{
    write_config(" 是 ", "否");
    ASSERT_TRUE(start_window());
    EXPECT_TRUE(remember()->isChecked());
    EXPECT_TRUE(remember()->isEnabled());
    EXPECT_FALSE(automatic()->isChecked());
    EXPECT_EQ(user_box(), QStringLiteral("qinghe"));
    EXPECT_EQ(password_box(), QStringLiteral("qh@2024"));
    EXPECT_TRUE(sign_in_posts().empty());
    EXPECT_FALSE(m_session->signed_in());
    EXPECT_TRUE(m_boxes.empty());
    // The news pane was pointed at the service site's news before going on.
    bool news = false;
    for (const auto& served : m_sim.log("service_site"))
        news = news || served.target == "/index.php/clientnews/";
    EXPECT_TRUE(news);
}

TEST_F(StartUpTest, AutomaticSignInAtStartUp)
{
    struct Case {
        const char* remember;
        bool filled;
    };
    for (const Case& c : {Case{"是", true}, Case{"否", false}}) {
        SCOPED_TRACE(c.remember);
        m_window.reset();
        QFile::remove(m_run_dir + QStringLiteral("/config.ini"));
        m_boxes.clear();
        m_sim.clear_log();
        write_config(c.remember, "是");
        ASSERT_TRUE(start_window());
        EXPECT_TRUE(automatic()->isChecked());
        EXPECT_FALSE(remember()->isEnabled());
        EXPECT_EQ(remember()->isChecked(), c.filled);
        EXPECT_EQ(password_box().isEmpty(), !c.filled);
        EXPECT_EQ(sign_in_posts().size(), 1u);
        if (c.filled) {
            EXPECT_TRUE(m_session->signed_in());
            EXPECT_TRUE(m_boxes.empty());
            EXPECT_TRUE(find("外形框_用户信息")->isVisibleTo(m_window.get()));
            EXPECT_EQ(m_session->record().username, "qinghe");
        } else {
            // An empty form is refused by the server, and the user is told.
            EXPECT_FALSE(m_session->signed_in());
            ASSERT_EQ(m_boxes.size(), 1u);
            EXPECT_TRUE(m_boxes[0].text.startsWith(QStringLiteral("登录失败！错误信息：")));
        }
    }
}

TEST_F(StartUpTest, OptionsWrittenWithBlanks)
{
    // "记住密码" is trimmed before the comparison, "自动登录" is not.
    write_config("否", " 是");
    ASSERT_TRUE(start_window());
    EXPECT_FALSE(automatic()->isChecked());
    EXPECT_FALSE(remember()->isChecked());
    EXPECT_TRUE(user_box().isEmpty());
    EXPECT_TRUE(sign_in_posts().empty());
}

TEST_F(StartUpTest, ConfigOfAnotherMachineIsDeleted)
{
    write_config("是", "是", false);
    ASSERT_TRUE(QFile::exists(m_run_dir + QStringLiteral("/config.ini")));
    ASSERT_TRUE(start_window());
    EXPECT_FALSE(QFile::exists(m_run_dir + QStringLiteral("/config.ini")));
    EXPECT_FALSE(automatic()->isChecked());
    EXPECT_FALSE(remember()->isChecked());
    EXPECT_TRUE(user_box().isEmpty());
    EXPECT_TRUE(sign_in_posts().empty());
    EXPECT_FALSE(m_session->signed_in());
}

}  // namespace

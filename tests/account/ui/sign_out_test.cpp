#include "account/ui/session_fixture.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>


namespace {

using accounttest::SessionFixture;

class SignOutTest : public SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        make_window();
    }

    enum class Way { Label, Menu };
    void trigger_sign_out(Way way)
    {
        if (way == Way::Label) {
            QTest::mouseClick(find("透明标签7"), Qt::LeftButton);
            return;
        }
        // 按钮_注销 pops up the menu "用户"; its one item signs out.
        find<QPushButton>("按钮_注销")->click();
        auto* menu = panel()->findChild<QMenu*>(QStringLiteral("用户"));
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->isVisible());
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("注销"));
        menu->actions()[0]->trigger();
        menu->hide();
    }

    QByteArray config_bytes() const
    {
        QFile file(m_run_dir + QStringLiteral("/config.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(SignOutTest, ClearsTheAccountAndTellsTheSite)
{
    for (const Way way : {Way::Label, Way::Menu}) {
        SCOPED_TRACE(way == Way::Label ? "透明标签7" : "按钮_注销");
        ASSERT_TRUE(sign_in());
        ASSERT_TRUE(m_session->signed_in());
        auto* results = find<QTreeWidget>("超级列表框_检索结果");
        for (const char* keyword : {"园林绿化", "绿化工程"})
            results->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("1"), QString::fromUtf8(keyword)}));
        find<QTabWidget>("体验选择夹")->setCurrentIndex(1);
        const QByteArray config_before = config_bytes();
        ASSERT_FALSE(config_before.isEmpty());
        const account::AccountRecord before = m_session->record();
        m_sim.clear_log();

        trigger_sign_out(way);

        const account::AccountRecord& r = m_session->record();
        for (const std::string* field : {&r.userid, &r.web_url, &r.username, &r.auth, &r.seo_keywords,
                                         &r.web_name, &r.web_type, &r.stat_cnzz, &r.web_starttime,
                                         &r.web_endtime})
            EXPECT_EQ(*field, "");
        EXPECT_EQ(r.site_url, before.site_url);
        EXPECT_EQ(r.seo_description, before.seo_description);
        EXPECT_EQ(r.logo, before.logo);
        EXPECT_EQ(r.seo_area, before.seo_area);
        EXPECT_EQ(r.seo_extarea, before.seo_extarea);
        EXPECT_EQ(r.stat_key, before.stat_key);
        EXPECT_EQ(r.site_email, before.site_email);
        EXPECT_FALSE(r.site_url.empty());

        EXPECT_FALSE(m_session->signed_in());
        EXPECT_FALSE(find("外形框_用户信息")->isVisibleTo(m_window.get()));
        EXPECT_TRUE(find("外形框2")->isVisibleTo(m_window.get()));
        EXPECT_FALSE(find("图片框4")->isVisibleTo(m_window.get()));
        EXPECT_TRUE(find("图片框6")->isVisibleTo(m_window.get()));
        EXPECT_EQ(results->topLevelItemCount(), 0);
        EXPECT_EQ(find<QTabWidget>("体验选择夹")->currentIndex(), 0);
        EXPECT_EQ(config_bytes(), config_before);

        const auto logout = m_sim.log("customer_site");
        ASSERT_EQ(logout.size(), 1u);
        EXPECT_EQ(logout[0].method, "GET");
        EXPECT_EQ(logout[0].target, "/index.php?g=Admin&m=Login&a=logout");
        m_sim.clear_log();
    }
}

TEST_F(SignOutTest, ANewSignInTakesOverAgain)
{
    ASSERT_TRUE(sign_in());
    QTest::mouseClick(find("透明标签7"), Qt::LeftButton);
    ASSERT_FALSE(m_session->signed_in());
    ASSERT_TRUE(sign_in());
    EXPECT_TRUE(m_session->signed_in());
    EXPECT_EQ(m_session->record().userid, "1024");
    EXPECT_TRUE(find("外形框_用户信息")->isVisibleTo(m_window.get()));
    EXPECT_TRUE(find("图片框4")->isVisibleTo(m_window.get()));
    EXPECT_FALSE(find("图片框6")->isVisibleTo(m_window.get()));
}

TEST_F(SignOutTest, SiteDownStillSignsOut)
{
    ASSERT_TRUE(m_sim.set_scenario("customer", {}, {{"site_url", "http:\\/\\/127.0.0.1:9"}}));
    ASSERT_TRUE(sign_in());
    ASSERT_EQ(m_session->record().site_url, "http://127.0.0.1:9");
    QTest::mouseClick(find("透明标签7"), Qt::LeftButton);
    EXPECT_FALSE(m_session->signed_in());
    EXPECT_TRUE(m_boxes.empty());
}

}  // namespace

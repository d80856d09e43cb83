#include "shell/ui/shell_fixture.h"

#include "client/ui/artwork.h"
#include "client/shell/skin_center.h"
#include "client/ui/picture_box.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace {

using shelltest::ShellFixture;

class StartupTest : public ShellFixture {};

enum class Expect { Skin, Builtin, Design };

TEST_F(StartupTest, StoredSkinAndItsFallBacks)
{
    struct Case {
        const char* name;
        bool folder;
        int removed_file;  // 0: none
        std::string stored;
        bool this_machine;
        Expect expect;
        int skin;
    };
    const Case cases[] = {
        {"stored skin shown", true, 0, "皮肤6", true, Expect::Skin, 6},
        {"stored file deleted: built-in background", true, 2, "皮肤2", true, Expect::Builtin, 0},
        {"no name: the design background", true, 0, "", true, Expect::Design, 0},
        {"unknown name: the design background", true, 0, "皮肤7", true, Expect::Design, 0},
        {"folder missing: made again, built-in background", false, 0, "皮肤1", true, Expect::Builtin, 0},
        {"config.ini of another machine: deleted, design background", true, 0, "皮肤3", false,
         Expect::Design, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(m_run_dir).removeRecursively();
        QDir().mkpath(m_run_dir);
        if (c.folder)
            write_skins();
        if (c.removed_file) {
            ASSERT_TRUE(QFile::remove(skin_path(c.removed_file)));
        }
        write_config({{"选择皮肤", "内容", c.stored}}, c.this_machine);

        start_window();
        ui::PictureBox* background = m_window->background();
        const QImage shown = plain(background->picture().toImage());
        switch (c.expect) {
        case Expect::Skin: EXPECT_EQ(shown, plain(QImage(skin_path(c.skin)))); break;
        case Expect::Builtin: EXPECT_EQ(shown, plain(ui::art::image(ui::art::builtin_background))); break;
        case Expect::Design: EXPECT_EQ(shown, plain(ui::art::image(ui::art::design_background))); break;
        }
        // Start-up keeps the display mode and the caption as built.
        EXPECT_EQ(background->mode(), ui::PictureBox::Mode::Natural);
        EXPECT_EQ(m_window->skin_label()->text(), QStringLiteral("皮肤1"));
        EXPECT_TRUE(QDir(m_run_dir + QStringLiteral("/皮肤资源")).exists());
        EXPECT_EQ(QFile::exists(m_run_dir + QStringLiteral("/config.ini")), c.this_machine);
        m_window.reset();
    }
}

TEST_F(StartupTest, ARestartShowsTheSkinChosenBefore)
{
    write_skins();
    write_config({});
    start_window();
    ASSERT_NE(m_window->findChild<QWidget*>(QStringLiteral("按钮_换皮肤")), nullptr);
    QTest::mouseClick(find<QPushButton>("按钮_换皮肤"), Qt::LeftButton);
    ASSERT_NE(m_window->skin_center(), nullptr);
    QTest::mousePress(ui::find_control(m_window->skin_center(), QStringLiteral("透明标签8")),
                      Qt::LeftButton, {}, {60, 40});
    m_window.reset();

    start_window();
    EXPECT_EQ(plain(m_window->background()->picture().toImage()), plain(QImage(skin_path(6))));
}

TEST_F(StartupTest, LayoutAfterStart)
{
    start_window();
    EXPECT_EQ(m_window->size(), QSize(900, 600));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Varnel智能营销网站"));
    EXPECT_EQ(find<QLabel>("透明标签_标题")->text(), QStringLiteral("Quenta V3.0.6"));
    EXPECT_EQ(find<QLabel>("透明标签_版本")->text(), QStringLiteral("主程序版本：V3.0.6"));
    EXPECT_EQ(find<QLabel>("云状态")->text(), QStringLiteral("连接"));
    EXPECT_EQ(find<QLabel>("连接状态")->pixmap().toImage(), ui::art::pixmap(ui::art::connected).toImage());
    EXPECT_EQ(find<QLabel>("电脑图")->pixmap().toImage(),
              ui::art::pixmap(ui::art::computer_warning).toImage());
    for (const char* tabs : {"主窗口选择夹", "体验选择夹"}) {
        SCOPED_TRACE(tabs);
        auto* control = find<QTabWidget>(tabs);
        EXPECT_EQ(control->currentIndex(), 0);
        EXPECT_FALSE(control->tabBar()->isVisible());
    }
    EXPECT_EQ(find<QTabWidget>("主窗口选择夹")->geometry(), QRect(0, 111, 900, 465));
    EXPECT_EQ(find("外形框1")->geometry(), QRect(650, 0, 251, 465));
    EXPECT_EQ(find<QTabWidget>("主窗口选择夹")->count(), 9);
}

TEST_F(StartupTest, SignInFormIsRestoredFromConfig)
{
    struct Case {
        const char* name;
        std::string remember;
        std::string automatic;
        bool remember_ticked;
        bool remember_enabled;
        bool automatic_ticked;
        bool filled;
    };
    const Case cases[] = {
        {"remember only", "是", "否", true, true, false, true},
        {"blanks around: remember trims, automatic does not", " 是 ", " 是", true, true, false, true},
        {"automatic without remember", "否", "是", false, false, true, false},
        {"both", "是", "是", true, false, true, true},
        {"neither", "", "", false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_run_dir + QStringLiteral("/config.ini"));
        write_config({{"登录设置", "记住密码", c.remember},
                      {"登录设置", "自动登录", c.automatic},
                      {"用户信息", "用户名", "青禾园林"},
                      {"用户信息", "密码", settings::encipher("s3cret&=")}});
        start_window();
        auto* remember = find<QCheckBox>("选择框_记住密码");
        EXPECT_EQ(remember->isChecked(), c.remember_ticked);
        EXPECT_EQ(remember->isEnabled(), c.remember_enabled);
        EXPECT_EQ(find<QCheckBox>("选择框_自动登录")->isChecked(), c.automatic_ticked);
        EXPECT_EQ(find<QLineEdit>("编辑框_用户名")->text(), c.filled ? QStringLiteral("青禾园林") : QString());
        EXPECT_EQ(find<QLineEdit>("编辑框_密码")->text(), c.filled ? QStringLiteral("s3cret&=") : QString());
        EXPECT_FALSE(m_session->signed_in());
        m_window.reset();
    }
}

TEST_F(StartupTest, ConfigFromAnotherMachineIsDeletedAndAutomaticSignInCleared)
{
    write_config({{"登录设置", "记住密码", "是"}, {"登录设置", "自动登录", "是"}}, false);
    start_window();
    EXPECT_FALSE(QFile::exists(m_run_dir + QStringLiteral("/config.ini")));
    EXPECT_FALSE(find<QCheckBox>("选择框_自动登录")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("选择框_记住密码")->isChecked());
}

TEST_F(StartupTest, SignInOptionBoxesWriteTheirSettings)
{
    start_window();
    auto* remember = find<QCheckBox>("选择框_记住密码");
    auto* automatic = find<QCheckBox>("选择框_自动登录");
    EXPECT_FALSE(QFile::exists(m_run_dir + QStringLiteral("/config.ini")));

    QTest::mouseClick(remember, Qt::LeftButton, {}, {8, 8});
    EXPECT_EQ(read_config("登录设置", "记住密码"), "是");
    QTest::mouseClick(remember, Qt::LeftButton, {}, {8, 8});
    EXPECT_EQ(read_config("登录设置", "记住密码"), "否");

    QTest::mouseClick(automatic, Qt::LeftButton, {}, {8, 8});
    EXPECT_EQ(read_config("登录设置", "自动登录"), "是");
    EXPECT_EQ(read_config("登录设置", "记住密码"), "是");
    EXPECT_TRUE(remember->isChecked());
    EXPECT_FALSE(remember->isEnabled());

    QTest::mouseClick(automatic, Qt::LeftButton, {}, {8, 8});
    EXPECT_EQ(read_config("登录设置", "自动登录"), "否");
    EXPECT_EQ(read_config("登录设置", "记住密码"), "否");
    EXPECT_FALSE(remember->isChecked());
    EXPECT_TRUE(remember->isEnabled());
}

}  // namespace

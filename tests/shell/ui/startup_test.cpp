#include "shell/ui/shell_fixture.h"

#include "client/ui/artwork.h"
#include "client/shell/application.h"
#include "client/shell/skin_center.h"
#include "platform/platform.h"
#include "client/ui/picture_box.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

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

namespace {

class StartupHooksTest : public ShellFixture {
protected:
    // Builds the window with hooks that log their calls.
    void make_logging_window(bool update_lets_run = true)
    {
        make_window();
        ui::ShellHooks& hooks = m_context->hooks;
        hooks.check_service_status = [this] { m_log.push_back("status"); };
        hooks.check_for_update = [this, update_lets_run] {
            m_log.push_back("update");
            return update_lets_run;
        };
        hooks.show_news_and_wait = [this](std::function<void()> loaded) {
            m_log.push_back("news");
            m_pending = std::move(loaded);
        };
        hooks.automatic_sign_in = [this](std::function<void()> done) {
            // The form is restored and the boxes set before the sign-in.
            m_log.push_back(find<QLineEdit>("编辑框_用户名")->text().isEmpty() ? "sign-in, empty form"
                                                                                : "sign-in");
            m_pending = std::move(done);
        };
        hooks.timed_sign_in = [this] { m_log.push_back("timed sign-in"); };
        hooks.reload_news = [this] { m_log.push_back("news reload"); };
        QObject::connect(m_window.get(), &shell::MainWindow::started, [this] { m_log.push_back("started"); });
        QObject::connect(m_window.get(), &shell::MainWindow::exit_requested,
                         [this](int code) { m_log.push_back("exit " + std::to_string(code)); });
    }

    // Lets the step that waits go on.
    void finish_pending()
    {
        auto pending = std::move(m_pending);
        m_pending = nullptr;
        ASSERT_TRUE(pending);
        pending();
    }

    std::vector<std::string> m_log;
    std::function<void()> m_pending;
};

TEST_F(StartupHooksTest, StepsRunInOrderAndWaitForTheNewsAndTheSignIn)
{
    write_skins();
    write_config({{"登录设置", "记住密码", "是"},
                  {"登录设置", "自动登录", "是"},
                  {"用户信息", "用户名", "青禾园林"},
                  {"选择皮肤", "内容", "皮肤4"}});
    make_logging_window();
    m_window->start();
    EXPECT_EQ(m_log, (std::vector<std::string>{"status", "update", "news"}));
    // Nothing after the wait has happened yet.
    EXPECT_EQ(m_window->height(), 624);
    finish_pending();
    EXPECT_EQ(m_log.back(), "sign-in");
    EXPECT_TRUE(find<QCheckBox>("选择框_自动登录")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("选择框_记住密码")->isEnabled());
    finish_pending();
    EXPECT_EQ(m_log.back(), "started");
    EXPECT_EQ(m_window->height(), 600);
    EXPECT_EQ(plain(m_window->background()->picture().toImage()), plain(QImage(skin_path(4))));
}

TEST_F(StartupHooksTest, WithoutStoredOptionsNothingWaits)
{
    make_logging_window();
    m_window->start();
    EXPECT_EQ(m_log, (std::vector<std::string>{"status", "update", "started"}));
    EXPECT_FALSE(QFile::exists(m_run_dir + QStringLiteral("/config.ini")));
}

TEST_F(StartupHooksTest, HandingOverToTheUpdaterEndsBeforeAnythingElse)
{
    write_config({{"选择皮肤", "内容", "皮肤2"}});
    const QByteArray before = [this] {
        QFile file(m_run_dir + QStringLiteral("/config.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    make_logging_window(false);
    m_window->start();
    EXPECT_EQ(m_log, (std::vector<std::string>{"status", "update", "exit 0"}));
    EXPECT_FALSE(QDir(m_config_dir).exists());
    QFile file(m_run_dir + QStringLiteral("/config.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(StartupHooksTest, TimersRepeatTheSignInDailyAndTheNewsHourly)
{
    make_logging_window();
    m_window->start();
    m_window->start_timers();
    auto* sign_in = m_window->findChild<QTimer*>(QStringLiteral("时钟_定时登录"));
    auto* news = m_window->findChild<QTimer*>(QStringLiteral("时钟1"));
    ASSERT_NE(sign_in, nullptr);
    ASSERT_NE(news, nullptr);
    EXPECT_TRUE(sign_in->isActive());
    EXPECT_EQ(sign_in->interval(), 86'400'000);
    EXPECT_EQ(news->interval(), 3'600'000);
    m_log.clear();
    Q_EMIT sign_in->timeout({});
    Q_EMIT news->timeout({});
    EXPECT_EQ(m_log, (std::vector<std::string>{"timed sign-in", "news reload"}));
}

TEST(Folders, CommandLineOverridesTheDefaults)
{
    struct Case {
        QStringList arguments;
        QString run_dir;     // empty: the executable's folder
        QString config_dir;  // empty: the per-user default
    };
    const Case cases[] = {
        {{QStringLiteral("varnel")}, {}, {}},
        {{QStringLiteral("varnel"), QStringLiteral("--run-dir"), QStringLiteral("/tmp/a")},
         QStringLiteral("/tmp/a"), {}},
        {{QStringLiteral("varnel"), QStringLiteral("--config-dir=/tmp/c"), QStringLiteral("--run-dir=/tmp/r/../a")},
         QStringLiteral("/tmp/a"), QStringLiteral("/tmp/c")},
        {{QStringLiteral("varnel"), QStringLiteral("--unknown"), QStringLiteral("--run-dir"), QStringLiteral("/tmp/b")},
         QStringLiteral("/tmp/b"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const shell::Folders folders = shell::folders_from_arguments(c.arguments);
        EXPECT_EQ(folders.run_dir, c.run_dir.isEmpty() ? QString::fromStdString(platform::executable_dir())
                                                       : c.run_dir);
        EXPECT_EQ(folders.config_dir, c.config_dir.isEmpty()
                                          ? QString::fromStdString(platform::user_config_dir())
                                          : c.config_dir);
    }
}

}  // namespace

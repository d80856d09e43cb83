#include "update/ui/update_window.h"

#include "support/temp_dir.h"
#include "update/support/file_server.h"
#include "update/support/zip_builder.h"
#include "update/ui/seams.h"
#include "update/update_run.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;
using testsupport::FileServer;
using testsupport::FileServerOptions;
using update_ui::UpdateWindow;

const QString kUnsupported = QStringLiteral("对不起,本程序只支持zip和exe格式的下载文件");

bool wait_for(const std::function<bool()>& done, int limit_ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limit_ms)
            return false;
        QTest::qWait(20);
    }
    return true;
}

std::string command(const std::vector<std::string>& fields)
{
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i)
        text += (i ? "<#>" : "") + fields[i];
    std::string encoded;
    for (const char c : text)
        encoded += c == ' ' ? std::string("<?>") : std::string(1, c);
    return encoded;
}

// Records every box and every "open" instead of showing or opening anything.
class UpdateWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(temp());
        fs::create_directories(client());
        testsupport::write_file(client() / "varnel", "old");
        update_ui::set_message_box_handler([this](const update_ui::MessageBoxRequest& request) {
            m_boxes.push_back(request);
            m_installed_at_box = testsupport::read_file(client() / "varnel") == "new";
        });
        update_ui::set_open_url_handler([this](const QString& address) {
            m_opened.push_back(address);
            m_installed_at_open = testsupport::read_file(client() / "varnel") == "new";
            return true;
        });
    }
    void TearDown() override
    {
        // Keep recording: a real box would block an offscreen run.
        update_ui::set_message_box_handler([](const update_ui::MessageBoxRequest&) {});
        update_ui::set_open_url_handler([](const QString&) { return true; });
    }
    fs::path temp() const { return m_root.path() / "tmp"; }
    fs::path client() const { return m_root.path() / "Apps" / "varnel-test-client"; }
    UpdateWindow::TempDirProvider provider() const
    {
        return [this] { return temp(); };
    }
    std::string package()
    {
        const fs::path zip = m_root.path() / "package.zip";
        testsupport::write_zip(zip, {{"varnel-test-client/varnel", "new", 0100755}});
        return testsupport::read_file(zip);
    }
    std::vector<std::string> fields(const FileServer& server, const std::string& message,
                                    const std::string& open)
    {
        return {"自动更新",
                "如果自动更新失败，请点此至官网下载",
                "http://127.0.0.1:1/manual page",
                client().string(),
                server.url(),
                message,
                open};
    }

    testsupport::TempDir m_root;
    std::vector<update_ui::MessageBoxRequest> m_boxes;
    std::vector<QString> m_opened;
    bool m_installed_at_box = false;
    bool m_installed_at_open = false;
};

TEST_F(UpdateWindowTest, LayoutFollowsTheDesign)
{
    UpdateWindow window;
    EXPECT_EQ(window.size(), QSize(319, 103));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("启动窗口标题"));
    const struct {
        const char* name;
        QRect geometry;
    } controls[] = {
        {"进度条_下载进度", {7, 8, 299, 20}},
        {"透明标签_百分比", {131, 8, 50, 20}},
        {"标签_状态", {7, 30, 299, 22}},
        {"超级链接", {7, 54, 299, 20}},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        auto* widget = window.findChild<QWidget*>(QString::fromUtf8(c.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), c.geometry);
    }
    auto* bar = window.findChild<QProgressBar*>(QStringLiteral("进度条_下载进度"));
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("透明标签_百分比"))->text().isEmpty());
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("标签_状态"))->text().isEmpty());
    auto* timer = window.findChild<QTimer*>(QStringLiteral("时钟1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
}

TEST_F(UpdateWindowTest, RejectedCommandLinesEndSilently)
{
    FileServer server(package());
    auto https = fields(server, "不提示", "假");
    https[4] = "https://127.0.0.1/pkg/client.zip";
    auto upper = fields(server, "不提示", "假");
    upper[4] = "HTTP://127.0.0.1/pkg/client.zip";
    const std::vector<std::string> seven = fields(server, "不提示", "假");
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        bool captions_set;
    } cases[] = {
        {"no arguments", {}, false},
        {"eight fields", {command(seven) + "<#>extra"}, false},
        {"empty seventh field", {command(seven).substr(0, command(seven).size() - 3)}, false},
        {"https", {command(https)}, true},
        {"upper-case HTTP", {command(upper)}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UpdateWindow window;
        bool asked_for_folder = false;
        EXPECT_FALSE(window.begin(c.arguments, [&] {
            asked_for_folder = true;
            return temp();
        }));
        EXPECT_FALSE(asked_for_folder);
        EXPECT_EQ(window.run(), nullptr);
        EXPECT_EQ(window.windowTitle() == QStringLiteral("自动更新"), c.captions_set);
    }
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(UpdateWindowTest, UnsupportedKindShowsTheMessageThenEnds)
{
    FileServer server(package());
    auto rar = fields(server, "不提示", "假");
    rar[4] = server.url("/pkg/client.rar");
    UpdateWindow window;
    EXPECT_FALSE(window.begin({command(rar)}, provider()));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, kUnsupported);
    EXPECT_EQ(m_boxes[0].title, QStringLiteral("友情提醒"));
    EXPECT_EQ(m_boxes[0].icon, QMessageBox::Information);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(UpdateWindowTest, CompletionShowsMessageInstallsOpensAndCloses)
{
    const struct {
        const char* name;
        std::string message;
        std::string open;
    } cases[] = {
        {"message and open", "自动更新 完成", "真"},
        {"no message, no open", "不提示", "假"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::write_file(client() / "varnel", "old");
        m_boxes.clear();
        m_opened.clear();
        FileServer server(package());
        UpdateWindow window;
        ASSERT_TRUE(window.begin({command(fields(server, c.message, c.open))}, provider()));
        window.show();
        EXPECT_EQ(window.windowTitle(), QStringLiteral("自动更新"));
        auto* link = window.findChild<QLabel*>(QStringLiteral("超级链接"));
        EXPECT_EQ(link->text(), QStringLiteral("如果自动更新失败，请点此至官网下载"));
        auto* bar = window.findChild<QProgressBar*>(QStringLiteral("进度条_下载进度"));
        EXPECT_EQ(bar->palette().color(QPalette::Highlight), QColor(147, 201, 255));
        EXPECT_TRUE(window.findChild<QTimer*>(QStringLiteral("时钟1"))->isActive());

        ASSERT_TRUE(wait_for([&] { return !window.isVisible(); }, 30000));
        EXPECT_EQ(testsupport::read_file(client() / "varnel"), "new");
        if (c.message == "不提示") {
            EXPECT_TRUE(m_boxes.empty());
        } else {
            ASSERT_EQ(m_boxes.size(), 1u);
            EXPECT_EQ(m_boxes[0].text, QString::fromStdString(c.message));
            EXPECT_EQ(m_boxes[0].title, QStringLiteral("友情提醒"));
            EXPECT_EQ(m_boxes[0].owner, &window);
            EXPECT_FALSE(m_installed_at_box); // the message comes before the install
        }
        if (c.open == "真") {
            ASSERT_EQ(m_opened.size(), 1u);
            EXPECT_EQ(m_opened[0], QString::fromStdString(client().string()));
            EXPECT_TRUE(m_installed_at_open);
        } else {
            EXPECT_TRUE(m_opened.empty());
        }
        const QString status = window.findChild<QLabel*>(QStringLiteral("标签_状态"))->text();
        EXPECT_TRUE(status.startsWith(QStringLiteral("正在更新："))) << status.toStdString();
        EXPECT_TRUE(
            window.findChild<QLabel*>(QStringLiteral("透明标签_百分比"))->text().endsWith(u'%'));
        EXPECT_TRUE(fs::is_empty(temp()));
    }
}

TEST_F(UpdateWindowTest, CompleteDownloadThatCannotInstallStillClosesAndCleansUp)
{
    const fs::path zip = m_root.path() / "hostile.zip";
    ASSERT_TRUE(testsupport::write_zip(
        zip, {{"varnel-test-client/varnel", "new", 0100755}, {"../../evil.txt", "evil"}}));
    const std::string slip = testsupport::read_file(zip);
    ASSERT_TRUE(testsupport::write_zip(
        zip, {{"varnel-test-client/varnel", testsupport::pseudo_random_bytes(70000)}}));
    const std::string truncated = testsupport::read_file(zip).substr(0, 40000);
    const struct {
        const char* name;
        std::string body;
        std::string path; // what the server is asked for
        std::string install_path;
        std::string expected; // content of the program afterwards
    } cases[] = {
        {"zip slip", slip, "/pkg/client.zip", client().string(), "old"},
        {"truncated archive", truncated, "/pkg/client.zip", client().string(), "old"},
        {"exe onto the install folder", "new", "/pkg/setup.exe", client().string(), "old"},
        {"exe onto the program", "new", "/pkg/setup.exe", (client() / "varnel").string(), "new"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::write_file(client() / "varnel", "old");
        FileServer server(c.body);
        auto task = fields(server, "不提示", "假");
        task[3] = c.install_path;
        task[4] = server.url(c.path);
        UpdateWindow window;
        ASSERT_TRUE(window.begin({command(task)}, provider()));
        window.show();
        ASSERT_TRUE(wait_for([&] { return !window.isVisible(); }, 30000));
        EXPECT_TRUE(testsupport::read_file(client() / "varnel") == c.expected);
        EXPECT_FALSE(fs::exists(m_root.path() / "evil.txt"));
        EXPECT_FALSE(fs::exists(temp().parent_path().parent_path() / "evil.txt"));
        EXPECT_TRUE(fs::is_empty(temp()));
    }
    EXPECT_NE(fs::status(client() / "varnel").permissions() & fs::perms::owner_exec,
              fs::perms::none);
}

TEST_F(UpdateWindowTest, IncompleteDownloadKeepsTheWindowOpenWithItsLink)
{
    FileServerOptions cut;
    cut.cut_at = 100;
    const std::string body = testsupport::pseudo_random_bytes(500 * 1000);
    FileServer server(body, cut);
    UpdateWindow window;
    ASSERT_TRUE(window.begin({command(fields(server, "自动更新完成", "假"))}, provider()));
    window.show();
    ASSERT_TRUE(wait_for([&] { return window.run()->state() == update::DownloadState::Incomplete; },
                         30000));
    QTest::qWait(1500); // a few more ticks: nothing closes the window
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(testsupport::read_file(client() / "varnel"), "old");
    // The cut may come before the first monitor tick, so the status line may
    // never have seen the size; it must not claim the whole file either way.
    const QString status = window.findChild<QLabel*>(QStringLiteral("标签_状态"))->text();
    EXPECT_FALSE(status.contains(QStringLiteral("已下载：500 KB"))) << status.toStdString();
    EXPECT_LT(window.findChild<QProgressBar*>(QStringLiteral("进度条_下载进度"))->value(), 100);

    auto* link = window.findChild<QLabel*>(QStringLiteral("超级链接"));
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], QStringLiteral("http://127.0.0.1:1/manual page"));

    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(fs::is_empty(temp()));
}

} // namespace

#include "shell/ui/shell_fixture.h"

#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>

namespace {

using shelltest::ShellFixture;

// A process named like the title caption, which the exit takes along.
class Companion {
public:
    explicit Companion(const QString& folder)
    {
        const QString program = folder + QStringLiteral("/Quenta V3.0.6");
        if (!QFile::copy(QStringLiteral("/bin/sleep"), program))
            return;
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_process.start(program, {QStringLiteral("60")});
        m_process.waitForStarted(5000);
    }
    ~Companion()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    bool running() { return m_process.state() == QProcess::Running; }
    bool ends() { return m_process.waitForFinished(5000); }

private:
    QProcess m_process;
};

class ExitTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        start_window();
    }
};

TEST_F(ExitTest, NoLeavesEverythingAsItWas)
{
    Companion companion(QString::fromStdString(m_root.str()));
    ASSERT_TRUE(companion.running());
    QSignalSpy exits(m_window.get(), &shell::MainWindow::exit_requested);
    m_answers.push_back(ui::Answer::No);

    QTest::mouseClick(find<QPushButton>("按钮_关闭"), Qt::LeftButton);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("您确认要退出吗？"));
    EXPECT_EQ(m_boxes[0].title, QStringLiteral("温馨提示："));
    EXPECT_EQ(m_boxes[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(m_boxes[0].icon, ui::Icon::Exclamation);
    EXPECT_EQ(exits.count(), 0);
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(companion.running());
    EXPECT_FALSE(QFile::exists(m_run_dir + QStringLiteral("/config.ini")));
}

TEST_F(ExitTest, YesEndsTheTitledProcessAndExitsWithZero)
{
    Companion companion(QString::fromStdString(m_root.str()));
    ASSERT_TRUE(companion.running());
    QSignalSpy exits(m_window.get(), &shell::MainWindow::exit_requested);
    m_answers.push_back(ui::Answer::Yes);

    QTest::mouseClick(find<QPushButton>("按钮_关闭"), Qt::LeftButton);
    ASSERT_EQ(exits.count(), 1);
    EXPECT_EQ(exits.front().front().toInt(), 0);
    EXPECT_TRUE(companion.ends());
    EXPECT_FALSE(QFile::exists(m_run_dir + QStringLiteral("/config.ini")));
}

}  // namespace

namespace {

TEST_F(ExitTest, ClosingFromTheDesktopAsksTheSameQuestion)
{
    QSignalSpy exits(m_window.get(), &shell::MainWindow::exit_requested);
    m_answers = {ui::Answer::No, ui::Answer::Yes};
    m_window->close();
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(exits.count(), 0);
    m_window->close();
    ASSERT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_boxes[1].text, QStringLiteral("您确认要退出吗？"));
    ASSERT_EQ(exits.count(), 1);
    EXPECT_EQ(exits.front().front().toInt(), 0);
}

}  // namespace

// The real program started while a client of the same user runs.
#include "shell/ui/shell_fixture.h"

#include "client/shell/single_instance.h"
#include "support/sim_process.h"

#include <QCryptographicHash>
#include <QProcess>

namespace {

using shelltest::ShellFixture;

class SingleInstanceTest : public ShellFixture {
protected:
    // The client as a process over the fixture's folders. Its status and
    // update checks run before it looks for a running client, so it talks to
    // the simulator: a failed check would wait on its message box.
    void start_client(QProcess& process)
    {
        ASSERT_TRUE(m_sim.ok()) << m_sim.error();
        const QString endpoints = m_run_dir + QStringLiteral("/endpoints.ini");
        QFile::remove(endpoints);
        ASSERT_TRUE(QFile::copy(QString::fromStdString(m_sim.run_dir()) + QStringLiteral("/endpoints.ini"),
                                endpoints));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"),
                           QStringLiteral("--disable-gpu --no-sandbox"));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(VARNEL_CLIENT_PATH),
                      {QStringLiteral("--run-dir"), m_run_dir, QStringLiteral("--config-dir"), m_config_dir});
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    QByteArray config_bytes() const
    {
        QFile file(m_run_dir + QStringLiteral("/config.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void stop(QProcess& process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    testsupport::SimProcess m_sim;
};

TEST_F(SingleInstanceTest, SecondProgramShowsTheFirstWindowAndEndsWithZero)
{
    write_config({{"选择皮肤", "内容", "皮肤3"}});
    start_window();
    m_window->showMinimized();
    ASSERT_TRUE(m_window->isMinimized());
    const QByteArray before = config_bytes();
    ASSERT_FALSE(before.isEmpty());
    const QDateTime modified = QFileInfo(m_run_dir + QStringLiteral("/config.ini")).lastModified();

    QProcess second;
    start_client(second);
    // The window answers from this event loop while the second one waits.
    ASSERT_TRUE(ui::wait_until([&second] { return second.state() == QProcess::NotRunning; }, 20, 60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_TRUE(ui::wait_until([this] { return !m_window->isMinimized(); }, 10, 5000));
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(config_bytes(), before);
    EXPECT_EQ(QFileInfo(m_run_dir + QStringLiteral("/config.ini")).lastModified(), modified);
}

TEST_F(SingleInstanceTest, TwoProgramsOfOneUserLeaveOneRunning)
{
    write_config({{"选择皮肤", "内容", "皮肤3"}});
    QProcess first;
    start_client(first);
    shell::SingleInstance probe(m_config_dir);
    ASSERT_TRUE(ui::wait_until([&probe] { return probe.another_is_running(); }, 100, 60000));
    const QByteArray before = config_bytes();

    QProcess second;
    start_client(second);
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(config_bytes(), before);
    stop(first);
}

TEST_F(SingleInstanceTest, ClientsOfDifferentConfigFoldersDoNotMeet)
{
    shell::SingleInstance mine(m_config_dir);
    ASSERT_TRUE(mine.listen());
    EXPECT_TRUE(shell::SingleInstance(m_config_dir).another_is_running());
    EXPECT_FALSE(shell::SingleInstance(m_config_dir + QStringLiteral("-other")).another_is_running());
    // A show request for another window id is not for this one.
    quint32 asked = 1;
    QObject::connect(&mine, &shell::SingleInstance::show_requested, [&asked](quint32 id) { asked = id; });
    EXPECT_TRUE(shell::SingleInstance(m_config_dir).ask_to_show(0));
    EXPECT_TRUE(ui::wait_until([&asked] { return asked == 0; }, 10, 5000));
}

}  // namespace

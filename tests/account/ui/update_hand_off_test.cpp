#include "account/ui/session_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <string>

namespace {

using accounttest::SessionFixture;

std::string spaces_encoded(std::string text)
{
    for (std::size_t at = text.find(' '); at != std::string::npos; at = text.find(' ', at))
        text.replace(at, 1, "<?>");
    return text;
}

// A run folder whose path holds spaces, with a program standing in for the
// updater that writes down the arguments it got, one per line.
class UpdateHandOffTest : public SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        m_run_dir = QString::fromStdString(m_root.str()) + QStringLiteral("/run dir/with space");
        QDir().mkpath(m_run_dir);
        QFile recorder(m_run_dir + QStringLiteral("/update"));
        ASSERT_TRUE(recorder.open(QIODevice::WriteOnly));
        recorder.write("#!/bin/sh\n"
                       "record=\"${0%/*}/update-record\"\n"
                       "{ printf '%s\\n' \"$#\" \"$0\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; }"
                       " > \"$record.part\"\n"
                       "mv \"$record.part\" \"$record\"\n");
        recorder.close();
        ASSERT_TRUE(recorder.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    QString record_path() const { return m_run_dir + QStringLiteral("/update-record"); }

    // The lines the stand-in wrote: argument count, program, arguments.
    QStringList wait_for_record() const
    {
        if (!ui::wait_until([this] { return QFile::exists(record_path()); }, 20, 15000))
            return {};
        QFile file(record_path());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    std::string expected_argument(const std::string& version) const
    {
        const std::string softurl =
            "http://" + m_sim.host("downloads") + "/Download/varnel_" + version + ".zip";
        return "自动更新<#>如果自动更新失败，请点此至官网下载<#>" + spaces_encoded(softurl) + "<#>" +
               spaces_encoded(m_run_dir.toStdString()) + "<#>" + spaces_encoded(softurl) +
               "<#>自动更新完成<#>假";
    }

    // The two checks as start-up runs them; false when the client hands over.
    bool run_checks()
    {
        m_context->hooks.check_service_status();
        return m_context->hooks.check_for_update();
    }
};

TEST_F(UpdateHandOffTest, AnotherVersionStartsTheUpdaterAndEndsTheClient)
{
    const std::string marker = m_root.str() + "/ran-a-command";
    const std::string versions[] = {
        "V3.0.5",
        "V3.1.0",
        "V3.1.0 beta $(touch " + marker + ") `touch " + marker + "`;touch " + marker,
    };
    for (const std::string& version : versions) {
        SCOPED_TRACE(version);
        QFile::remove(record_path());
        m_exits.clear();
        ASSERT_TRUE(m_sim.set_scenario("newer_version", "service_site", {{"version", version}}));
        make_window();
        EXPECT_FALSE(run_checks());
        EXPECT_EQ(m_exits, std::vector<int>{0});
        EXPECT_TRUE(m_boxes.empty());

        const QStringList lines = wait_for_record();
        ASSERT_EQ(lines.size(), 3) << lines.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(lines[0], QStringLiteral("1"));  // one argument, no shell splitting it
        EXPECT_EQ(lines[1], m_run_dir + QStringLiteral("/update"));
        EXPECT_EQ(lines[2].toStdString(), expected_argument(version));
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(marker)));
}

TEST_F(UpdateHandOffTest, SameVersionInAnyCaseStartsNothing)
{
    for (const char* version : {"V3.0.6", "v3.0.6"}) {
        SCOPED_TRACE(version);
        ASSERT_TRUE(m_sim.set_scenario("newer_version", "service_site", {{"version", version}}));
        make_window();
        EXPECT_TRUE(run_checks());
    }
    EXPECT_TRUE(m_exits.empty());
    EXPECT_TRUE(m_boxes.empty());
    ui::wait_until([] { return false; }, 20, 300);
    EXPECT_FALSE(QFile::exists(record_path()));
}

TEST_F(UpdateHandOffTest, FailuresSaySoAndTheClientGoesOn)
{
    struct Case {
        const char* scenario;
        std::map<std::string, std::string> params;
    };
    const Case cases[] = {
        {"status_not_1", {{"text", "1\n"}}},  // no Service base address
        {"status_not_1", {{"text", ""}}},
        {"not_json", {}},  // a manifest that is no JSON
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario);
        ASSERT_TRUE(m_sim.reset_scenarios());
        ASSERT_TRUE(m_sim.set_scenario(c.scenario, "service_site", c.params));
        m_boxes.clear();
        make_window();
        EXPECT_TRUE(run_checks());
        ASSERT_EQ(m_boxes.size(), 1u);
        EXPECT_EQ(m_boxes[0].text, QStringLiteral("检查自动更新失败，请检查网络"));
        EXPECT_EQ(m_boxes[0].title, QStringLiteral("提示"));
    }
    EXPECT_TRUE(m_exits.empty());
    EXPECT_FALSE(QFile::exists(record_path()));
}

TEST_F(UpdateHandOffTest, SignInChecksFirstAndStopsAtTheHandOver)
{
    ASSERT_TRUE(m_sim.set_scenario("newer_version", "service_site"));
    make_window();
    EXPECT_TRUE(sign_in());
    EXPECT_EQ(m_exits, std::vector<int>{0});
    EXPECT_TRUE(sign_in_posts().empty());
    EXPECT_FALSE(wait_for_record().isEmpty());
}

TEST_F(UpdateHandOffTest, TheClientProcessEndsWithZero)
{
    ASSERT_TRUE(m_sim.set_scenario("newer_version", "service_site"));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(m_sim.run_dir()) + QStringLiteral("/endpoints.ini"),
                            m_run_dir + QStringLiteral("/endpoints.ini")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu --no-sandbox"));
    QProcess client;
    client.setProcessEnvironment(environment);
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    client.start(QStringLiteral(VARNEL_CLIENT_PATH),
                 {QStringLiteral("--run-dir"), m_run_dir, QStringLiteral("--config-dir"), m_config_dir});
    ASSERT_TRUE(client.waitForStarted(10000));
    const bool ended = client.waitForFinished(60000);
    if (!ended) {
        client.kill();
        client.waitForFinished(5000);
    }
    ASSERT_TRUE(ended);
    EXPECT_EQ(client.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(client.exitCode(), 0);
    const QStringList lines = wait_for_record();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], m_run_dir + QStringLiteral("/update"));
    EXPECT_EQ(lines[2].toStdString(), expected_argument("V3.1.0"));
    EXPECT_FALSE(QFile::exists(m_run_dir + QStringLiteral("/config.ini")));
}

}  // namespace

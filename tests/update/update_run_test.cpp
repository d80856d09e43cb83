#include "update/update_run.h"

#include "support/temp_dir.h"
#include "update/support/file_server.h"
#include "update/support/zip_builder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

namespace fs = std::filesystem;
using testsupport::FileServer;
using testsupport::FileServerOptions;
using update::DownloadKind;
using update::DownloadState;

// root/tmp is the private temporary folder, root/Apps/Client the installed program.
class UpdateRunTest : public ::testing::Test {
protected:
    UpdateRunTest()
    {
        fs::create_directories(temp());
        fs::create_directories(client());
        testsupport::write_file(client() / "varnel", "old");
        const fs::path zip = m_root.path() / "package.zip";
        testsupport::write_zip(zip,
                               {{"Client/varnel", "new", 0100755}, {"Client/notes.txt", m_notes}});
        m_package = testsupport::read_file(zip);
    }
    fs::path temp() const { return m_root.path() / "tmp"; }
    fs::path client() const { return m_root.path() / "Apps" / "Client"; }

    std::unique_ptr<update::UpdateRun> run_for(const FileServer& server)
    {
        update::UpdateTask task{"自动更新",   "链接",   server.url(), client().string(),
                                server.url(), "不提示", "假"};
        auto run = std::make_unique<update::UpdateRun>(task, DownloadKind::Zip, temp());
        run->set_settle_time(std::chrono::milliseconds(100));
        return run;
    }
    // Ticks the monitor as the window does until the download has ended.
    static DownloadState run_to_end(update::UpdateRun& run)
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < limit) {
            run.monitor_tick();
            const DownloadState state = run.state();
            if (state == DownloadState::Complete || state == DownloadState::Incomplete)
                return state;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return run.state();
    }

    testsupport::TempDir m_root;
    std::string m_notes = testsupport::pseudo_random_bytes(600 * 1000, 7);
    std::string m_package;
};

TEST_F(UpdateRunTest, CompleteDownloadInstallsAndCleanUpLeavesTheFolderEmpty)
{
    FileServer server(m_package);
    auto run = run_for(server);
    run->start_download();
    ASSERT_EQ(run_to_end(*run), DownloadState::Complete);
    EXPECT_FALSE(run->monitor_tick()); // the finished event stopped the monitor
    EXPECT_EQ(run->progress().total, static_cast<std::int64_t>(m_package.size()));
    run->prepare_unpack_folder();
    EXPECT_TRUE(fs::is_directory(run->paths().unpack_dir()));
    EXPECT_EQ(run->install(), update::InstallResult::Installed);
    EXPECT_EQ(testsupport::read_file(client() / "varnel"), "new");
    EXPECT_EQ(testsupport::read_file(client() / "notes.txt"), m_notes);
    run->clean_up();
    run->clean_up();
    EXPECT_TRUE(fs::is_empty(temp()));
}

TEST_F(UpdateRunTest, LeftoversOfAnEarlierRunAreRemovedBeforeTheDownload)
{
    testsupport::write_file(temp() / "Temp.zip", "stale archive");
    fs::create_directories(temp() / "Temp" / "old");
    testsupport::write_file(temp() / "Temp" / "old" / "file", "stale");
    FileServerOptions slow;
    slow.bytes_per_second = 200 * 1000;
    FileServer server(m_package, slow);
    auto run = run_for(server);
    run->start_download();
    EXPECT_FALSE(fs::exists(temp() / "Temp"));
    EXPECT_NE(testsupport::read_file(temp() / "Temp.zip"), "stale archive");
    ASSERT_EQ(run_to_end(*run), DownloadState::Complete);
    EXPECT_TRUE(testsupport::read_file(temp() / "Temp.zip") == m_package);
}

TEST_F(UpdateRunTest, IncompleteDownloadInstallsNothing)
{
    const struct {
        const char* name;
        FileServerOptions server;
    } cases[] = {
        {"closes early",
         [] {
             FileServerOptions o;
             o.cut_at = 300000;
             return o;
         }()},
        {"lies about the size",
         [] {
             FileServerOptions o;
             o.extra_length = 5000;
             return o;
         }()},
        {"no length, ended by close",
         [] {
             FileServerOptions o;
             o.honour_ranges = false;
             o.send_length = false;
             return o;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FileServer server(m_package, c.server);
        auto run = run_for(server);
        run->start_download();
        ASSERT_EQ(run_to_end(*run), DownloadState::Incomplete);
        EXPECT_EQ(run->install(), update::InstallResult::NotDownloaded);
        EXPECT_EQ(testsupport::read_file(client() / "varnel"), "old");
        run->clean_up();
        EXPECT_TRUE(fs::is_empty(temp()));
    }
}

TEST_F(UpdateRunTest, WithoutTemporaryFolderNothingIsDownloaded)
{
    FileServer server(m_package);
    update::UpdateTask task{"t",          "l",      server.url(), client().string(),
                            server.url(), "不提示", "假"};
    update::UpdateRun run(task, DownloadKind::Zip, {});
    run.start_download();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(run.state(), DownloadState::Idle);
    EXPECT_TRUE(server.requests().empty());
}

} // namespace

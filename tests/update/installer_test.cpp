#include "update/installer.h"

#include "support/temp_dir.h"
#include "update/support/zip_builder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using testsupport::read_file;
using testsupport::write_file;
using testsupport::ZipEntry;
using update::DownloadKind;
using update::InstallResult;

constexpr fs::perms kReadOnly =
    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;

// root/tmp is the private temporary folder, root/Apps/Client the installed program.
class InstallerTest : public ::testing::Test {
protected:
    InstallerTest() : m_paths(m_root.path() / "tmp")
    {
        fs::create_directories(m_paths.temp_dir());
        fs::create_directories(client());
    }
    fs::path apps() const { return m_root.path() / "Apps"; }
    fs::path client() const { return apps() / "Client"; }
    std::string install_path() const { return client().string(); }
    void download_zip(const std::vector<ZipEntry>& entries)
    {
        ASSERT_TRUE(testsupport::write_zip(m_paths.download_file(DownloadKind::Zip), entries));
    }
    bool temp_is_empty() const { return fs::is_empty(m_paths.temp_dir()); }

    testsupport::TempDir m_root;
    update::UpdatePaths m_paths;
};

TEST_F(InstallerTest, ArchiveWithTopFolderUpdatesTheInstallFolderInPlace)
{
    ASSERT_TRUE(write_file(client() / "varnel", "old program"));
    ASSERT_TRUE(write_file(client() / "only-here.txt", "mine"));
    download_zip({{"Client/", "", 040755},
                  {"Client/varnel", "new program", 0100755},
                  {"Client/lib/part.so", "part", 0100644}});
    EXPECT_EQ(update::install_zip(m_paths, install_path()), InstallResult::Installed);
    EXPECT_EQ(read_file(client() / "varnel"), "new program");
    EXPECT_NE(fs::status(client() / "varnel").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    EXPECT_EQ(read_file(client() / "lib/part.so"), "part");
    EXPECT_EQ(read_file(client() / "only-here.txt"), "mine");
    EXPECT_TRUE(temp_is_empty()); // archive deleted, unpack folder removed
}

TEST_F(InstallerTest, ArchiveWithoutTopFolderLandsBesideTheInstallFolder)
{
    download_zip({{"readme.txt", "read me"}});
    EXPECT_EQ(update::install_zip(m_paths, install_path()), InstallResult::Installed);
    EXPECT_EQ(read_file(apps() / "readme.txt"), "read me");
    EXPECT_FALSE(fs::exists(client() / "readme.txt"));
}

TEST_F(InstallerTest, DotFolderSkippedDotFileCopied)
{
    download_zip({{"Client/.cache/blob", "skip me"}, {"Client/.settings", "copy me"}});
    EXPECT_EQ(update::install_zip(m_paths, install_path()), InstallResult::Installed);
    EXPECT_FALSE(fs::exists(client() / ".cache"));
    EXPECT_EQ(read_file(client() / ".settings"), "copy me");
}

TEST_F(InstallerTest, ReadOnlyTargetFileStaysUnchangedAndTheRestIsCopied)
{
    ASSERT_TRUE(write_file(client() / "locked.txt", "old"));
    fs::permissions(client() / "locked.txt", kReadOnly);
    download_zip({{"Client/locked.txt", "new"}, {"Client/other.txt", "other"}});
    EXPECT_EQ(update::install_zip(m_paths, install_path()), InstallResult::Installed);
    EXPECT_EQ(read_file(client() / "locked.txt"), "old");
    EXPECT_EQ(read_file(client() / "other.txt"), "other");
    // No temporary copy is left beside the file that could not be replaced.
    EXPECT_EQ(std::distance(fs::directory_iterator(client()), fs::directory_iterator()), 2);
}

TEST_F(InstallerTest, BrokenArchivesInstallNothingAndCleanUpLeavesNoTemporaryFiles)
{
    const struct {
        const char* name;
        std::vector<ZipEntry> entries;
        bool truncate;
    } cases[] = {
        {"zip slip", {{"Client/varnel", "new"}, {"Client/../../evil.txt", "evil"}}, false},
        {"truncated", {{"Client/varnel", std::string(50000, 'n')}, {"Client/b", "b"}}, true},
    };
    ASSERT_TRUE(write_file(client() / "varnel", "old"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        download_zip(c.entries);
        const fs::path zip = m_paths.download_file(DownloadKind::Zip);
        if (c.truncate)
            fs::resize_file(zip, fs::file_size(zip) - 30);
        EXPECT_EQ(update::install_zip(m_paths, install_path()), InstallResult::UnpackFailed);
        EXPECT_EQ(read_file(client() / "varnel"), "old");
        EXPECT_FALSE(fs::exists(m_root.path() / "evil.txt"));
        EXPECT_FALSE(fs::exists(apps() / "evil.txt"));
        update::clean_up(m_paths, DownloadKind::Zip);
        EXPECT_TRUE(temp_is_empty());
    }
}

TEST_F(InstallerTest, ExeKindReplacesTheFileAndKeepsItExecutable)
{
    const fs::path program = client() / "client.exe";
    for (const bool existed : {true, false}) {
        SCOPED_TRACE(existed ? "replacing" : "new file");
        fs::remove(program);
        if (existed) {
            ASSERT_TRUE(write_file(program, "old"));
            fs::permissions(program, fs::perms::owner_read | fs::perms::owner_write);
        }
        ASSERT_TRUE(write_file(m_paths.download_file(DownloadKind::Exe), "new"));
        EXPECT_EQ(update::install_exe(m_paths, program.string()), InstallResult::Installed);
        EXPECT_EQ(read_file(program), "new");
        const fs::perms perms = fs::status(program).permissions();
        EXPECT_NE(perms & fs::perms::owner_exec, fs::perms::none);
        EXPECT_NE(perms & fs::perms::others_exec, fs::perms::none);
    }
}

TEST_F(InstallerTest, ExeKindOntoAnExistingFolderInstallsNothing)
{
    ASSERT_TRUE(write_file(client() / "varnel", "old"));
    ASSERT_TRUE(write_file(m_paths.download_file(DownloadKind::Exe), "new"));
    EXPECT_EQ(update::install_exe(m_paths, install_path()), InstallResult::NoTarget);
    EXPECT_TRUE(fs::is_directory(client()));
    EXPECT_EQ(read_file(client() / "varnel"), "old");
}

TEST_F(InstallerTest, InstallPathWithoutFolderIsRefusedBeforeUnpacking)
{
    download_zip({{"readme.txt", "x"}});
    EXPECT_EQ(update::install_zip(m_paths, "Client"), InstallResult::NoTarget);
    EXPECT_FALSE(fs::exists(m_paths.unpack_dir()));
}

TEST_F(InstallerTest, CleanUpRemovesItsKindAndTheUnpackFolderAndIsSafeToRepeat)
{
    ASSERT_TRUE(write_file(m_paths.download_file(DownloadKind::Zip), "zip"));
    ASSERT_TRUE(write_file(m_paths.download_file(DownloadKind::Exe), "exe"));
    fs::create_directories(m_paths.unpack_dir() / "deep/er");
    ASSERT_TRUE(write_file(m_paths.unpack_dir() / "deep/er/file", "x"));
    for (int run = 0; run < 2; ++run) {
        update::clean_up(m_paths, DownloadKind::Zip);
        EXPECT_FALSE(fs::exists(m_paths.download_file(DownloadKind::Zip)));
        EXPECT_FALSE(fs::exists(m_paths.unpack_dir()));
        EXPECT_TRUE(fs::exists(m_paths.download_file(DownloadKind::Exe)));
    }
}

TEST(ZipInstallTargetTest, EverythingUpToTheLastSlash)
{
    const struct {
        const char* install_path;
        const char* target;
    } cases[] = {
        {"/home/u/Apps/Client", "/home/u/Apps/"},
        {"/home/u/Apps/Client/client.exe", "/home/u/Apps/Client/"},
        {"/home/u/Apps/Client/", "/home/u/Apps/Client/"},
        {"/home/u/My Apps/客户端", "/home/u/My Apps/"},
        {"/Client", "/"},
        {"Client", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.install_path);
        EXPECT_EQ(update::zip_install_target(c.install_path), c.target);
    }
}

} // namespace

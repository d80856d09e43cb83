// The per-user config folder, the executable's folder and the private
// temporary folder.

#include "platform/platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets or clears an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

mode_t mode_of(const std::string& path)
{
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode;
}

TEST(Folders, ConfigFolderFollowsXdgConfigHomeElseHome)
{
    const struct {
        const char* xdg;
        const char* home;
        std::string expected;
    } cases[] = {
        {"/x/config", "/home/u", "/x/config/varnel"},
        {nullptr, "/home/u", "/home/u/.config/varnel"},
        {"", "/home/u", "/home/u/.config/varnel"},
        {"relative/dir", "/home/u", "/home/u/.config/varnel"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(platform::user_config_dir(), c.expected);
    }
}

TEST(Folders, ExecutableFolderHoldsThisProgram)
{
    const std::string dir = platform::executable_dir();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '/');
    EXPECT_TRUE(std::filesystem::is_regular_file(dir + "/platform_folders_test"));
}

class PrivateTempTest : public ::testing::Test {
protected:
    testsupport::TempDir base;
    ScopedEnv tmpdir{"TMPDIR", base.str().c_str()};
    std::string usual = base.str() + "/varnel-" + std::to_string(::getuid());
};

TEST_F(PrivateTempTest, CreatesTheUsualFolderClosedToOthers)
{
    EXPECT_EQ(platform::private_temp_dir(), usual);
    EXPECT_TRUE(S_ISDIR(mode_of(usual)));
    EXPECT_EQ(mode_of(usual) & 07777, 0700u);
    EXPECT_EQ(platform::private_temp_dir(), usual);  // found again
}

TEST_F(PrivateTempTest, TightensAnOpenFolderOfOurs)
{
    ASSERT_EQ(::mkdir(usual.c_str(), 0777), 0);
    ::chmod(usual.c_str(), 0777);
    EXPECT_EQ(platform::private_temp_dir(), usual);
    EXPECT_EQ(mode_of(usual) & 07777, 0700u);
}

TEST_F(PrivateTempTest, NeverUsesALinkOrAFileInItsPlace)
{
    testsupport::TempDir elsewhere;
    const struct {
        const char* what;
        void (*plant)(const std::string& at, const std::string& target);
    } cases[] = {
        {"symbolic link to a folder",
         [](const std::string& at, const std::string& target) {
             ASSERT_EQ(::symlink(target.c_str(), at.c_str()), 0);
         }},
        {"regular file",
         [](const std::string& at, const std::string&) { std::ofstream(at) << "x"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(usual);
        c.plant(usual, elsewhere.str());
        const std::string dir = platform::private_temp_dir();
        ASSERT_FALSE(dir.empty());
        EXPECT_NE(dir, usual);
        EXPECT_EQ(dir.rfind(usual + "-", 0), 0u) << dir;
        EXPECT_TRUE(S_ISDIR(mode_of(dir)));
        EXPECT_EQ(mode_of(dir) & 07777, 0700u);
        EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));
    }
}

TEST_F(PrivateTempTest, RefusesAFolderOwnedBySomeoneElse)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give a folder away";
    ASSERT_EQ(::mkdir(usual.c_str(), 0700), 0);
    ASSERT_EQ(::chown(usual.c_str(), 65534, 65534), 0);
    const std::string dir = platform::private_temp_dir();
    EXPECT_NE(dir, usual);
    EXPECT_FALSE(dir.empty());
}

TEST_F(PrivateTempTest, FallsBackToTmpWhenTmpdirIsUnusable)
{
    ScopedEnv bad("TMPDIR", "/no/such/folder");
    EXPECT_EQ(platform::private_temp_dir().rfind("/tmp/varnel-" + std::to_string(::getuid()), 0),
              0u);
}

}  // namespace

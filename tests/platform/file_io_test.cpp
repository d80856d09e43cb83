// Whole-file reads and atomic replacement.

#include "platform/platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

mode_t mode_of(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

std::size_t entries(const std::filesystem::path& dir)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir))
        ++n;
    return n;
}

class FileIoTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    std::string file = dir.str() + "/f";
};

TEST_F(FileIoTest, ReadsWholeRegularFilesOnly)
{
    EXPECT_EQ(platform::read_file(file), std::nullopt);
    EXPECT_EQ(platform::read_file(dir.str()), std::nullopt);
    const std::string bytes = std::string("a\0b\xFF", 4) + std::string(200000, 'z');
    std::ofstream(file, std::ios::binary) << bytes;
    EXPECT_EQ(platform::read_file(file), bytes);
}

TEST_F(FileIoTest, ReplaceCreatesPrivateFilesAndKeepsExistingModes)
{
    ASSERT_TRUE(platform::replace_file(file, "one"));
    EXPECT_EQ(platform::read_file(file), "one");
    EXPECT_EQ(mode_of(file), 0600u);
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(platform::replace_file(file, "two"));
    EXPECT_EQ(platform::read_file(file), "two");
    EXPECT_EQ(mode_of(file), 0640u);
    EXPECT_EQ(entries(dir.path()), 1u);  // no temporary file left behind
}

TEST_F(FileIoTest, ReplaceWritesThroughALink)
{
    ASSERT_TRUE(platform::replace_file(file, "target"));
    const std::string link = dir.str() + "/link";
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    ASSERT_TRUE(platform::replace_file(link, "through"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(platform::read_file(file), "through");
}

TEST_F(FileIoTest, ReplaceRefusesWhatItMayNotWrite)
{
    ASSERT_TRUE(platform::replace_file(file, "kept"));
    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(platform::replace_file(file, "lost"));
    EXPECT_EQ(platform::read_file(file), "kept");
    EXPECT_FALSE(platform::replace_file(dir.str(), "x"));
    EXPECT_FALSE(platform::replace_file(dir.str() + "/no/such/folder/f", "x"));
    EXPECT_EQ(entries(dir.path()), 1u);
}

}  // namespace

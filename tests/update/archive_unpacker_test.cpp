#include "update/archive_unpacker.h"

#include "support/temp_dir.h"
#include "update/support/zip_builder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testsupport::ZipEntry;
using update::UnpackError;

constexpr unsigned kFile = 0100644;
constexpr unsigned kProgram = 0100755;
constexpr unsigned kLink = 0120777;

class ArchiveUnpackerTest : public ::testing::Test {
protected:
    fs::path archive(const std::vector<ZipEntry>& entries)
    {
        const fs::path file = m_dir.path() / "Temp.zip";
        EXPECT_TRUE(testsupport::write_zip(file, entries));
        return file;
    }
    fs::path target() const { return m_dir.path() / "out" / "Temp"; }

    testsupport::TempDir m_dir;
};

TEST_F(ArchiveUnpackerTest, UnpacksEveryEntryBelowTheFolderKeepingPathsAndProgramBit)
{
    const std::string big(300 * 1024, 'z'); // several read chunks
    const fs::path zip = archive({
        {"Client/", "", 040755},
        {"Client/varnel", "#!/bin/sh\n", kProgram},
        {"Client/data/big.txt", big, kFile},
        {"Client/./plain.txt", "plain"},
        {"Client/empty.txt", ""},
        {"top.txt", "top", 0, false, true},
    });
    const auto result = update::unpack_archive(zip, target());
    ASSERT_TRUE(result.ok()) << static_cast<int>(result.error) << " " << result.entry;
    EXPECT_EQ(testsupport::read_file(target() / "Client/varnel"), "#!/bin/sh\n");
    EXPECT_EQ(testsupport::read_file(target() / "Client/data/big.txt"), big);
    EXPECT_EQ(testsupport::read_file(target() / "Client/plain.txt"), "plain");
    EXPECT_TRUE(fs::is_regular_file(target() / "Client/empty.txt"));
    EXPECT_EQ(testsupport::read_file(target() / "top.txt"), "top");
    EXPECT_NE(fs::status(target() / "Client/varnel").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    EXPECT_EQ(fs::status(target() / "Client/data/big.txt").permissions() & fs::perms::owner_exec,
              fs::perms::none);
}

TEST_F(ArchiveUnpackerTest, NamesAreUtf8WhenFlaggedAndGbkOtherwise)
{
    const struct {
        const char* label;
        ZipEntry entry;
        const char* path;
    } cases[] = {
        {"gbk", {"\xb8\xfc\xd0\xc2/\xcb\xb5\xc3\xf7.txt", "x"}, "更新/说明.txt"},
        {"utf8 flagged", {"更新/说明.txt", "x", 0, true}, "更新/说明.txt"},
        // 0x5C is the trail byte of this GBK character, not a separator.
        {"gbk trail byte 5C", {"\x81\x5c.txt", "x"}, "乗.txt"},
        {"backslash separators", {"dir\\sub\\file.txt", "x"}, "dir/sub/file.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(target());
        const auto result = update::unpack_archive(archive({c.entry}), target());
        ASSERT_TRUE(result.ok()) << static_cast<int>(result.error);
        EXPECT_EQ(testsupport::read_file(target() / fs::path(c.path)), "x");
    }
}

struct HostileCase {
    const char* name;
    std::vector<ZipEntry> entries;
    UnpackError error;
    // Applied to the written archive: bytes to find and replace (same length).
    std::string patch_from = {};
    std::string patch_to = {};
    bool truncate = false;
};

class HostileArchiveTest : public ArchiveUnpackerTest,
                           public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileArchiveTest, FailsTheWholeArchiveAndWritesNothingOutside)
{
    const HostileCase& c = GetParam();
    const fs::path zip = archive(c.entries);
    if (!c.patch_from.empty()) {
        ASSERT_TRUE(testsupport::patch_file(zip, c.patch_from, c.patch_to));
    }
    if (c.truncate)
        fs::resize_file(zip, fs::file_size(zip) / 2);
    update::UnpackLimits limits;
    limits.max_entries = 4;
    limits.max_total_bytes = 64 * 1024;
    const auto result = update::unpack_archive(zip, target(), limits);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error, c.error);
    for (const auto& entry : fs::recursive_directory_iterator(m_dir.path()))
        EXPECT_NE(entry.path().filename(), "evil.txt") << entry.path();
}

INSTANTIATE_TEST_SUITE_P(
    Archives, HostileArchiveTest,
    ::testing::Values(
        HostileCase{
            "ParentSegment", {{"ok.txt", "x"}, {"../evil.txt", "x"}}, UnpackError::UnsafePath},
        HostileCase{
            "ParentSegmentDeeper", {{"a/b/../../../evil.txt", "x"}}, UnpackError::UnsafePath},
        HostileCase{
            "ParentSegmentWithBackslashes", {{"..\\evil.txt", "x"}}, UnpackError::UnsafePath},
        HostileCase{"AbsolutePath", {{"/tmp/evil.txt", "x"}}, UnpackError::UnsafePath},
        HostileCase{"DriveLetter", {{"C:\\evil.txt", "x"}}, UnpackError::UnsafePath},
        HostileCase{"NulInsideName",
                    {{"evil.txt_hidden.txt", "x"}},
                    UnpackError::BadName,
                    "evil.txt_hidden",
                    std::string("evil.txt\0hidden", 15)},
        HostileCase{"InvalidGbkName", {{"\x81\x20.txt", "x"}}, UnpackError::BadName},
        HostileCase{
            "SymbolicLink", {{"link", "/etc/passwd", kLink}}, UnpackError::UnsupportedEntry},
        HostileCase{"CrcMismatch",
                    {{"data.txt", "stored-data-with-a-marker", 0, false, true}},
                    UnpackError::CorruptData,
                    "with-a-marker",
                    "with-b-marker"},
        HostileCase{"Truncated",
                    {{"a.txt", std::string(40000, 'a')}, {"b.txt", "b"}},
                    UnpackError::CannotOpen,
                    {},
                    {},
                    true},
        HostileCase{"TooManyEntries",
                    {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}, {"5", "5"}},
                    UnpackError::OverLimit},
        HostileCase{"TooManyBytes",
                    {{"a", std::string(40000, 'a')}, {"b", std::string(40000, 'b')}},
                    UnpackError::OverLimit},
        HostileCase{"NotAnArchive", {}, UnpackError::CannotOpen, {}, {}, true}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

TEST_F(ArchiveUnpackerTest, UnsafeNameAnywhereLeavesTheFolderUntouched)
{
    // Names are all checked before the first byte is written.
    const auto result = update::unpack_archive(
        archive({{"first.txt", "x"}, {"second.txt", "y"}, {"../../evil.txt", "z"}}), target());
    EXPECT_EQ(result.error, UnpackError::UnsafePath);
    EXPECT_FALSE(fs::exists(target() / "first.txt"));
}

} // namespace

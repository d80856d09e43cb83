// config.ini read and written key by key, GBK on disk, every other byte kept.

#include "client/settings/config_file.h"
#include "platform/platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string file_bytes(const std::string& path)
{
    return platform::read_file(path).value_or("<absent>");
}

void put_file(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The file as the iconv program decodes it from GBK; empty when it refuses.
std::string iconv_from_gbk(const std::string& path)
{
    const std::string command = "iconv -f GBK -t UTF-8 '" + path + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {};
    std::string out;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    return ::pclose(pipe) == 0 ? out : std::string();
}

class ConfigFileTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    settings::ConfigFile config{dir.str()};
};

TEST_F(ConfigFileTest, AbsentFileReadsEmptyAndIsNotCreatedByReading)
{
    EXPECT_EQ(config.path(), dir.str() + "/config.ini");
    EXPECT_EQ(config.read("用户信息", "用户名"), "");
    EXPECT_FALSE(std::filesystem::exists(config.path()));
}

TEST_F(ConfigFileTest, ValuesRoundTripAndTheFileIsGbk)
{
    const struct {
        const char* key;
        std::string value;
    } cases[] = {
        {"equals", "a=b==c"},
        {"semicolon", "x;y; z"},
        {"blanks at both ends", "  padded\t "},
        {"only blanks", "   "},
        {"quoted", "\"quoted\""},
        {"one quote", "\"half"},
        {"empty", ""},
        {"用户名", "中文用户 名"},
        {"brackets", "[not a section]"},
        {"base64", "q83vAAECAwQFBgcICQ==+/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_TRUE(config.write("用户信息", c.key, c.value));
        EXPECT_EQ(config.read("用户信息", c.key), c.value);
    }
    // Every value again, now that the file holds all of them.
    for (const auto& c : cases)
        EXPECT_EQ(config.read("用户信息", c.key), c.value) << c.key;

    const std::string decoded = iconv_from_gbk(config.path());
    EXPECT_NE(decoded.find("[用户信息]\n"), std::string::npos) << decoded;
    EXPECT_NE(decoded.find("\n用户名=中文用户 名\n"), std::string::npos) << decoded;
}

TEST_F(ConfigFileTest, CharactersOutsideGbkSurviveAsGb18030)
{
    EXPECT_TRUE(config.write("用户信息", "用户名", "用户😀"));
    EXPECT_EQ(config.read("用户信息", "用户名"), "用户😀");
    EXPECT_NE(file_bytes(config.path()).find("\x94\x39\xFC\x36"), std::string::npos);
}

TEST_F(ConfigFileTest, WriteChangesOnlyTheKeyItWrites)
{
    const std::string gbk_section = "\xD3\xC3\xBB\xA7\xD0\xC5\xCF\xA2";  // 用户信息
    const struct {
        const char* what;
        std::string before;
        std::string section;
        std::string key;
        std::string value;
        std::string after;
    } cases[] = {
        {"key replaced in place, CRLF kept",
         "; comment\r\n[A]\r\n  k = old \r\nother=1\r\n\r\n[B]\r\nk=2\r\n", "A", "k", "new",
         "; comment\r\n[A]\r\n  k =new\r\nother=1\r\n\r\n[B]\r\nk=2\r\n"},
        {"new key after the section's last line", "[A]\nx=1\n\n[B]\ny=2\n", "A", "k", "v",
         "[A]\nx=1\nk=v\n\n[B]\ny=2\n"},
        {"new key in a last section without line end", "[A]\nx=1", "A", "k", "v",
         "[A]\nx=1\nk=v\n"},
        {"new section after a line without line end", "odd line", "S", "k", "v",
         "odd line\n[S]\nk=v\n"},
        {"names matched ignoring ASCII case", "[sEc]\nKEY=1\n", "SEC", "key", "2",
         "[sEc]\nKEY=2\n"},
        {"key before any section is not in the section", "k=1\n", "S", "k", "2", "k=1\n[S]\nk=2\n"},
        {"comment line is not a key", "[A]\n;k=1\n", "A", "k", "2", "[A]\n;k=1\nk=2\n"},
        {"first of duplicate keys", "[A]\nk=1\nk=2\n", "A", "k", "3", "[A]\nk=3\nk=2\n"},
        {"key in a repeated section", "[A]\nx=1\n[B]\n[A]\nk=1\n", "A", "k", "2",
         "[A]\nx=1\n[B]\n[A]\nk=2\n"},
        {"GBK section", "[" + gbk_section + "]\r\nLLL=1\r\n", "用户信息", "LLL", "2",
         "[" + gbk_section + "]\r\nLLL=2\r\n"},
        {"empty file", "", "A", "k", "v", "[A]\nk=v\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        put_file(config.path(), c.before);
        EXPECT_TRUE(config.write(c.section, c.key, c.value));
        EXPECT_EQ(file_bytes(config.path()), c.after);
        EXPECT_EQ(config.read(c.section, c.key), c.value);
    }
}

TEST_F(ConfigFileTest, GbkTrailBytesAreNeverTakenForAsciiCharacters)
{
    // 乚 is 81 5D (trail byte "]"); 丄 is 81 41 and 乤 81 61 ("A" and "a").
    EXPECT_TRUE(config.write("乚节", "丄", "upper"));
    EXPECT_TRUE(config.write("乚节", "乤", "lower"));
    EXPECT_EQ(config.read("乚节", "丄"), "upper");
    EXPECT_EQ(config.read("乚节", "乤"), "lower");
    EXPECT_EQ(config.read("乚", "丄"), "");
    EXPECT_EQ(file_bytes(config.path()), "[\x81\x5D\xBD\xDA]\n\x81\x41=upper\n\x81\x61=lower\n");
}

TEST_F(ConfigFileTest, UnsafeNamesAndValuesAreRefused)
{
    const struct {
        std::string section;
        std::string key;
        std::string value;
    } cases[] = {
        {"A", "k", "line\nbreak"},
        {"A", "k", "x\r[B]"},
        {"A", "k", std::string("nul\0x", 5)},
        {"A", "k=v", "1"},
        {"A]", "k", "1"},
        {"A", "", "1"},
        {"", "k", "1"},
        {"A", "[k", "1"},
        {"A", ";k", "1"},
        {"A", " k", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.section + "/" + c.key);
        EXPECT_FALSE(config.write(c.section, c.key, c.value));
    }
    EXPECT_FALSE(std::filesystem::exists(config.path()));
}

TEST_F(ConfigFileTest, GarbageAndHugeFilesKeepEveryByte)
{
    std::mt19937 random(7);
    std::string garbage(65536, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());
    std::string huge;
    while (huge.size() < 10 * 1024 * 1024)
        huge += "[section" + std::to_string(huge.size() % 97) +
                "]\nkey=value with = and ;\n"
                "line without equals\n";
    const struct {
        const char* what;
        std::string before;
    } cases[] = {
        {"binary garbage", garbage},
        {"garbage ending in a section header without \"]\"",
         garbage + "\n[\xD3\xC3\xBB\xA7\xD0\xC5\xCF\xA2"},
        {"10 MB", huge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        put_file(config.path(), c.before);
        EXPECT_EQ(config.read("用户信息", "用户名"), "");
        EXPECT_TRUE(config.write("用户信息", "用户名", "张三"));
        EXPECT_EQ(config.read("用户信息", "用户名"), "张三");
        const std::string after = file_bytes(config.path());
        // Everything that was there is still there, in front of what was added.
        EXPECT_EQ(after.substr(0, c.before.size()), c.before);
        EXPECT_LT(after.size(), c.before.size() + 64);
    }
}

bool superuser()
{
    return ::geteuid() == 0;
}

TEST_F(ConfigFileTest, WritesFailQuietlyWhereNothingMayBeWritten)
{
    // A read-only file keeps its content.
    put_file(config.path(), "[A]\nk=1\n");
    ::chmod(config.path().c_str(), 0444);
    EXPECT_FALSE(config.write("A", "k", "2"));
    EXPECT_EQ(config.read("A", "k"), "1");

    // A folder nobody may create files in (the superuser passes permission
    // bits, so it gets a folder of the kernel's instead).
    testsupport::TempDir other;
    std::string folder = other.str();
    if (superuser())
        folder = "/proc/self";
    else
        ::chmod(folder.c_str(), 0555);
    settings::ConfigFile locked(folder);
    EXPECT_FALSE(locked.write("A", "k", "1"));
    EXPECT_EQ(locked.read("A", "k"), "");
    locked.remove();  // ignored, no crash
}

TEST_F(ConfigFileTest, RemoveDeletesTheFile)
{
    ASSERT_TRUE(config.write("A", "k", "1"));
    config.remove();
    EXPECT_FALSE(std::filesystem::exists(config.path()));
    config.remove();
    EXPECT_EQ(config.read("A", "k"), "");
}

}  // namespace

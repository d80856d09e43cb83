// Per-user 32-bit values by name.

#include "platform/platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

class KeyStoreTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    std::string folder = dir.str() + "/config/varnel";
    platform::KeyStore store{folder};
};

TEST_F(KeyStoreTest, ValuesRoundTripAndTheFolderIsCreated)
{
    EXPECT_EQ(store.read("ridoraza"), std::nullopt);
    const struct {
        std::string name;
        std::uint32_t value;
    } cases[] = {
        {"ridoraza", 123456}, {"zero", 0},      {"max", 4294967295u},
        {"名字", 7},          {"ridoraza", 99},  // overwrites
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(store.write(c.name, c.value));
        EXPECT_EQ(store.read(c.name), c.value);
    }
    EXPECT_EQ(store.read("zero"), 0u);
    EXPECT_EQ(store.read("ridoraza"), 99u);
    EXPECT_EQ(platform::read_file(folder + "/keys.ini").value_or(""),
              "ridoraza=99\nzero=0\nmax=4294967295\n名字=7\n");
    EXPECT_EQ(platform::KeyStore(folder).read("max"), 4294967295u);
}

TEST_F(KeyStoreTest, DamagedOrForeignLinesReadAsMissing)
{
    ASSERT_TRUE(store.write("ok", 1));
    std::ofstream(folder + "/keys.ini", std::ios::app)
        << "neg=-1\nbig=4294967296\ntext=abc\nempty=\nspace= 5\n\x01\xFF garbage\nlast=8";
    const struct {
        const char* name;
        std::optional<std::uint32_t> expected;
    } cases[] = {
        {"ok", 1u},
        {"neg", std::nullopt},
        {"big", std::nullopt},
        {"text", std::nullopt},
        {"empty", std::nullopt},
        {"space", std::nullopt},
        {"last", 8u},
        {"absent", std::nullopt},
        {"", std::nullopt},
        {"a=b", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(store.read(c.name), c.expected);
    }
    // A write keeps the lines it does not own.
    EXPECT_TRUE(store.write("last", 9));
    EXPECT_EQ(store.read("last"), 9u);
    EXPECT_EQ(store.read("ok"), 1u);
    EXPECT_NE(platform::read_file(folder + "/keys.ini").value_or("").find("\x01\xFF garbage\n"),
              std::string::npos);
}

TEST_F(KeyStoreTest, BadNamesAndUnwritableFoldersFail)
{
    for (const std::string name : {"", "a=b", "line\nbreak", " lead", "[section]"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(store.write(name, 1));
    }
    // A file where the folder should be.
    std::ofstream(dir.str() + "/blocker") << "x";
    EXPECT_FALSE(platform::KeyStore(dir.str() + "/blocker/varnel").write("k", 1));
}

}  // namespace

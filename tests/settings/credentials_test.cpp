// The cipher, the machine check and the writes behind the sign-in form.

#include "client/settings/credentials.h"
#include "platform/platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

settings::FingerprintSource fixed(const std::string& text)
{
    return [text] { return text; };
}

TEST(Cipher, RoundTripsAnyTextAsIniSafeBase64)
{
    const std::string cases[] = {
        "",
        "secret",
        "中文密码",
        "  blanks at both ends  ",
        std::string("nul\0inside", 10),
        "line\r\nbreak",
        std::string(5000, 'x'),
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 20));
        const std::string value = settings::encipher(text);
        EXPECT_EQ(value.find_first_not_of(
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
                  std::string::npos);
        EXPECT_EQ(settings::decipher(value), text);
        // A fresh nonce each time: equal texts do not give equal values.
        EXPECT_NE(settings::encipher(text), value);
    }
}

TEST(Cipher, AnythingButCipherTextDeciphersToEmpty)
{
    const std::string good = settings::encipher("password");
    std::string flipped = good;
    flipped[30] = flipped[30] == 'A' ? 'B' : 'A';
    std::mt19937 random(3);
    std::string noise(4096, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const std::string cases[] = {
        "",
        "password",
        "!!!!",
        "AAAA",
        "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA",
        flipped,
        good.substr(0, good.size() - 4),
        good + "AAAA",
        " " + good,
        noise,
        std::string(1 << 20, 'A'),
    };
    for (const std::string& value : cases) {
        SCOPED_TRACE(value.substr(0, 40));
        EXPECT_EQ(settings::decipher(value), "");
    }
}

class CredentialsTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    settings::ConfigFile config{dir.str()};
};

TEST_F(CredentialsTest, StoringWritesTheFourKeysInOrder)
{
    settings::store_credentials(config, "  zhang san ", " pass word\t", "主程序版本：V3.0.6",
                                fixed("0F8BFBFF000906EA00-1A-2B-3C-4D-5E"));
    EXPECT_EQ(config.read("用户信息", "用户名"), "zhang san");
    EXPECT_EQ(config.read("config", "version"), "V3.0.6");
    EXPECT_EQ(settings::decipher(config.read("用户信息", "密码")), "pass word");
    EXPECT_EQ(settings::decipher(config.read("用户信息", "LLL")),
              "0F8BFBFF000906EA00-1A-2B-3C-4D-5E");

    const std::string file = platform::read_file(config.path()).value_or("");
    const std::size_t user = file.find("\n\xD3\xC3\xBB\xA7\xC3\xFB=");  // 用户名
    const std::size_t password = file.find("\n\xC3\xDC\xC2\xEB=");      // 密码
    const std::size_t lll = file.find("\nLLL=");
    ASSERT_NE(user, std::string::npos);
    EXPECT_LT(user, password);
    EXPECT_LT(password, lll);
    EXPECT_NE(file.find("[config]\nversion=V3.0.6\n"), std::string::npos);
}

TEST_F(CredentialsTest, VersionIsTheCaptionsLastSixGbkBytes)
{
    const struct {
        std::string caption;
        std::string version;
    } cases[] = {
        {"主程序版本：V3.0.6", "V3.0.6"},
        {"V1.2", "V1.2"},
        {"版本 V3.0.10", "3.0.10"},
        {"版本：  3.1 ", "3.1"},
        {"主程序版本：中文版", "中文版"},
        {"主程序版本：a中文版", "中文版"},  // never half a character
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        settings::store_credentials(config, "u", "p", c.caption, fixed("id"));
        EXPECT_EQ(config.read("config", "version"), c.version);
    }
}

TEST_F(CredentialsTest, MachineCheckDeletesFilesOfOtherMachines)
{
    const std::string here = "BFEBFBFF000306C3AA-BB-CC-DD-EE-FF";
    const struct {
        const char* what;
        std::string lll;  // written raw; "-" means no LLL key
        bool foreign;
    } cases[] = {
        {"same machine", settings::encipher(here), false},
        {"other machine", settings::encipher("BFEBFBFF000306C311-22-33-44-55-66"), true},
        {"fingerprint with an empty part", settings::encipher("BFEBFBFF000306C3"), true},
        {"no LLL", "-", true},
        {"garbage LLL", "not a cipher", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(config.write("选择皮肤", "内容", "皮肤3"));
        if (c.lll != "-") {
            ASSERT_TRUE(config.write("用户信息", "LLL", c.lll));
        }
        EXPECT_EQ(settings::machine_check(config, fixed(here)), c.foreign);
        EXPECT_EQ(std::filesystem::exists(config.path()), !c.foreign);
        EXPECT_EQ(config.read("选择皮肤", "内容"), c.foreign ? "" : "皮肤3");
        config.remove();
    }
}

TEST_F(CredentialsTest, StoredCredentialsPassTheCheckOnTheSameMachine)
{
    settings::store_credentials(config, "u", "p", "V3.0.6");
    EXPECT_FALSE(settings::machine_check(config));
    EXPECT_EQ(config.read("用户信息", "用户名"), "u");
    EXPECT_EQ(settings::machine_fingerprint(),
              platform::processor_id() + platform::first_mac_address());
}

TEST_F(CredentialsTest, OptionBoxesWriteTheirKeys)
{
    const struct {
        const char* what;
        void (*click)(settings::ConfigFile&);
        std::string remember;
        std::string automatic;
    } steps[] = {
        {"remember ticked",
         [](settings::ConfigFile& c) { settings::remember_password_clicked(c, true); }, "是", ""},
        {"remember cleared",
         [](settings::ConfigFile& c) { settings::remember_password_clicked(c, false); }, "否", ""},
        {"auto ticked", [](settings::ConfigFile& c) { settings::auto_login_clicked(c, true); },
         "是", "是"},
        {"auto cleared", [](settings::ConfigFile& c) { settings::auto_login_clicked(c, false); },
         "否", "否"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.click(config);
        EXPECT_EQ(config.read("登录设置", "记住密码"), step.remember);
        EXPECT_EQ(config.read("登录设置", "自动登录"), step.automatic);
    }
}

TEST_F(CredentialsTest, RestoreTrimsRememberButNotAutoLogin)
{
    settings::store_credentials(config, "li si", "mima", "V3.0.6", fixed("x"));
    const struct {
        const char* what;
        std::string remember;
        std::string automatic;
        bool expect_remember;
        bool expect_auto;
    } cases[] = {
        {"both yes", "是", "是", true, true},
        {"blanks around yes", "  是 ", " 是 ", true, false},
        {"tab after yes", "是\t", "是\t", true, false},
        {"no", "否", "否", false, false},
        {"other text", "yes", "1", false, false},
        {"empty", "", "", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(config.write("登录设置", "记住密码", c.remember));
        ASSERT_TRUE(config.write("登录设置", "自动登录", c.automatic));
        const settings::RestoredForm form = settings::restore_form(config);
        EXPECT_EQ(form.remember, c.expect_remember);
        EXPECT_EQ(form.auto_login, c.expect_auto);
        EXPECT_EQ(form.user_name, c.expect_remember ? "li si" : "");
        EXPECT_EQ(form.password, c.expect_remember ? "mima" : "");
    }
}

TEST_F(CredentialsTest, FreshMachineRestoresAnEmptyFormWithoutCreatingTheFile)
{
    const settings::RestoredForm form = settings::restore_form(config);
    EXPECT_FALSE(form.remember);
    EXPECT_FALSE(form.auto_login);
    EXPECT_EQ(form.user_name, "");
    EXPECT_TRUE(settings::machine_check(config, fixed("id")));
    EXPECT_FALSE(std::filesystem::exists(config.path()));
}

TEST_F(CredentialsTest, DamagedPasswordRestoresEmpty)
{
    settings::store_credentials(config, "u", "p", "V3.0.6", fixed("x"));
    settings::remember_password_clicked(config, true);
    ASSERT_TRUE(config.write("用户信息", "密码", "damaged=="));
    const settings::RestoredForm form = settings::restore_form(config);
    EXPECT_TRUE(form.remember);
    EXPECT_EQ(form.user_name, "u");
    EXPECT_EQ(form.password, "");
}

}  // namespace

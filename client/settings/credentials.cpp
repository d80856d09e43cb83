// The machine fingerprint, the machine check and the writes behind the
// sign-in form.

#include "client/settings/credentials.h"

#include "client/web/text.h"
#include "platform/platform.h"

namespace settings {

namespace {

const char* const kUserSection = "用户信息";
const char* const kLoginSection = "登录设置";
const char* const kYes = "是";
const char* const kNo = "否";

// The last `count` GBK bytes of `text`, never starting inside a character.
std::string last_gbk_bytes(const std::string& text, std::size_t count)
{
    const std::string gbk = web::utf8_to_gbk(text);
    if (gbk.size() <= count)
        return text;
    std::size_t at = 0;
    while (gbk.size() - at > count) {
        const auto b = static_cast<unsigned char>(gbk[at]);
        std::size_t len = 1;
        if (b >= 0x81 && b <= 0xFE && at + 1 < gbk.size()) {
            const auto b1 = static_cast<unsigned char>(gbk[at + 1]);
            len = (b1 >= 0x30 && b1 <= 0x39) ? 4 : 2;
        }
        at += len;
    }
    return web::gbk_to_utf8(std::string_view(gbk).substr(at));
}

std::string fingerprint_of(const FingerprintSource& source)
{
    return source ? source() : machine_fingerprint();
}

}  // namespace

std::string machine_fingerprint()
{
    return platform::processor_id() + platform::first_mac_address();
}

bool machine_check(ConfigFile& config, const FingerprintSource& fingerprint)
{
    const std::string stored = decipher(config.read(kUserSection, "LLL"));
    if (stored == fingerprint_of(fingerprint))
        return false;
    config.remove();
    return true;
}

void store_credentials(ConfigFile& config, const std::string& user_name_box,
                       const std::string& password_box, const std::string& version_caption,
                       const FingerprintSource& fingerprint)
{
    config.write(kUserSection, "用户名", web::trim(user_name_box));
    config.write("config", "version", web::trim(last_gbk_bytes(version_caption, 6)));
    config.write(kUserSection, "密码", encipher(web::trim(password_box)));
    config.write(kUserSection, "LLL", encipher(fingerprint_of(fingerprint)));
}

void remember_password_clicked(ConfigFile& config, bool now_ticked)
{
    config.write(kLoginSection, "记住密码", now_ticked ? kYes : kNo);
}

void auto_login_clicked(ConfigFile& config, bool now_ticked)
{
    if (now_ticked) {
        config.write(kLoginSection, "自动登录", kYes);
        config.write(kLoginSection, "记住密码", kYes);
        return;
    }
    config.write(kLoginSection, "自动登录", kNo);
    remember_password_clicked(config, false);
}

RestoredForm restore_form(const ConfigFile& config)
{
    RestoredForm form;
    form.remember = web::trim(config.read(kLoginSection, "记住密码")) == kYes;
    form.auto_login = config.read(kLoginSection, "自动登录") == kYes;
    if (form.remember) {
        form.user_name = config.read(kUserSection, "用户名");
        form.password = decipher(config.read(kUserSection, "密码"));
    }
    return form;
}

}  // namespace settings

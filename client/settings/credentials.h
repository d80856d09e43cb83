#pragma once
// Stored credentials, the machine fingerprint and the machine check.

#include "client/settings/config_file.h"

#include <functional>
#include <string>

namespace settings {

// Enciphered value as INI-safe text (base64 of a libsodium secret box keyed
// from the GBK bytes of "青松"); decipher gives empty for anything invalid.
std::string encipher(const std::string& text);
std::string decipher(const std::string& value);

// Processor identifier + MAC text ("-" separated), either part may be empty.
using FingerprintSource = std::function<std::string()>;
std::string machine_fingerprint();

// Deletes config.ini when "用户信息"/"LLL" does not decipher to the current
// fingerprint. Returns true when the file was judged foreign (deleted).
bool machine_check(ConfigFile& config, const FingerprintSource& fingerprint = machine_fingerprint);

// After a successful sign-in, in this order: 用户名, config/version (the
// last six bytes of the version caption, trimmed), 密码, LLL.
void store_credentials(ConfigFile& config, const std::string& user_name_box,
                       const std::string& password_box, const std::string& version_caption,
                       const FingerprintSource& fingerprint = machine_fingerprint);

// The writes behind the two sign-in option boxes.
void remember_password_clicked(ConfigFile& config, bool now_ticked);
// now ticked: 自动登录=是, 记住密码=是; cleared: 自动登录=否, 记住密码=否.
void auto_login_clicked(ConfigFile& config, bool now_ticked);

struct RestoredForm {
    bool remember = false;   // "记住密码" trimmed == "是"
    bool auto_login = false; // "自动登录" untrimmed == "是"
    std::string user_name;   // filled only when remember
    std::string password;    // deciphered, only when remember
};
RestoredForm restore_form(const ConfigFile& config);

}  // namespace settings

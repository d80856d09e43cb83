#include "client/settings/config_file.h"

#include "client/settings/ini_document.h"
#include "client/web/text.h"
#include "platform/platform.h"

#include <filesystem>

namespace settings {

ConfigFile::ConfigFile(std::string run_dir) : m_path(std::move(run_dir) + "/config.ini") {}

std::string ConfigFile::read(const std::string& section, const std::string& key) const
{
    const std::optional<std::string> bytes = platform::read_file(m_path);
    if (!bytes)
        return {};
    const IniDocument doc(*bytes);
    const std::optional<std::string> value =
        doc.value(web::utf8_to_gbk(section), web::utf8_to_gbk(key));
    if (!value)
        return {};
    return web::gbk_to_utf8(*value);
}

bool ConfigFile::write(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string gbk_section = web::utf8_to_gbk(section);
    const std::string gbk_key = web::utf8_to_gbk(key);
    const std::string gbk_value = web::utf8_to_gbk(value);
    // Line breaks or NULs would split the line and could plant other keys.
    if (!IniDocument::valid_name(gbk_section) || !IniDocument::valid_name(gbk_key) ||
        !IniDocument::valid_value(gbk_value))
        return false;
    std::optional<std::string> bytes = platform::read_file(m_path);
    if (!bytes) {
        std::error_code ec;
        if (std::filesystem::exists(m_path, ec) || ec)
            return false;  // there but unreadable: do not overwrite it
        bytes.emplace();
    }
    IniDocument doc(std::move(*bytes));
    doc.set(gbk_section, gbk_key, gbk_value);
    return platform::replace_file(m_path, doc.bytes());
}

void ConfigFile::remove()
{
    std::error_code ec;
    std::filesystem::remove(m_path, ec);
}

}  // namespace settings

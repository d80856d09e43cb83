// Per-user 32-bit values by name, one "name=value" line each.

#include "platform/platform.h"

#include <charconv>
#include <filesystem>
#include <sys/stat.h>

namespace platform {

namespace {

bool valid_key(const std::string& name)
{
    if (name.empty())
        return false;
    for (const char c : name)
        if (c == '=' || c == '\n' || c == '\r' || c == '\0' || c == '[')
            return false;
    return name.front() != ' ' && name.back() != ' ';
}

// The span of the line holding `name`, or npos.
std::pair<std::size_t, std::size_t> find_line(const std::string& text, const std::string& name)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line(text.data() + pos, end - pos);
        if (line.size() > name.size() && line.substr(0, name.size()) == name &&
            line[name.size()] == '=')
            return {pos, end};
        pos = end + 1;
    }
    return {std::string::npos, std::string::npos};
}

}  // namespace

KeyStore::KeyStore(std::string config_dir) : m_file(std::move(config_dir) + "/keys.ini") {}

std::optional<std::uint32_t> KeyStore::read(const std::string& name) const
{
    if (!valid_key(name))
        return std::nullopt;
    const std::optional<std::string> text = read_file(m_file);
    if (!text)
        return std::nullopt;
    const auto [begin, end] = find_line(*text, name);
    if (begin == std::string::npos)
        return std::nullopt;
    std::string_view value(text->data() + begin + name.size() + 1, end - begin - name.size() - 1);
    if (!value.empty() && value.back() == '\r')
        value.remove_suffix(1);
    std::uint32_t number = 0;
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (ec != std::errc() || ptr != value.data() + value.size() || value.empty())
        return std::nullopt;
    return number;
}

bool KeyStore::write(const std::string& name, std::uint32_t value)
{
    if (!valid_key(name))
        return false;
    const std::filesystem::path folder = std::filesystem::path(m_file).parent_path();
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::filesystem::create_directories(folder, ec);
        if (ec)
            return false;
        ::chmod(folder.c_str(), 0700);
    }
    std::string text = read_file(m_file).value_or(std::string());
    const std::string line = name + "=" + std::to_string(value);
    const auto [begin, end] = find_line(text, name);
    if (begin != std::string::npos) {
        text.replace(begin, end - begin, line);
    } else {
        if (!text.empty() && text.back() != '\n')
            text += '\n';
        text += line + "\n";
    }
    return replace_file(m_file, text);
}

}  // namespace platform

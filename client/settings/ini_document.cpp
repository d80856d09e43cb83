#include "client/settings/ini_document.h"

#include <cstddef>

namespace settings {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool is_space(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trim_spaces(std::string_view s)
{
    while (!s.empty() && (is_space(s.front()) || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (is_space(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Length of the GB18030 character at s[i]: 4 for a four-byte sequence, 2
// for a GBK pair, otherwise 1 (ASCII or a stray byte).
std::size_t char_length(std::string_view s, std::size_t i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x81 || b == 0xFF || i + 1 >= s.size())
        return 1;
    const auto b1 = static_cast<unsigned char>(s[i + 1]);
    if (b1 >= 0x30 && b1 <= 0x39) {
        if (i + 3 < s.size()) {
            const auto b2 = static_cast<unsigned char>(s[i + 2]);
            const auto b3 = static_cast<unsigned char>(s[i + 3]);
            if (b2 >= 0x81 && b2 <= 0xFE && b3 >= 0x30 && b3 <= 0x39)
                return 4;
        }
        return 1;
    }
    if (b1 >= 0x40 && b1 <= 0xFE && b1 != 0x7F)
        return 2;
    return 1;
}

// Position of the ASCII character `c` in `s`, never inside a multi-byte
// character.
std::size_t find_char(std::string_view s, char c)
{
    for (std::size_t i = 0; i < s.size(); i += char_length(s, i))
        if (s[i] == c)
            return i;
    return npos;
}

bool same_name(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t len = char_length(a, i);
        if (len == 1) {
            char x = a[i];
            char y = b[i];
            if (x >= 'A' && x <= 'Z')
                x = static_cast<char>(x + 32);
            if (y >= 'A' && y <= 'Z')
                y = static_cast<char>(y + 32);
            if (x != y)
                return false;
        } else if (a.substr(i, len) != b.substr(i, len)) {
            return false;
        }
        i += len;
    }
    return true;
}

enum class LineKind { Blank, Comment, Section, Key, Other };

struct Line {
    std::size_t begin = 0;  // first byte of the line
    std::size_t end = 0;    // end of its content (before "\r\n" or "\n")
    std::size_t next = 0;   // first byte of the following line
    LineKind kind = LineKind::Other;
    std::string_view name;   // section name or key, trimmed
    std::string_view value;  // key value, trimmed
};

Line read_line(std::string_view bytes, std::size_t begin)
{
    Line line;
    line.begin = begin;
    std::size_t nl = bytes.find('\n', begin);
    line.next = nl == npos ? bytes.size() : nl + 1;
    line.end = nl == npos ? bytes.size() : nl;
    if (line.end > begin && bytes[line.end - 1] == '\r')
        --line.end;
    const std::string_view content = trim_spaces(bytes.substr(begin, line.end - begin));
    if (content.empty()) {
        line.kind = LineKind::Blank;
    } else if (content.front() == ';') {
        line.kind = LineKind::Comment;
    } else if (content.front() == '[') {
        line.kind = LineKind::Section;
        std::string_view inner = content.substr(1);
        if (const std::size_t close = find_char(inner, ']'); close != npos)
            inner = inner.substr(0, close);
        line.name = trim_spaces(inner);
    } else if (const std::size_t eq = find_char(content, '='); eq != npos) {
        line.kind = LineKind::Key;
        line.name = trim_spaces(content.substr(0, eq));
        line.value = trim_spaces(content.substr(eq + 1));
    }
    return line;
}

std::string_view unquote(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

bool needs_quotes(std::string_view value)
{
    if (value.empty())
        return false;
    return is_space(value.front()) || is_space(value.back()) ||
           (value.size() >= 2 && value.front() == '"' && value.back() == '"');
}

}  // namespace

struct IniDocument::Location {
    bool section_found = false;
    std::size_t section_insert = 0;  // just after the section's last non-blank line
    bool key_found = false;
    Line key_line;
};

IniDocument::Location IniDocument::locate(std::string_view section, std::string_view key) const
{
    Location where;
    bool inside = false;
    bool first_section_done = false;
    for (std::size_t pos = 0; pos < m_bytes.size();) {
        const Line line = read_line(m_bytes, pos);
        pos = line.next;
        if (line.kind == LineKind::Section) {
            if (inside)
                first_section_done = true;
            inside = same_name(line.name, section);
            if (inside && !where.section_found) {
                where.section_found = true;
                where.section_insert = line.next;
            }
            continue;
        }
        if (!inside)
            continue;
        // New keys go after the last line of the first section of that name.
        if (!first_section_done && line.kind != LineKind::Blank)
            where.section_insert = line.next;
        if (line.kind == LineKind::Key && same_name(line.name, key)) {
            where.key_found = true;
            where.key_line = line;
            return where;
        }
    }
    return where;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const
{
    const Location where = locate(section, key);
    if (!where.key_found)
        return std::nullopt;
    return std::string(unquote(where.key_line.value));
}

std::string IniDocument::newline() const
{
    const std::size_t nl = m_bytes.find('\n');
    if (nl != npos && nl > 0 && m_bytes[nl - 1] == '\r')
        return "\r\n";
    return "\n";
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value)
{
    std::string written(value);
    if (needs_quotes(value))
        written = "\"" + written + "\"";
    const Location where = locate(section, key);
    const std::string nl = newline();

    if (where.key_found) {
        // Only the value part of the line changes; the key as spelt in the
        // file, any blanks before it and the line ending stay.
        const Line& line = where.key_line;
        const std::string_view content(m_bytes.data() + line.begin, line.end - line.begin);
        const std::size_t eq = find_char(content, '=');
        m_bytes.replace(line.begin + eq + 1, line.end - (line.begin + eq + 1), written);
        return;
    }

    std::string key_line(key);
    key_line += '=';
    key_line += written;
    key_line += nl;

    if (where.section_found) {
        std::size_t at = where.section_insert;
        std::string insert = key_line;
        // The section's last line may be the file's last line without an ending.
        if (at == m_bytes.size() && !m_bytes.empty() && m_bytes.back() != '\n')
            insert = nl + insert;
        m_bytes.insert(at, insert);
        return;
    }

    if (!m_bytes.empty() && m_bytes.back() != '\n')
        m_bytes += nl;
    m_bytes += '[';
    m_bytes += section;
    m_bytes += ']';
    m_bytes += nl;
    m_bytes += key_line;
}

bool IniDocument::valid_name(std::string_view name)
{
    const std::string_view trimmed = trim_spaces(name);
    if (trimmed.empty() || trimmed.size() != name.size())
        return false;
    for (const char c : name)
        if (c == '\n' || c == '\r' || c == '\0')
            return false;
    return find_char(name, '=') == npos && find_char(name, ']') == npos && name.front() != '[' &&
           name.front() != ';';
}

bool IniDocument::valid_value(std::string_view value)
{
    for (const char c : value)
        if (c == '\n' || c == '\r' || c == '\0')
            return false;
    return true;
}

}  // namespace settings

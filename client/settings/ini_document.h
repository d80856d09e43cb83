#pragma once
// The bytes of an INI file, read and changed one key at a time the way the
// platform profile-string functions do it: names match ignoring ASCII case,
// values are trimmed and lose one pair of enclosing double quotes, and a
// write changes only the bytes of the one key line it touches.
//
// Everything here is raw GB18030 bytes. The scanner steps over two- and
// four-byte characters whole, so a trail byte that happens to equal "]",
// "[" or an ASCII letter is never taken for one.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace settings {

class IniDocument {
public:
    explicit IniDocument(std::string bytes) : m_bytes(std::move(bytes)) {}

    const std::string& bytes() const { return m_bytes; }

    // The key's value, or nothing when the section or key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Sets the key, adding the section and the key line as needed. Values
    // with blanks at either end, or enclosed in quotes themselves, are
    // written quoted so that they read back as given.
    void set(std::string_view section, std::string_view key, std::string_view value);

    // Whether text can stand as a section name, key or value on one line.
    static bool valid_name(std::string_view name);
    static bool valid_value(std::string_view value);

private:
    struct Location;
    Location locate(std::string_view section, std::string_view key) const;
    std::string newline() const;

    std::string m_bytes;
};

}  // namespace settings

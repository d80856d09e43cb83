#pragma once
// The members of a JSON object reply, each kept two ways: its raw JSON text
// (a string keeps its quotes and escapes) and, for strings, its value.
// The account server's replies are judged on the raw text, the version
// manifest on the values.

#include <string>
#include <string_view>
#include <vector>

namespace account {

class JsonMembers {
public:
    // An empty set: every member reads as the empty text.
    JsonMembers() = default;
    // Parses `text`; anything but one well-formed JSON object gives an empty set.
    static JsonMembers parse(std::string_view text);

    bool is_object() const { return m_object; }
    // The member's JSON text ("\"ok\"", "12", "{...}"), trimmed; empty when absent.
    std::string raw(std::string_view name) const;
    // A string member's unescaped value, any other member's raw text; empty when absent.
    std::string text(std::string_view name) const;
    // Member names in document order.
    std::vector<std::string> names() const;

private:
    struct Member {
        std::string name;
        std::string raw;
        std::string text;
    };
    const Member* find(std::string_view name) const;

    bool m_object = false;
    std::vector<Member> m_members;
};

}  // namespace account

#pragma once
// "{{name}}" placeholders in fixture pages.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

using TemplateLookup = std::function<std::optional<std::string>(const std::string& name)>;

// Replaces every "{{name}}" whose name the lookup knows; unknown ones stay.
std::string render_template(std::string_view text, const TemplateLookup& lookup);
std::string html_escape(std::string_view text);
// Query-string form: letters, digits and "-._~" stay, every other byte is %XX.
std::string url_encode(std::string_view text);

}  // namespace sim

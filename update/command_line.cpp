#include "update/command_line.h"

namespace update {

namespace {

constexpr std::string_view kSeparator = "<#>";
constexpr std::string_view kSpaceMark = "<?>";

} // namespace

std::string join_arguments(const std::vector<std::string>& arguments)
{
    std::string joined;
    for (const std::string& argument : arguments)
        joined += argument;
    return joined;
}

std::string decode_spaces(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(kSpaceMark); at != std::string_view::npos;
         at = text.find(kSpaceMark, from)) {
        out.append(text.substr(from, at - from));
        out.push_back(' ');
        from = at + kSpaceMark.size();
    }
    out.append(text.substr(from));
    return out;
}

std::vector<std::string> split_fields(std::string_view text)
{
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t at = text.find(kSeparator); at != std::string_view::npos;
         at = text.find(kSeparator, from)) {
        fields.emplace_back(text.substr(from, at - from));
        from = at + kSeparator.size();
    }
    if (from < text.size())
        fields.emplace_back(text.substr(from));
    return fields;
}

std::optional<UpdateTask> task_from_fields(const std::vector<std::string>& fields)
{
    if (fields.size() != 7)
        return std::nullopt;
    return UpdateTask{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
}

std::optional<UpdateTask> parse_arguments(const std::vector<std::string>& arguments)
{
    return task_from_fields(split_fields(decode_spaces(join_arguments(arguments))));
}

std::optional<UpdateTask> parse_command_line(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return std::nullopt;
    return parse_arguments(std::vector<std::string>(argv.begin() + 1, argv.end()));
}

bool has_http_prefix(std::string_view address)
{
    return address.starts_with("http://");
}

} // namespace update

#pragma once
// The updater's command line: seven fields joined with "<#>", every space
// written as "<?>". The program path arrives as its own argument; the rest
// may have been split by a shell, so the arguments after it are joined back
// with nothing between them. Separators are ASCII, so a UTF-8 character is
// never cut by the byte search below.

#include "update/update_task.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace update {

std::string join_arguments(const std::vector<std::string>& arguments);

// Every "<?>" becomes one space.
std::string decode_spaces(std::string_view text);

// Splits at every "<#>". The text before each separator is a field even when
// empty; the rest after the last separator counts only when not empty.
std::vector<std::string> split_fields(std::string_view text);

// The task when there are exactly seven fields.
std::optional<UpdateTask> task_from_fields(const std::vector<std::string>& fields);

// Joins, decodes and splits the arguments that follow the program path.
std::optional<UpdateTask> parse_arguments(const std::vector<std::string>& arguments);
// The same for a whole argument vector: the program path (first element)
// is never part of the fields, whatever it contains.
std::optional<UpdateTask> parse_command_line(const std::vector<std::string>& argv);

// True when the address begins with exactly "http://" (case matters).
bool has_http_prefix(std::string_view address);

} // namespace update

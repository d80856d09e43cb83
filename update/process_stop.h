#pragma once
// Stops the program being updated before its files are replaced.

#include <string>
#include <string_view>

namespace update {

// The last component of the install path without its extension (the text
// from its last dot on); empty when nothing is left.
std::string program_name_for(std::string_view install_path);

// Terminates the first running process (not this one) whose executable name,
// without extension, equals program_name_for(install_path), ignoring ASCII
// case. Comparing without extensions lets "Client" match "client" as well as
// "client.exe". True when one was signalled.
bool stop_program_for(std::string_view install_path);

} // namespace update

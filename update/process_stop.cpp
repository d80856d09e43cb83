#include "update/process_stop.h"

#include "platform/platform.h"

#include <unistd.h>

namespace update {

namespace {

std::string stem_of(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string lower_ascii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

std::string program_name_for(std::string_view install_path)
{
    const std::size_t slash = install_path.rfind('/');
    const std::string_view last =
        slash == std::string_view::npos ? install_path : install_path.substr(slash + 1);
    return stem_of(last);
}

bool stop_program_for(std::string_view install_path)
{
    const std::string wanted = lower_ascii(program_name_for(install_path));
    if (wanted.empty())
        return false;
    for (const platform::ProcessInfo& process : platform::running_processes()) {
        if (process.pid != ::getpid() && lower_ascii(stem_of(process.exe_name)) == wanted)
            return platform::terminate_process_named(process.exe_name);
    }
    return false;
}

} // namespace update

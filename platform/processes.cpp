// The running processes, read from /proc.

#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <dirent.h>
#include <unistd.h>

namespace platform {

namespace {

std::string base_name(std::string path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The executable's file name: from the exe link when we may read it, else
// from the command line, else the kernel's (possibly shortened) name.
std::string exe_name_of(const std::string& proc_dir)
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink((proc_dir + "/exe").c_str(), buffer, sizeof buffer - 1);
    if (n > 0) {
        std::string path(buffer, static_cast<std::size_t>(n));
        constexpr std::string_view deleted = " (deleted)";
        if (path.ends_with(deleted))
            path.resize(path.size() - deleted.size());
        return base_name(path);
    }
    if (const auto cmdline = read_file(proc_dir + "/cmdline"); cmdline && !cmdline->empty()) {
        const std::string first = cmdline->substr(0, cmdline->find('\0'));
        if (!first.empty())
            return base_name(first);
    }
    if (auto comm = read_file(proc_dir + "/comm")) {
        if (!comm->empty() && comm->back() == '\n')
            comm->pop_back();
        return *comm;
    }
    return {};
}

bool equal_ignoring_case(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace

std::vector<ProcessInfo> running_processes()
{
    std::vector<ProcessInfo> out;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return out;
    while (const dirent* entry = ::readdir(proc)) {
        const std::string_view name = entry->d_name;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string_view::npos)
            continue;
        ProcessInfo info;
        if (std::from_chars(name.data(), name.data() + name.size(), info.pid).ec != std::errc())
            continue;
        info.exe_name = exe_name_of("/proc/" + std::string(name));
        if (!info.exe_name.empty())  // gone meanwhile, or a kernel thread
            out.push_back(std::move(info));
    }
    ::closedir(proc);
    std::sort(out.begin(), out.end(),
              [](const ProcessInfo& a, const ProcessInfo& b) { return a.pid < b.pid; });
    return out;
}

bool terminate_process_named(const std::string& name)
{
    if (name.empty())
        return false;
    const int self = ::getpid();
    for (const ProcessInfo& process : running_processes()) {
        if (process.pid == self || !equal_ignoring_case(process.exe_name, name))
            continue;
        return ::kill(process.pid, SIGTERM) == 0;
    }
    return false;
}

}  // namespace platform

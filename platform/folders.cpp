// Where things live: the per-user config folder, the executable's folder and
// the private temporary folder.

#include "platform/platform.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string home_dir()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return {};
}

// A folder that exists, is a real folder (not a link), belongs to us and
// is closed to everybody else.
bool is_private_dir(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    if ((st.st_mode & 07777) != 0700 && ::chmod(path.c_str(), 0700) != 0)
        return false;
    return true;
}

}  // namespace

std::string user_config_dir()
{
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        return std::string(xdg) + "/varnel";
    return home_dir() + "/.config/varnel";
}

std::string executable_dir()
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return ".";
    std::string path(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string private_temp_dir()
{
    std::string base = "/tmp";
    if (const char* tmp = std::getenv("TMPDIR"); tmp && tmp[0] == '/') {
        struct stat st {};
        if (::stat(tmp, &st) == 0 && S_ISDIR(st.st_mode))
            base = tmp;
    }
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    const std::string prefix = base + "/varnel-" + std::to_string(::getuid());
    if (::mkdir(prefix.c_str(), 0700) == 0 || errno == EEXIST) {
        if (is_private_dir(prefix))
            return prefix;
    }
    // Someone else holds the usual name: use a fresh folder of our own.
    std::string unique = prefix + "-XXXXXX";
    if (::mkdtemp(unique.data()) && is_private_dir(unique))
        return unique;
    return {};
}

}  // namespace platform

// Starting programs detached, without a shell.

#include "platform/platform.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace platform {

bool start_detached(const std::string& program, const std::vector<std::string>& args)
{
    if (program.empty())
        return false;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    posix_spawnattr_t attr;
    if (::posix_spawnattr_init(&attr) != 0)
        return false;
    // Its own session: no terminal signals of ours reach it, and it outlives us.
    ::posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
    sigset_t none;
    sigemptyset(&none);
    ::posix_spawnattr_setsigmask(&attr, &none);

    pid_t pid = 0;
    const bool by_path = program.find('/') != std::string::npos;
    const int rc =
        by_path ? ::posix_spawn(&pid, program.c_str(), nullptr, &attr, argv.data(), environ)
                : ::posix_spawnp(&pid, program.c_str(), nullptr, &attr, argv.data(), environ);
    ::posix_spawnattr_destroy(&attr);
    if (rc != 0)
        return false;
    // Reap it whenever it ends so that it never stays a zombie of ours.
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

bool open_with_desktop(const std::string& url_or_path)
{
    if (url_or_path.empty())
        return false;
    return start_detached("xdg-open", {url_or_path});
}

}  // namespace platform

// The process list, termination by name and detached starts.

#include "platform/platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

bool wait_for(const std::function<bool()>& done,
              std::chrono::seconds limit = std::chrono::seconds(10))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

int pid_named(const std::string& name)
{
    for (const auto& p : platform::running_processes())
        if (p.exe_name == name)
            return p.pid;
    return 0;
}

// Field 6 of /proc/<pid>/stat: the session id.
long session_of(int pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return -1;
    long ppid = 0, pgrp = 0, session = -1;
    char state = 0;
    std::sscanf(stat.c_str() + close + 1, " %c %ld %ld %ld", &state, &ppid, &pgrp, &session);
    return session;
}

TEST(Processes, ListHoldsThisProgramByExecutableName)
{
    const auto list = platform::running_processes();
    const int self = ::getpid();
    bool found = false;
    for (const auto& p : list)
        if (p.pid == self) {
            found = true;
            EXPECT_EQ(p.exe_name, "platform_processes_test");
        }
    EXPECT_TRUE(found);
    EXPECT_FALSE(platform::terminate_process_named(""));
    EXPECT_FALSE(platform::terminate_process_named("no-such-program-varnel"));
}

TEST(Processes, DetachedProgramRunsInItsOwnSessionAndIsTerminatedByName)
{
    testsupport::TempDir dir;
    const std::string name = "VarnelSleeper" + std::to_string(::getpid());
    const std::string program = dir.str() + "/" + name;
    std::filesystem::copy_file("/bin/sleep", program);
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);

    ASSERT_TRUE(platform::start_detached(program, {"30"}));
    int pid = 0;
    ASSERT_TRUE(wait_for([&] { return (pid = pid_named(name)) != 0; }));
    EXPECT_EQ(session_of(pid), pid);

    // Matched ignoring case; afterwards it is gone entirely, not a zombie.
    EXPECT_TRUE(platform::terminate_process_named("varnelsleeper" + std::to_string(::getpid())));
    EXPECT_TRUE(wait_for([&] { return !std::filesystem::exists("/proc/" + std::to_string(pid)); }));
}

TEST(Processes, ArgumentsReachTheProgramWithoutAShell)
{
    testsupport::TempDir dir;
    const std::string odd = dir.str() + "/a b;c $(x) *";
    ASSERT_TRUE(platform::start_detached("touch", {odd}));  // looked up in $PATH
    EXPECT_TRUE(wait_for([&] { return std::filesystem::exists(odd); }));
    EXPECT_FALSE(std::filesystem::exists(dir.str() + "/a"));
}

TEST(Processes, ProgramsThatCannotStartReportFailure)
{
    EXPECT_FALSE(platform::start_detached("", {}));
    EXPECT_FALSE(platform::start_detached("/no/such/program", {}));
    EXPECT_FALSE(platform::start_detached("no-such-program-varnel", {"x"}));
    EXPECT_FALSE(platform::open_with_desktop(""));
}

}  // namespace

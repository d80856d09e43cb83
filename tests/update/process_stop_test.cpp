#include "update/process_stop.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

namespace fs = std::filesystem;

TEST(ProcessStopTest, ProgramNameIsTheLastComponentWithoutExtension)
{
    const struct {
        const char* install_path;
        const char* name;
    } cases[] = {
        {"/home/u/Apps/Client", "Client"},
        {"/home/u/Apps/Client/client.exe", "client"},
        {"/home/u/my.apps/varnel", "varnel"},
        {"/home/u/archive.tar.gz", "archive.tar"},
        {"/home/u/Apps/", ""},
        {"Client", "Client"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.install_path);
        EXPECT_EQ(update::program_name_for(c.install_path), c.name);
    }
}

// Waits up to `limit` for the child to end; its wait status, or -1.
int wait_for_exit(pid_t child, std::chrono::seconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

TEST(ProcessStopTest, StopsTheRunningProgramMatchedWithoutExtensionIgnoringCase)
{
    testsupport::TempDir dir;
    const std::string exe_name = "vt-target-" + std::to_string(::getpid()) + ".bin";
    const fs::path program = dir.path() / exe_name;
    fs::copy_file("/bin/sleep", program);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::execl(program.c_str(), exe_name.c_str(), "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Let exec replace the image before the process list is read.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    EXPECT_FALSE(update::stop_program_for("/home/u/Apps/vt-other-" + std::to_string(::getpid())));
    EXPECT_TRUE(update::stop_program_for("/home/u/Apps/VT-Target-" + std::to_string(::getpid())));
    const int status = wait_for_exit(child, std::chrono::seconds(10));
    if (status == -1)
        ::kill(child, SIGKILL), ::waitpid(child, nullptr, 0);
    ASSERT_NE(status, -1) << "the program was not stopped";
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

} // namespace

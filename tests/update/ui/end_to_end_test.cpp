// Starts the real `update` program with a real command line against the
// project's simulator and checks what it leaves behind.
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "update/support/zip_builder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct ProcessRun {
    bool ended = false;
    int exit_code = -1;
};

// Runs `program` with one argument (when given) and a test environment;
// kills it after `limit`.
ProcessRun run_update(const fs::path& program, const std::vector<std::string>& arguments,
                      const fs::path& tmpdir, std::chrono::seconds limit)
{
    const fs::path runtime = tmpdir.parent_path() / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    std::vector<std::string> env_text = {"QT_QPA_PLATFORM=offscreen", "TMPDIR=" + tmpdir.string(),
                                         "HOME=" + tmpdir.parent_path().string(),
                                         "XDG_RUNTIME_DIR=" + runtime.string()};
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (!entry.starts_with("QT_QPA_PLATFORM=") && !entry.starts_with("TMPDIR=") &&
            !entry.starts_with("HOME=") && !entry.starts_with("XDG_RUNTIME_DIR=") &&
            !entry.starts_with("DISPLAY=") && !entry.starts_with("WAYLAND_DISPLAY="))
            env_text.push_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& entry : env_text)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> argv_text = {program.string()};
    argv_text.insert(argv_text.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argv_text)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    ProcessRun run;
    pid_t child = 0;
    if (::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0)
        return run;
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            run.ended = true;
            run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return run;
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(tmpdir());
        fs::create_directories(client());
        testsupport::write_file(client() / "varnel", "old");
        // The program is started from a folder whose name has a space.
        fs::create_directories(m_root.path() / "My Apps");
        fs::create_symlink(UPDATE_PROGRAM, program());
    }
    fs::path tmpdir() const { return m_root.path() / "tmp"; }
    fs::path apps() const { return m_root.path() / "Apps"; }
    fs::path client() const { return apps() / "varnel-e2e-client"; }
    fs::path program() const { return m_root.path() / "My Apps" / "update"; }
    fs::path private_dir() const { return tmpdir() / ("varnel-" + std::to_string(::getuid())); }

    testsupport::TempDir m_root;
};

TEST_F(EndToEndTest, DownloadsInstallsClosesAndLeavesThePrivateFolderEmpty)
{
    testsupport::SimProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    // The address has a space, as a package name may; the client writes it as "<?>".
    const std::string address = sim.url("downloads") + "/Download/client 2.zip";
    std::string line = "自动更新<#>如果自动更新失败，请点此至官网下载<#>" + address + "<#>" +
                       client().string() + "<#>" + address + "<#>不提示<#>假";
    for (std::size_t at = line.find(' '); at != std::string::npos; at = line.find(' ', at))
        line.replace(at, 1, "<?>");

    const ProcessRun run = run_update(program(), {line}, tmpdir(), std::chrono::seconds(90));
    ASSERT_TRUE(run.ended) << "update did not close itself";
    EXPECT_EQ(run.exit_code, 0);
    // The package has no top folder, so it lands beside the install folder.
    const fs::path package = fs::path(SIMULATOR_FIXTURES) / "downloads" / "package";
    for (const char* name : {"version.txt", "更新说明.txt", "皮肤资源/说明.txt"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fs::exists(package / name));
        EXPECT_EQ(testsupport::read_file(apps() / name), testsupport::read_file(package / name));
    }
    EXPECT_EQ(testsupport::read_file(client() / "varnel"), "old");
    ASSERT_TRUE(fs::is_directory(private_dir()));
    EXPECT_TRUE(fs::is_empty(private_dir()));
    EXPECT_EQ(fs::status(private_dir()).permissions() & fs::perms::all, fs::perms::owner_all);
    std::size_t package_gets = 0;
    for (const auto& entry : sim.log("downloads"))
        package_gets += entry.method == "GET" && entry.target == "/Download/client%202.zip";
    EXPECT_GE(package_gets, 1u);
}

TEST_F(EndToEndTest, RejectedCommandLinesExitAtOnceWithNothingLeftBehind)
{
    const struct {
        const char* name;
        std::vector<std::string> arguments;
    } cases[] = {
        {"no arguments", {}},
        {"https",
         {"a<#>b<#>c<#>" + client().string() + "<#>https://127.0.0.1:1/x.zip<#>不提示<#>假"}},
        {"six fields",
         {"a<#>b<#>c<#>" + client().string() + "<#>http://127.0.0.1:1/x.zip<#>不提示<#>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProcessRun run =
            run_update(program(), c.arguments, tmpdir(), std::chrono::seconds(30));
        ASSERT_TRUE(run.ended);
        EXPECT_EQ(run.exit_code, 0);
        EXPECT_FALSE(fs::exists(private_dir()));
        EXPECT_EQ(testsupport::read_file(client() / "varnel"), "old");
    }
}

} // namespace

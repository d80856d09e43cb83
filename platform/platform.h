#pragma once
// The small operating-system layer: fingerprint sources, the per-user key
// store, processes, the private temporary folder, starting programs.
// No Qt here.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// CPUID leaf 1 as 16 upper-case hex digits (EDX then EAX); empty when unknown.
std::string processor_id();
// MAC of the first non-loopback interface that has an address, upper-case,
// bytes joined by "-"; empty when none.
std::string first_mac_address();

// $XDG_CONFIG_HOME/varnel, default ~/.config/varnel (not created here).
std::string user_config_dir();

// Per-user 32-bit values by name, kept in user_config_dir()/keys.ini.
class KeyStore {
public:
    explicit KeyStore(std::string config_dir = user_config_dir());
    std::optional<std::uint32_t> read(const std::string& name) const;
    bool write(const std::string& name, std::uint32_t value);

private:
    std::string m_file;
};

struct ProcessInfo {
    int pid = 0;
    std::string exe_name;  // file name of the executable, no folder
};
std::vector<ProcessInfo> running_processes();
// Terminates the first process (other than this one) whose executable name
// equals `name` case-insensitively. True when one was signalled.
bool terminate_process_named(const std::string& name);

// A private folder (mode 0700) for this user under $TMPDIR or /tmp,
// created when missing; empty on failure.
std::string private_temp_dir();

// Starts `program` with `args` detached from this process (no shell).
bool start_detached(const std::string& program, const std::vector<std::string>& args);

// Directory of the running executable, no trailing "/".
std::string executable_dir();

}  // namespace platform

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
// Terminates (SIGTERM) the first process, other than this one, whose
// executable name equals `name` ignoring ASCII case. True when one was
// signalled.
bool terminate_process_named(const std::string& name);

// A private folder (mode 0700) for this user under $TMPDIR or /tmp,
// created when missing ("varnel-<uid>"); when that name is taken by
// something that is not our own real folder, a fresh unique folder instead.
// Empty on failure.
std::string private_temp_dir();

// Starts `program` (a path, or a name looked up in $PATH) with `args` in a
// new session, without a shell; it is reaped when it ends, so it never
// lingers as a zombie. False when it could not be started.
bool start_detached(const std::string& program, const std::vector<std::string>& args);

// Directory of the running executable, no trailing "/".
std::string executable_dir();

// Hands a URL or a path to the desktop's opener (xdg-open), detached.
bool open_with_desktop(const std::string& url_or_path);

// The whole of a regular file; nothing when it is absent or unreadable.
std::optional<std::string> read_file(const std::string& path);
// Replaces a file's content through a temporary file beside it and a rename,
// so readers see the old or the new content, never a mix. Writes through a
// symbolic link, keeps the file's permissions, and refuses a file it may not
// write. False when anything failed (the old file is then untouched).
bool replace_file(const std::string& path, const std::string& bytes);

}  // namespace platform

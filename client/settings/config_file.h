#pragma once
// config.ini in the run directory: read and written key by key like the
// platform profile-string functions. GB18030 (GBK-compatible) on disk,
// UTF-8 in and out. Every other byte of the file is kept as it was.

#include <string>

namespace settings {

class ConfigFile {
public:
    explicit ConfigFile(std::string run_dir);

    const std::string& path() const { return m_path; }  // run_dir + "/config.ini"

    // Empty when the file, section or key is absent.
    std::string read(const std::string& section, const std::string& key) const;
    // Creates file, section and key as needed. False when the write failed
    // (callers of the client ignore it, as the file's contract says).
    bool write(const std::string& section, const std::string& key, const std::string& value);
    // Deletes the file; failures ignored.
    void remove();

private:
    std::string m_path;
};

}  // namespace settings

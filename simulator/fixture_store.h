#pragma once
// Fixture files under simulator/fixtures/, read at every request so a page
// can be edited while the simulator runs.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

using IniSection = std::map<std::string, std::string>;

class FixtureStore {
public:
    explicit FixtureStore(std::filesystem::path dir) : m_dir(std::move(dir)) {}

    const std::filesystem::path& dir() const { return m_dir; }
    // Bytes of `relative` (no "..", no absolute path), or nothing.
    std::optional<std::string> read(const std::string& relative) const;
    // The file's text; empty, with a warning on stderr, when it is missing.
    std::string text(const std::string& relative) const;
    // key=value lines of one [section] (UTF-8, ";" and "#" start comments).
    IniSection ini(const std::string& relative, const std::string& section) const;
    // Tab-separated rows; blank lines and lines starting with "#" skipped.
    std::vector<std::vector<std::string>> table(const std::string& relative) const;

private:
    std::filesystem::path m_dir;
};

}  // namespace sim

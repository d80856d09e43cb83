#pragma once
// Writes small .zip archives for the tests, including hostile ones.

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

struct ZipEntry {
    std::string name; // raw bytes as stored in the archive
    std::string data;
    unsigned unix_mode = 0; // 0: made on the other platform, no Unix mode
    bool utf8_flag = false; // general purpose bit 11
    bool stored = false;    // no compression, so the data appears as is
};

bool write_zip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries);

// Replaces every occurrence of `from` in the file by `to` (same length).
bool patch_file(const std::filesystem::path& file, const std::string& from, const std::string& to);

std::string read_file(const std::filesystem::path& file);
bool write_file(const std::filesystem::path& file, const std::string& data);

} // namespace testsupport

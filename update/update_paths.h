#pragma once
// The fixed names the updater uses inside its private temporary folder.

#include "update/download_kind.h"

#include <filesystem>

namespace update {

class UpdatePaths {
public:
    explicit UpdatePaths(std::filesystem::path temp_dir) : m_temp_dir(std::move(temp_dir)) {}
    const std::filesystem::path& temp_dir() const { return m_temp_dir; }
    // "Temp.zip" or "Temp.exe".
    std::filesystem::path download_file(DownloadKind kind) const;
    // "Temp".
    std::filesystem::path unpack_dir() const;

private:
    std::filesystem::path m_temp_dir;
};

} // namespace update

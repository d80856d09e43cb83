#include "update/installer.h"

#include "update/tree_copy.h"

#include <system_error>

namespace update {

namespace fs = std::filesystem;

std::string zip_install_target(std::string_view install_path)
{
    const std::size_t slash = install_path.rfind('/');
    return slash == std::string_view::npos ? std::string()
                                           : std::string(install_path.substr(0, slash + 1));
}

InstallResult install_zip(const UpdatePaths& paths, const std::string& install_path,
                          const UnpackLimits& limits, const std::function<void()>& between_entries)
{
    // A path without any folder would copy relative to wherever we run.
    const std::string target = zip_install_target(install_path);
    if (target.empty())
        return InstallResult::NoTarget;
    if (!unpack_archive(paths.download_file(DownloadKind::Zip), paths.unpack_dir(), limits).ok())
        return InstallResult::UnpackFailed;
    std::error_code ec;
    fs::remove(paths.download_file(DownloadKind::Zip), ec);
    copy_tree(paths.unpack_dir(), target, between_entries);
    fs::remove_all(paths.unpack_dir(), ec);
    return InstallResult::Installed;
}

InstallResult install_exe(const UpdatePaths& paths, const std::string& install_path)
{
    std::error_code ec;
    if (install_path.empty() || fs::is_directory(install_path, ec))
        return InstallResult::NoTarget;
    constexpr fs::perms executable = fs::perms::owner_all | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read |
                                     fs::perms::others_exec;
    return replace_file(paths.download_file(DownloadKind::Exe), install_path, executable)
               ? InstallResult::Installed
               : InstallResult::CopyFailed;
}

void clean_up(const UpdatePaths& paths, DownloadKind kind)
{
    std::error_code ec;
    fs::remove(paths.download_file(kind), ec);
    fs::remove_all(paths.unpack_dir(), ec);
}

} // namespace update

#pragma once
// Putting a finished download in place, and removing what the updater left
// in its temporary folder.

#include "update/archive_unpacker.h"
#include "update/download_kind.h"
#include "update/update_paths.h"

#include <functional>
#include <string>
#include <string_view>

namespace update {

enum class InstallResult { Installed, NotDownloaded, UnpackFailed, NoTarget, CopyFailed };

// The install path up to and including its last "/"; empty without one.
std::string zip_install_target(std::string_view install_path);

// Unpacks the download into the unpack folder and, only when the whole archive
// unpacked, removes the download, copies the tree into the zip install target
// and removes the unpack folder.
InstallResult install_zip(const UpdatePaths& paths, const std::string& install_path,
                          const UnpackLimits& limits = {},
                          const std::function<void()>& between_entries = {});

// Copies the downloaded program onto the install path, executable. Nothing
// happens when the install path is a folder.
InstallResult install_exe(const UpdatePaths& paths, const std::string& install_path);

// Removes the download file of this kind and the unpack folder. Missing
// files are no error; safe to repeat.
void clean_up(const UpdatePaths& paths, DownloadKind kind);

} // namespace update

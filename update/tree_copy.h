#pragma once
// Copying the unpacked files into place.

#include <filesystem>
#include <functional>

namespace update {

// Replaces `target` by a copy of `source` with `perms`. The copy is written
// beside the target under a hidden temporary name and renamed over it, so a
// running program is replaced cleanly and an interrupted copy leaves the old
// file intact. False, with nothing changed, when the target is a folder or a
// read-only file, or when the copy fails.
bool replace_file(const std::filesystem::path& source, const std::filesystem::path& target,
                  std::filesystem::perms perms);

// Copies every file below `source` into `target` (created when missing),
// replacing existing files and keeping their permission bits. Folders whose
// name begins with "." are skipped, files so named are copied; a file that
// cannot be copied is skipped; files only in the target stay. Symbolic links
// in the source are not followed. `between_entries` runs after each entry.
void copy_tree(const std::filesystem::path& source, const std::filesystem::path& target,
               const std::function<void()>& between_entries = {});

} // namespace update

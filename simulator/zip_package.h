#pragma once
// The update package the simulator offers: a .zip built from a folder of
// fixture files when it is first asked for.

#include <filesystem>
#include <string>

namespace sim {

// ZIP bytes holding every file below `folder` (paths relative to it, "/"
// separated, names flagged UTF-8); empty when the folder cannot be read.
std::string zip_folder(const std::filesystem::path& folder);

}  // namespace sim

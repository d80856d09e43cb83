#pragma once
// What the download is, decided from its address alone.

#include <optional>
#include <string>
#include <string_view>

namespace update {

enum class DownloadKind { Zip, Exe };

// First rule that applies: ends in ".zip", ends in ".exe", contains ".zip",
// contains ".exe" (ASCII letters folded). Nothing when none applies.
std::optional<DownloadKind> download_kind(std::string_view address);

// ".zip" or ".exe".
std::string kind_suffix(DownloadKind kind);

} // namespace update

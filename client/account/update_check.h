#pragma once
// The update check: the published version against ours, and the command
// line that hands the update over to the updater.

#include <string>
#include <string_view>
#include <vector>

namespace account {

inline constexpr std::string_view kClientVersion = "V3.0.6";
inline constexpr std::string_view kUpdateFailedText = "检查自动更新失败，请检查网络";

struct VersionManifest {
    std::string version;  // string values; empty when missing or not JSON
    std::string softurl;
};
VersionManifest parse_manifest(std::string_view reply);

// Versions compared with ASCII letters folded to upper case.
bool same_version(std::string_view published, std::string_view ours = kClientVersion);

// The seven fields the updater reads, in its order.
std::vector<std::string> updater_fields(const std::string& softurl, const std::string& run_dir);
// Fields joined with "<#>", then every space written as "<?>".
std::string encode_updater_fields(const std::vector<std::string>& fields);

struct UpdaterLaunch {
    std::string program;   // run directory + "/update", unchanged
    std::string argument;  // the encoded fields, one argument
};
UpdaterLaunch updater_launch(const std::string& run_dir, const std::string& softurl);

enum class UpdateOutcome {
    Failed,        // no manifest, not JSON, no version: tell the user, go on
    UpToDate,
    UpdaterNeeded  // any other version, newer or older
};
struct UpdateCheckResult {
    UpdateOutcome outcome = UpdateOutcome::Failed;
    VersionManifest manifest;
};
// Fetches service_base + "/Download/" and judges the version.
UpdateCheckResult check_for_update(const std::string& service_base);

}  // namespace account

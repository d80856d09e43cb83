#include "client/account/update_check.h"

#include "client/account/json_members.h"
#include "client/web/http.h"
#include "client/web/text.h"

namespace account {

VersionManifest parse_manifest(std::string_view reply)
{
    const JsonMembers members = JsonMembers::parse(reply);
    return {members.text("version"), members.text("softurl")};
}

bool same_version(std::string_view published, std::string_view ours)
{
    return web::to_upper_ascii(published) == web::to_upper_ascii(ours);
}

std::vector<std::string> updater_fields(const std::string& softurl, const std::string& run_dir)
{
    return {"自动更新", "如果自动更新失败，请点此至官网下载", softurl, run_dir,
            softurl,    "自动更新完成",                     "假"};
}

std::string encode_updater_fields(const std::vector<std::string>& fields)
{
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            joined += "<#>";
        joined += fields[i];
    }
    return web::replace_all(joined, " ", "<?>");
}

UpdaterLaunch updater_launch(const std::string& run_dir, const std::string& softurl)
{
    return {run_dir + "/update", encode_updater_fields(updater_fields(softurl, run_dir))};
}

UpdateCheckResult check_for_update(const std::string& service_base)
{
    UpdateCheckResult result;
    // With no base the address would be the bare path "/Download/", which
    // cannot be fetched: fail as for any unreachable manifest.
    if (service_base.empty())
        return result;
    web::HttpRequest request;
    request.url = service_base + "/Download/";
    request.method = "GET";
    result.manifest = parse_manifest(web::http_request_text(request));
    if (result.manifest.version.empty())
        result.outcome = UpdateOutcome::Failed;
    else if (same_version(result.manifest.version))
        result.outcome = UpdateOutcome::UpToDate;
    else
        result.outcome = UpdateOutcome::UpdaterNeeded;
    return result;
}

}  // namespace account

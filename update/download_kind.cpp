#include "update/download_kind.h"

namespace update {

namespace {

std::string lower_ascii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace

std::optional<DownloadKind> download_kind(std::string_view address)
{
    const std::string lower = lower_ascii(address);
    if (lower.ends_with(".zip"))
        return DownloadKind::Zip;
    if (lower.ends_with(".exe"))
        return DownloadKind::Exe;
    if (lower.find(".zip") != std::string::npos)
        return DownloadKind::Zip;
    if (lower.find(".exe") != std::string::npos)
        return DownloadKind::Exe;
    return std::nullopt;
}

std::string kind_suffix(DownloadKind kind)
{
    return kind == DownloadKind::Zip ? ".zip" : ".exe";
}

} // namespace update

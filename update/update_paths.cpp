#include "update/update_paths.h"

namespace update {

std::filesystem::path UpdatePaths::download_file(DownloadKind kind) const
{
    return m_temp_dir / ("Temp" + kind_suffix(kind));
}

std::filesystem::path UpdatePaths::unpack_dir() const
{
    return m_temp_dir / "Temp";
}

} // namespace update

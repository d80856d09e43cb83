#include "simulator/zip_package.h"

#include <minizip/zip.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

namespace sim {
namespace {

constexpr uLong utf8_name_flag = 0x800;

std::string read_all(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

std::string zip_folder(const std::filesystem::path& folder)
{
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file())
            files.push_back(it->path());
    if (ec || files.empty())
        return {};
    std::sort(files.begin(), files.end());

    // minizip writes to a file; a private temporary one is read back and removed.
    std::string temp = (std::filesystem::temp_directory_path() / "varnel-sim-XXXXXX").string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return {};
    ::close(fd);
    zipFile zip = zipOpen64(temp.c_str(), APPEND_STATUS_CREATE);
    bool ok = zip != nullptr;
    for (const auto& path : files) {
        if (!ok)
            break;
        const std::string name = std::filesystem::relative(path, folder).generic_string();
        const std::string data = read_all(path);
        zip_fileinfo info{};
        info.tmz_date = {0, 0, 9, 12, 4, 2024};  // 2024-05-12 09:00
        ok = zipOpenNewFileInZip4_64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                     Z_DEFLATED, Z_BEST_COMPRESSION, 0, -MAX_WBITS, 8,
                                     Z_DEFAULT_STRATEGY, nullptr, 0, 0, utf8_name_flag, 0) == ZIP_OK &&
             zipWriteInFileInZip(zip, data.data(), static_cast<unsigned>(data.size())) == ZIP_OK &&
             zipCloseFileInZip(zip) == ZIP_OK;
    }
    if (zip && zipClose(zip, "Varnel update package") != ZIP_OK)
        ok = false;
    std::string bytes = ok ? read_all(temp) : std::string();
    std::filesystem::remove(temp, ec);
    return bytes;
}

}  // namespace sim

#include "update/support/zip_builder.h"

#include <minizip/zip.h>
#include <zlib.h>

#include <fstream>
#include <iterator>

namespace testsupport {

bool write_zip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries)
{
    zipFile zip = zipOpen64(file.c_str(), APPEND_STATUS_CREATE);
    if (!zip)
        return false;
    bool ok = true;
    for (const ZipEntry& entry : entries) {
        zip_fileinfo info{};
        uLong made_by = 20;
        if (entry.unix_mode != 0) {
            info.external_fa = static_cast<uLong>(entry.unix_mode) << 16;
            made_by |= 3u << 8;
        } else if (entry.name.ends_with('/')) {
            info.external_fa = 0x10;
        }
        const int method = entry.stored ? 0 : Z_DEFLATED;
        const int level = entry.stored ? 0 : Z_DEFAULT_COMPRESSION;
        ok = ok &&
             zipOpenNewFileInZip4_64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0,
                                     nullptr, method, level, 0, -MAX_WBITS, DEF_MEM_LEVEL,
                                     Z_DEFAULT_STRATEGY, nullptr, 0, made_by,
                                     entry.utf8_flag ? 0x800 : 0, 0) == ZIP_OK &&
             zipWriteInFileInZip(zip, entry.data.data(),
                                 static_cast<unsigned>(entry.data.size())) == ZIP_OK &&
             zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}

std::string read_file(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool write_file(const std::filesystem::path& file, const std::string& data)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}

bool patch_file(const std::filesystem::path& file, const std::string& from, const std::string& to)
{
    if (from.size() != to.size() || from.empty())
        return false;
    std::string data = read_file(file);
    bool found = false;
    for (std::size_t at = data.find(from); at != std::string::npos; at = data.find(from, at + 1)) {
        data.replace(at, from.size(), to);
        found = true;
    }
    return found && write_file(file, data);
}

} // namespace testsupport

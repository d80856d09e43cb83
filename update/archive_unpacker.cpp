#include "update/archive_unpacker.h"

#include <minizip/unzip.h>

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

namespace update {

namespace {

constexpr unsigned long kUtf8NameFlag = 1u << 11;
constexpr unsigned long kEncryptedFlag = 1u << 0;
constexpr unsigned long kMadeByUnix = 3;
constexpr unsigned long kDosDirectory = 0x10;
constexpr std::size_t kNameBuffer = 65536; // names are at most 65535 bytes
constexpr unsigned kReadChunk = 256 * 1024;

struct Entry {
    std::string path; // relative, "/"-separated, UTF-8
    bool directory = false;
    bool executable = false;
    std::uint64_t size = 0;
};

bool is_ascii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// GBK (read as GB18030, its superset) to UTF-8; nothing when a byte sequence
// is not valid there.
std::optional<std::string> gbk_to_utf8(std::string_view bytes)
{
    if (is_ascii(bytes))
        return std::string(bytes);
    iconv_t cd = ::iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(bytes.size() * 4 + 4, '\0');
    char* in_ptr = const_cast<char*>(bytes.data());
    std::size_t in_left = bytes.size();
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    const std::size_t rc = ::iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    ::iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || in_left != 0)
        return std::nullopt;
    out.resize(out.size() - out_left);
    return out;
}

// Nothing when unsafe; "" when only "." segments remain.
std::optional<std::string> checked_relative_path(std::string name)
{
    // Archives made on the other platform may separate with "\". This runs on
    // UTF-8, where 0x5C is never the trail byte of a wider character.
    for (char& c : name)
        if (c == '\\')
            c = '/';
    if (name.starts_with('/'))
        return std::nullopt;
    if (name.size() >= 2 && name[1] == ':' &&
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')))
        return std::nullopt;
    std::string out;
    std::size_t from = 0;
    while (from <= name.size()) {
        std::size_t slash = name.find('/', from);
        if (slash == std::string::npos)
            slash = name.size();
        const std::string_view segment(name.data() + from, slash - from);
        if (segment == "..")
            return std::nullopt;
        if (!segment.empty() && segment != ".") {
            if (!out.empty())
                out += '/';
            out.append(segment);
        }
        from = slash + 1;
    }
    return out;
}

struct ArchiveCloser {
    void operator()(void* archive) const { unzClose(archive); }
};
using Archive = std::unique_ptr<void, ArchiveCloser>;

struct FdCloser {
    int fd = -1;
    ~FdCloser()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

UnpackResult fail(UnpackError error, std::string entry = {})
{
    return UnpackResult{error, std::move(entry)};
}

UnpackResult read_entry(unzFile archive, const UnpackLimits& limits, std::uint64_t& declared_total,
                        std::vector<char>& name, Entry& entry)
{
    unz_file_info64 info{};
    name.front() = '\0';
    name.back() = '\0';
    if (unzGetCurrentFileInfo64(archive, &info, name.data(), kNameBuffer, nullptr, 0, nullptr, 0) !=
        UNZ_OK)
        return fail(UnpackError::CannotOpen);
    const std::string raw(name.data(), std::min<std::size_t>(info.size_filename, kNameBuffer));
    // A NUL inside the stored name would silently shorten it.
    if (std::strlen(name.data()) != info.size_filename)
        return fail(UnpackError::BadName, raw.substr(0, std::strlen(name.data())));
    const auto utf8 =
        (info.flag & kUtf8NameFlag) ? std::optional<std::string>(raw) : gbk_to_utf8(raw);
    if (!utf8)
        return fail(UnpackError::BadName, raw);
    const auto path = checked_relative_path(*utf8);
    if (!path)
        return fail(UnpackError::UnsafePath, *utf8);
    if (info.flag & kEncryptedFlag)
        return fail(UnpackError::UnsupportedEntry, *utf8);

    entry.path = *path;
    entry.size = info.uncompressed_size;
    entry.directory = utf8->ends_with('/') || utf8->ends_with('\\');
    if ((info.version >> 8) == kMadeByUnix) {
        const unsigned long mode = info.external_fa >> 16;
        const unsigned long type = mode & S_IFMT;
        if (type == S_IFDIR)
            entry.directory = true;
        else if (type != 0 && type != S_IFREG)
            return fail(UnpackError::UnsupportedEntry, *utf8); // link, device, pipe
        entry.executable = (mode & 0111) != 0;
    } else if (info.external_fa & kDosDirectory) {
        entry.directory = true;
    }
    if (entry.path.empty() && !entry.directory)
        return fail(UnpackError::UnsafePath, *utf8);
    declared_total += entry.size;
    if (declared_total > limits.max_total_bytes)
        return fail(UnpackError::OverLimit, *utf8);
    return {};
}

UnpackResult extract_file(unzFile archive, const std::filesystem::path& target, const Entry& entry,
                          const UnpackLimits& limits, std::uint64_t& written_total,
                          std::vector<char>& buffer)
{
    const std::filesystem::path out_path = target / entry.path;
    std::error_code ec;
    std::filesystem::create_directories(out_path.parent_path(), ec);
    if (ec)
        return fail(UnpackError::WriteFailed, entry.path);
    FdCloser out{::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC,
                        entry.executable ? 0755 : 0644)};
    if (out.fd < 0)
        return fail(UnpackError::WriteFailed, entry.path);
    if (unzOpenCurrentFile(archive) != UNZ_OK)
        return fail(UnpackError::CorruptData, entry.path);
    std::uint64_t written = 0;
    bool broken = false;
    bool over = false;
    bool write_failed = false;
    while (true) {
        const int got = unzReadCurrentFile(archive, buffer.data(), kReadChunk);
        if (got < 0) {
            broken = true;
            break;
        }
        if (got == 0)
            break;
        written += static_cast<std::uint64_t>(got);
        written_total += static_cast<std::uint64_t>(got);
        if (written > entry.size) {
            broken = true;
            break;
        }
        if (written_total > limits.max_total_bytes) {
            over = true;
            break;
        }
        const char* data = buffer.data();
        std::size_t left = static_cast<std::size_t>(got);
        while (left > 0) {
            const ssize_t n = ::write(out.fd, data, left);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                write_failed = true;
                break;
            }
            data += n;
            left -= static_cast<std::size_t>(n);
        }
        if (write_failed)
            break;
    }
    // The CRC is only checked here, once the whole entry has been read.
    const int closed = unzCloseCurrentFile(archive);
    if (over)
        return fail(UnpackError::OverLimit, entry.path);
    if (write_failed)
        return fail(UnpackError::WriteFailed, entry.path);
    if (broken || closed != UNZ_OK || written != entry.size)
        return fail(UnpackError::CorruptData, entry.path);
    return {};
}

} // namespace

UnpackResult unpack_archive(const std::filesystem::path& archive_path,
                            const std::filesystem::path& target, const UnpackLimits& limits)
{
    Archive archive(unzOpen64(archive_path.c_str()));
    if (!archive)
        return fail(UnpackError::CannotOpen);
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(archive.get(), &global) != UNZ_OK)
        return fail(UnpackError::CannotOpen);
    if (global.number_entry > limits.max_entries)
        return fail(UnpackError::OverLimit);

    // Every name and size is checked before anything is written.
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(global.number_entry));
    std::uint64_t declared_total = 0;
    std::vector<char> name(kNameBuffer + 1, '\0');
    int rc = unzGoToFirstFile(archive.get());
    while (rc == UNZ_OK) {
        Entry entry;
        if (UnpackResult result = read_entry(archive.get(), limits, declared_total, name, entry);
            !result.ok())
            return result;
        entries.push_back(std::move(entry));
        if (entries.size() > limits.max_entries)
            return fail(UnpackError::OverLimit);
        rc = unzGoToNextFile(archive.get());
    }
    if (rc != UNZ_END_OF_LIST_OF_FILE || entries.size() != global.number_entry)
        return fail(UnpackError::CannotOpen);

    std::error_code ec;
    std::filesystem::create_directories(target, ec);
    if (ec)
        return fail(UnpackError::WriteFailed);
    std::vector<char> buffer(kReadChunk);
    std::uint64_t written_total = 0;
    rc = unzGoToFirstFile(archive.get());
    for (const Entry& entry : entries) {
        if (rc != UNZ_OK)
            return fail(UnpackError::CannotOpen, entry.path);
        if (entry.directory) {
            if (!entry.path.empty()) {
                std::filesystem::create_directories(target / entry.path, ec);
                if (ec)
                    return fail(UnpackError::WriteFailed, entry.path);
            }
        } else if (UnpackResult result =
                       extract_file(archive.get(), target, entry, limits, written_total, buffer);
                   !result.ok()) {
            return result;
        }
        rc = unzGoToNextFile(archive.get());
    }
    return {};
}

} // namespace update

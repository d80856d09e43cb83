#pragma once
// Unpacks a whole .zip archive below one folder, or nothing counts: an entry
// that would land outside the folder, a symbolic link, a name with a NUL, an
// encrypted entry, a CRC or length mismatch, or an archive over the limits
// fails the whole archive. Names flagged UTF-8 are UTF-8; the others are
// GBK, the code page such archives are made with.

#include <cstdint>
#include <filesystem>
#include <string>

namespace update {

struct UnpackLimits {
    std::uint64_t max_total_bytes = std::uint64_t{4} << 30;
    std::uint64_t max_entries = 100000;
};

enum class UnpackError {
    None,
    CannotOpen,       // not an archive, or its directory is damaged
    BadName,          // NUL inside, or not convertible to UTF-8
    UnsafePath,       // absolute, drive-qualified or with a ".." segment
    UnsupportedEntry, // symbolic link, device, encrypted
    OverLimit,        // too many entries or too many bytes
    CorruptData,      // CRC error, length mismatch, truncated data
    WriteFailed,
};

struct UnpackResult {
    UnpackError error = UnpackError::None;
    std::string entry; // the entry that failed, as far as it could be read
    bool ok() const { return error == UnpackError::None; }
};

UnpackResult unpack_archive(const std::filesystem::path& archive,
                            const std::filesystem::path& target, const UnpackLimits& limits = {});

} // namespace update

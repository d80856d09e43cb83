#include "update/tree_copy.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace update {

namespace {

namespace fs = std::filesystem;

bool copy_contents(int in, int out, off_t size)
{
    off_t done = 0;
    while (done < size) {
        const ssize_t n =
            ::copy_file_range(in, nullptr, out, nullptr, static_cast<std::size_t>(size - done), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    if (done == size)
        return true;
    // copy_file_range is refused across some file systems; copy by hand from where it stopped.
    char buffer[1 << 16];
    while (true) {
        const ssize_t got = ::pread(in, buffer, sizeof buffer, done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        const char* data = buffer;
        ssize_t left = got;
        while (left > 0) {
            const ssize_t put = ::pwrite(out, data, static_cast<std::size_t>(left), done);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return false;
            data += put;
            left -= put;
            done += put;
        }
    }
}

} // namespace

bool replace_file(const fs::path& source, const fs::path& target, fs::perms perms)
{
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return false;
        // Read-only means no owner write bit, for every user including root.
        if ((existing.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0)
            return false;
    }
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat from {};
    if (::fstat(in, &from) != 0 || !S_ISREG(from.st_mode)) {
        ::close(in);
        return false;
    }
    std::string hidden_name(1, '.');
    hidden_name += target.filename().string();
    hidden_name += ".XXXXXX";
    std::string temp = (target.parent_path() / hidden_name).string();
    const int out = ::mkostemp(temp.data(), O_CLOEXEC);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = copy_contents(in, out, from.st_size) &&
              ::fchmod(out, static_cast<mode_t>(perms & fs::perms::mask)) == 0;
    ::close(in);
    ok = ::close(out) == 0 && ok;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

void copy_tree(const fs::path& source, const fs::path& target,
               const std::function<void()>& between_entries)
{
    std::error_code ec;
    if (!fs::is_directory(target, ec))
        fs::create_directories(target, ec);

    // Files first, then folders; iteration errors end a pass instead of throwing.
    for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code status_ec;
        const fs::file_status status = it->symlink_status(status_ec);
        if (status_ec || !fs::is_regular_file(status))
            continue;
        replace_file(it->path(), target / it->path().filename(), status.permissions());
        if (between_entries)
            between_entries();
    }
    ec.clear();
    for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code status_ec;
        const fs::file_status status = it->symlink_status(status_ec);
        if (status_ec || !fs::is_directory(status) ||
            it->path().filename().string().starts_with('.'))
            continue;
        if (between_entries)
            between_entries();
        copy_tree(it->path(), target / it->path().filename(), between_entries);
    }
}

} // namespace update

#include "support/temp_dir.h"

#include <cstdlib>
#include <system_error>

namespace testsupport {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "varnel-test-XXXXXX").string();
    if (char* made = ::mkdtemp(pattern.data()))
        m_path = made;
}

TempDir::~TempDir()
{
    std::error_code ec;
    if (!m_path.empty()) {
        // Read-only folders made by a test must not leave the tree behind.
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
}

}  // namespace testsupport

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "ProgramFolder.h"

namespace platform {

std::filesystem::path programFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path(ec);
    return exe.parent_path();
}

ProgramFolderLock::ProgramFolderLock(const std::filesystem::path& folder)
{
    const auto lockPath = folder / ".run.lock";
    m_fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

ProgramFolderLock::~ProgramFolderLock()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
    }
}

} // namespace platform

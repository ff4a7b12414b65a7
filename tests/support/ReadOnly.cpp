#include "ReadOnly.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace test_support {
namespace {

bool setImmutable(const std::filesystem::path& path, bool on)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

} // namespace

ReadOnlyGuard::ReadOnlyGuard(const std::filesystem::path& path) : m_path(path)
{
    std::error_code ec;
    if (::geteuid() == 0) {
        m_immutable = m_ok = setImmutable(path, true);
        return;
    }
    m_oldPerms = std::filesystem::status(path, ec).permissions();
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove, ec);
    m_ok = !ec;
}

ReadOnlyGuard::~ReadOnlyGuard()
{
    std::error_code ec;
    if (m_immutable)
        setImmutable(m_path, false);
    else if (m_ok)
        std::filesystem::permissions(m_path, m_oldPerms, ec);
}

} // namespace test_support

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileSystemOps.h"

namespace platform {

int createTempFile(std::string& pathTemplate)
{
    return ::mkstemp(pathTemplate.data());
}

bool writeAllAndSync(int fd, ByteView bytes, std::string* reason)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *reason = std::strerror(errno);
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        *reason = std::strerror(errno);
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        *reason = std::strerror(errno);
        return false;
    }
    return true;
}

namespace {

// Read once while the program starts, before any thread runs: the umask can only be read by setting
// it, and a file created or a program started by another thread in that moment would get none.
const mode_t PROCESS_UMASK = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}();

} // namespace

std::filesystem::perms newFilePermissions()
{
    return static_cast<std::filesystem::perms>(0666 & ~PROCESS_UMASK);
}

long currentProcessId()
{
    return static_cast<long>(::getpid());
}

bool processIsRunning(long pid)
{
    if (pid <= 0)
        return false;
    // Signal 0 checks for the process without sending anything; EPERM means it runs as another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool linkFile(const std::filesystem::path& existing, const std::filesystem::path& newName)
{
    return ::link(existing.c_str(), newName.c_str()) == 0;
}

bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to, std::string* reason)
{
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        *reason = std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace platform

#include "system/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace lv {

FileLock::FileLock(const std::string& lock_path, Kind kind) {
    const bool exclusive = kind == Kind::Exclusive;
    const int create = O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC;
    if (exclusive) {
        m_fd = ::open(lock_path.c_str(), create, 0644);
    } else {
        m_fd = ::open(lock_path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (m_fd < 0 && errno == ENOENT)
            m_fd = ::open(lock_path.c_str(), create, 0644); // where the folder lets us
    }
    if (m_fd < 0)
        return;
    while (::flock(m_fd, exclusive ? LOCK_EX : LOCK_SH) != 0) {
        if (errno != EINTR) {
            int saved = errno;
            ::close(m_fd);
            m_fd = -1;
            errno = saved;
            return;
        }
    }
}

FileLock::~FileLock() {
    if (m_fd >= 0)
        ::close(m_fd); // closing lets go of the lock
}

} // namespace lv

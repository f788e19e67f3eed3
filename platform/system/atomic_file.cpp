#include "system/atomic_file.h"

#include "system/file_object.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace lv {

bool read_whole_file(const std::string& host_path, std::string& contents) {
    int fd = ::open(host_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buffer[1 << 16];
    bool ok = true;
    for (;;) {
        long long n = read_all(fd, buffer, sizeof buffer);
        if (n < 0) {
            ok = false;
            break;
        }
        contents.append(buffer, static_cast<std::size_t>(n));
        if (n < static_cast<long long>(sizeof buffer))
            break;
    }
    int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

bool replace_file_atomically(const std::string& host_path, std::string_view contents,
                             unsigned mode) {
    static std::atomic<unsigned> counter{0};
    struct stat existing {};
    if (::stat(host_path.c_str(), &existing) == 0)
        mode = existing.st_mode & 07777;
    std::string temporary =
        host_path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(counter++);
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    bool ok = write_all(fd, contents.data(), contents.size()) ==
                  static_cast<long long>(contents.size()) &&
              ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temporary.c_str(), host_path.c_str()) != 0) {
        int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        return false;
    }
    auto slash = host_path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : host_path.substr(0, slash + 1);
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir); // the rename itself reaches the disk too
        ::close(dir);
    }
    return true;
}

} // namespace lv

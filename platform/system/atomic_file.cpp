#include "system/atomic_file.h"

#include "system/file_object.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace lv {
namespace {

// Names taken by someone else (a writer of another process, a planted link) are passed over.
constexpr int kNameAttempts = 1000;

} // namespace

void sync_folder_of(const std::string& host_path) {
    auto slash = host_path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : host_path.substr(0, slash + 1);
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return;
    ::fsync(dir);
    ::close(dir);
}

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

ReplacementFile::ReplacementFile(std::string target, unsigned mode) : m_target(std::move(target)) {
    static std::atomic<unsigned> counter{0};
    const std::string stem = m_target + ".tmp." + std::to_string(::getpid()) + ".";
    for (int attempt = 0; attempt < kNameAttempts && m_fd < 0; ++attempt) {
        m_path = stem + std::to_string(counter++);
        m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0)
        m_path.clear();
}

ReplacementFile::~ReplacementFile() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_path.empty()) {
        int saved = errno;
        ::unlink(m_path.c_str());
        errno = saved;
    }
}

bool ReplacementFile::commit() {
    if (m_fd < 0)
        return false;
    bool ok = ::fsync(m_fd) == 0;
    ok = ::close(m_fd) == 0 && ok;
    m_fd = -1;
    if (!ok || ::rename(m_path.c_str(), m_target.c_str()) != 0)
        return false;
    m_path.clear();
    sync_folder_of(m_target); // the rename itself reaches the disk too
    return true;
}

bool replace_file_atomically(const std::string& host_path, std::string_view contents,
                             unsigned mode) {
    struct stat existing {};
    if (::stat(host_path.c_str(), &existing) == 0)
        mode = existing.st_mode & 07777;
    ReplacementFile file(host_path, mode);
    if (file.fd() < 0)
        return false;
    if (write_all(file.fd(), contents.data(), contents.size()) !=
        static_cast<long long>(contents.size()))
        return false;
    return file.commit();
}

} // namespace lv

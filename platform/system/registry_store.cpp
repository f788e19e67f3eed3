#include "system/registry_store.h"

#include "system/atomic_file.h"
#include "system/paths.h"
#include "win32/errors.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <mutex>

namespace lv {
namespace {

struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modified_ns = 0;
    long long changed_ns = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct CachedHive {
    FileIdentity identity;
    std::unique_ptr<RegistryKey> root;
};

std::mutex& registry_mutex() {
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

std::map<std::string, CachedHive>& cache() {
    static auto* hives = new std::map<std::string, CachedHive>;
    return *hives;
}

const char* hive_name(HiveId hive) {
    return hive == HiveId::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

FileIdentity identify(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return FileIdentity{true,
                        info.st_dev,
                        info.st_ino,
                        info.st_size,
                        info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec,
                        info.st_ctim.tv_sec * 1'000'000'000LL + info.st_ctim.tv_nsec};
}

class LockFile {
public:
    LockFile(const std::string& folder, bool exclusive) {
        m_fd = ::open((folder + "/.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0)
            return;
        while (::flock(m_fd, exclusive ? LOCK_EX : LOCK_SH) != 0) {
            if (errno != EINTR) {
                ::close(m_fd);
                m_fd = -1;
                return;
            }
        }
    }
    ~LockFile() {
        if (m_fd >= 0)
            ::close(m_fd); // closing lets go of the lock
    }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace

LONG with_hive(HiveId hive, bool write, const HiveWork& work) {
    std::lock_guard guard(registry_mutex());
    std::string folder = layer_root() + "/registry";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    LockFile lock(folder, write);
    if (!lock.held())
        return write ? ERROR_CANTWRITE : ERROR_CANTOPEN;

    std::string path = folder + "/" + hive_name(hive) + ".reg";
    CachedHive& cached = cache()[path];
    FileIdentity now = identify(path);
    if (!cached.root || !(now == cached.identity)) {
        std::unique_ptr<RegistryKey> root;
        if (now.exists) {
            std::string text;
            if (!read_whole_file(path, text))
                return ERROR_CANTREAD;
            auto parsed = parse_hive(text);
            if (!parsed)
                return ERROR_BADDB; // a damaged hive is left as it is for someone to look at
            root = std::move(*parsed);
        } else {
            root = std::make_unique<RegistryKey>();
        }
        cached.root = std::move(root);
        cached.identity = now;
    }

    bool changed = false;
    LONG result = work(*cached.root, changed);
    if (!changed)
        return result;
    if (!write || result != ERROR_SUCCESS ||
        !replace_file_atomically(path, serialize_hive(*cached.root, hive_name(hive)))) {
        cached.root.reset(); // memory and file differ: read the file again next time
        return result != ERROR_SUCCESS ? result : ERROR_CANTWRITE;
    }
    cached.identity = identify(path);
    return ERROR_SUCCESS;
}

} // namespace lv

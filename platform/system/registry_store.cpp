#include "system/registry_store.h"

#include "system/atomic_file.h"
#include "system/file_lock.h"
#include "system/paths.h"
#include "win32/errors.h"

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <set>

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

// Replacement files of writers that were killed before their rename. Any lock on the folder
// means no writer is between creating its file and renaming it, so every one found is stale;
// they are looked for once per process.
void remove_stale_replacements(const std::string& folder) {
    static auto* swept = new std::set<std::string>;
    if (!swept->insert(folder).second)
        return;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".reg.tmp.") != std::string::npos)
            std::filesystem::remove(entry.path(), ec);
    }
}

} // namespace

LONG with_hive(HiveId hive, bool write, const HiveWork& work) {
    std::lock_guard guard(registry_mutex());
    std::string folder = layer_root() + "/registry";
    if (write) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
    }
    // A reader that finds no lock file it may open reads what is there: hives are only ever
    // replaced whole, so it sees the old or the new one.
    FileLock lock(folder + "/.lock", write ? FileLock::Kind::Exclusive : FileLock::Kind::Shared);
    if (write && !lock.held())
        return ERROR_CANTWRITE;
    if (lock.held())
        remove_stale_replacements(folder);

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

// Locks that our processes share through a lock file (flock): many readers or one writer.
#pragma once

#include <string>

namespace lv {

class FileLock {
public:
    enum class Kind { Shared, Exclusive };

    // Exclusive: opens the lock file read-write, creating it when missing. Shared: opens what
    // is there read-only, so that a read-only folder can still be read, and creates the file
    // only where it is missing and the folder allows it; otherwise the lock stays unheld.
    FileLock(const std::string& lock_path, Kind kind);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace lv

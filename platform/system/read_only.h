// The platform's read-only attribute of a file is its owner's write permission on the host.
#pragma once

#include <sys/stat.h>

namespace lv {

inline bool is_read_only(mode_t mode) {
    return (mode & S_IWUSR) == 0;
}

// A regular file that the read-only attribute keeps from being deleted or replaced.
inline bool refuses_removal(const struct stat& info) {
    return S_ISREG(info.st_mode) && is_read_only(info.st_mode);
}

} // namespace lv

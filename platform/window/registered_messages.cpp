// RegisterWindowMessage: one number per name (compared without case) from 0xC000 up.
#include "win32/errors.h"
#include "win32/window.h"

#include <map>
#include <mutex>
#include <string>
#include <strings.h>

namespace {

constexpr UINT kFirst = 0xC000;
constexpr UINT kLast = 0xFFFF;

struct Caseless {
    bool operator()(const std::string& a, const std::string& b) const {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    }
};

} // namespace

UINT RegisterWindowMessageA(LPCSTR name) {
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    static std::mutex mutex;
    static std::map<std::string, UINT, Caseless> numbers;
    std::lock_guard lock(mutex);
    auto it = numbers.find(name);
    if (it != numbers.end())
        return it->second;
    UINT next = kFirst + static_cast<UINT>(numbers.size());
    if (next > kLast) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    numbers.emplace(name, next);
    return next;
}

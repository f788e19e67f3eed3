#include "system/handle_table.h"

#include "win32/errors.h"
#include "win32/system.h"

#include <mutex>
#include <unordered_map>

namespace lv {
namespace {

struct Table {
    std::mutex mutex;
    std::unordered_map<ULONG_PTR, std::shared_ptr<KernelObject>> objects;
    ULONG_PTR next = 0x100;
};

Table& table() {
    static Table* instance = new Table; // outlives static destructors of other objects
    return *instance;
}

} // namespace

HANDLE insert_handle(std::shared_ptr<KernelObject> object) {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    ULONG_PTR value = t.next;
    t.next += 4; // multiples of four, as the platform's handles are
    if (t.next >= 0x7FFFFFF0)
        t.next = 0x100;
    t.objects[value] = std::move(object);
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> find_handle(HANDLE handle) {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.objects.find(reinterpret_cast<ULONG_PTR>(handle));
    return it == t.objects.end() ? nullptr : it->second;
}

std::shared_ptr<KernelObject> remove_handle(HANDLE handle) {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.objects.find(reinterpret_cast<ULONG_PTR>(handle));
    if (it == t.objects.end())
        return nullptr;
    auto object = std::move(it->second);
    t.objects.erase(it);
    return object;
}

} // namespace lv

BOOL CloseHandle(HANDLE object) {
    auto removed = lv::remove_handle(object);
    if (!removed) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

#include "gdi/handle_table.h"

#include <mutex>
#include <shared_mutex>
#include <unordered_map>

namespace lv::gdi {
namespace {

// Handles carry their kind in the low bits and start above the range of resource ids.
constexpr std::uintptr_t kKindBits = 4;
constexpr std::uintptr_t kFirstSerial = 0x1000;

struct Table {
    std::shared_mutex mutex; // lookups share it; adding and removing take it alone
    std::unordered_map<std::uintptr_t, std::shared_ptr<Object>> live;
    std::uintptr_t next_serial{kFirstSerial};
};

Table& table() {
    static Table* t = new Table; // never destroyed: handles may be released from static destructors
    return *t;
}

} // namespace

void* add_handle(std::shared_ptr<Object> object) {
    if (!object) {
        return nullptr;
    }
    Table& t = table();
    std::lock_guard lock(t.mutex);
    std::uintptr_t value =
        (t.next_serial++ << kKindBits) | static_cast<std::uintptr_t>(object->kind());
    object->m_handle = reinterpret_cast<void*>(value);
    t.live.emplace(value, std::move(object));
    return reinterpret_cast<void*>(value);
}

std::shared_ptr<Object> find_any_handle(const void* handle) {
    Table& t = table();
    std::shared_lock lock(t.mutex);
    auto it = t.live.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == t.live.end() ? nullptr : it->second;
}

std::shared_ptr<Object> find_handle(const void* handle, Kind kind) {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    if ((value & ((1u << kKindBits) - 1)) != static_cast<std::uintptr_t>(kind)) {
        return nullptr;
    }
    return find_any_handle(handle);
}

std::shared_ptr<Object> remove_handle(const void* handle, Kind kind) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.live.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == t.live.end() || it->second->kind() != kind) {
        return nullptr;
    }
    std::shared_ptr<Object> object = std::move(it->second);
    t.live.erase(it);
    return object;
}

} // namespace lv::gdi

// GDI handles: opaque values checked against one live table. A handle is never reused, so a
// stale handle or one of the wrong kind is simply not found and the call fails cleanly.
#pragma once

#include <cstdint>
#include <memory>

namespace lv::gdi {

enum class Kind : std::uint8_t {
    dc = 1,
    bitmap,
    brush,
    pen,
    font,
    region,
    palette,
    icon,
    metafile
};

class Object {
public:
    explicit Object(Kind kind) : m_kind(kind) {}
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    Kind kind() const { return m_kind; }
    void* handle() const { return m_handle; }
    // Stock objects ignore DeleteObject.
    bool stock() const { return m_stock; }
    void make_stock() { m_stock = true; }

private:
    friend void* add_handle(std::shared_ptr<Object> object);
    Kind m_kind;
    void* m_handle{nullptr};
    bool m_stock{false};
};

// Enters the object into the table and returns its new handle.
void* add_handle(std::shared_ptr<Object> object);
std::shared_ptr<Object> find_handle(const void* handle, Kind kind);
// Any kind; null when the handle is not live.
std::shared_ptr<Object> find_any_handle(const void* handle);
// Takes the object out of the table; users that hold it keep it alive until they let go.
std::shared_ptr<Object> remove_handle(const void* handle, Kind kind);

template <typename T> std::shared_ptr<T> find(const void* handle) {
    return std::static_pointer_cast<T>(find_handle(handle, T::kKind));
}

template <typename T, typename H> H handle_of(const std::shared_ptr<T>& object) {
    return static_cast<H>(object ? object->handle() : nullptr);
}

} // namespace lv::gdi

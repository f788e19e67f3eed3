// The process's table of kernel object handles. Values are never reused, so a closed handle
// stays invalid instead of reaching a later object.
#pragma once

#include "win32/types.h"

#include <memory>

namespace lv {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

HANDLE insert_handle(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> find_handle(HANDLE handle);
// Removes the handle; the object dies when its last user lets go of it. Null when not live.
std::shared_ptr<KernelObject> remove_handle(HANDLE handle);

template <class T> std::shared_ptr<T> find_handle_of(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(find_handle(handle));
}

} // namespace lv

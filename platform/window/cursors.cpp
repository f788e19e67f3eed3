// Cursors as handles: the system's arrow is the one cursor anything asks for. The pointer's
// look is the display's own, so a cursor handle only needs to be stable and distinct.
#include "win32/errors.h"
#include "win32/resources.h"
#include "win32/window.h"

namespace {

struct SystemCursor {
    WORD id;
};

constexpr SystemCursor kSystemCursors[] = {{32512}};

} // namespace

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (!instance && IS_INTRESOURCE(name)) {
        const auto id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
        for (const SystemCursor& cursor : kSystemCursors)
            if (cursor.id == id)
                return reinterpret_cast<HCURSOR>(const_cast<SystemCursor*>(&cursor));
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    // FindResource leaves the reason.
    if (!FindResourceA(instance, name, RT_GROUP_CURSOR))
        return nullptr;
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
}

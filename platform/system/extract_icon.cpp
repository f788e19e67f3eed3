#include "system/paths.h"
#include "system/resources_registry.h"
#include "win32/files.h"
#include "win32/gdi.h"
#include "win32/resources.h"

#include <vector>

namespace {

bool is_running_program(LPCSTR file) {
    char own[MAX_PATH] = {};
    if (GetModuleFileNameA(nullptr, own, MAX_PATH) == 0)
        return false;
    const std::string wanted = lv::to_host_path(file);
    return !wanted.empty() && wanted == lv::to_host_path(own);
}

} // namespace

UINT ExtractIconExA(LPCSTR file, int index, HICON* large, HICON* small, UINT icons) {
    if (!file || !is_running_program(file))
        return 0;
    const std::vector<WORD> ids = lv::resources::ids_of_type(RT_ICON);
    if (index == -1 && !large && !small)
        return static_cast<UINT>(ids.size());
    if (index < 0)
        return 0;
    // The extraction stops at the first icon that does not load.
    UINT extracted = 0;
    for (; extracted < icons && static_cast<std::size_t>(index) + extracted < ids.size();
         ++extracted) {
        LPCSTR name = MAKEINTRESOURCE(ids[static_cast<std::size_t>(index) + extracted]);
        HICON big = large ? LoadIconA(nullptr, name) : nullptr;
        HICON little = small ? LoadIconA(nullptr, name) : nullptr;
        if ((large && !big) || (small && !little)) {
            if (big)
                DestroyIcon(big);
            if (little)
                DestroyIcon(little);
            break;
        }
        if (large)
            large[extracted] = big;
        if (small)
            small[extracted] = little;
    }
    return extracted;
}

// Menu resources: the template rescomp stores under RT_MENU becomes a menu with its popups.
#include "gdi/packed_dib.h"
#include "menu/menu_template.h"
#include "win32/errors.h"
#include "win32/menu.h"
#include "win32/resources.h"

namespace lv::menu {
namespace {

// A template's items carry texts: options that would read the text as a handle are dropped.
constexpr UINT kPictureFlags = MF_BITMAP | MF_OWNERDRAW;

// An item with no options, no id and no text is the template's separator.
bool append_items(HMENU menu, const std::vector<TemplateItem>& items) {
    for (const TemplateItem& item : items) {
        if (item.popup()) {
            HMENU submenu = CreatePopupMenu();
            if (!append_items(submenu, item.children) ||
                !AppendMenuA(menu, item.options & ~kPictureFlags,
                             reinterpret_cast<UINT_PTR>(submenu), item.text.c_str())) {
                DestroyMenu(submenu);
                return false;
            }
            continue;
        }
        UINT flags = item.options;
        if (flags == 0 && item.id == 0 && item.text.empty())
            flags = MF_SEPARATOR;
        if (!AppendMenuA(menu, flags & ~kPictureFlags, item.id, item.text.c_str()))
            return false;
    }
    return true;
}

} // namespace
} // namespace lv::menu

HMENU LoadMenuA(HINSTANCE instance, LPCSTR name) {
    HRSRC found = FindResourceA(instance, name, RT_MENU);
    if (!found) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    auto items = lv::menu::parse_menu_template(lv::gdi::resource_bytes(instance, found));
    if (!items) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    HMENU menu = CreateMenu();
    if (!lv::menu::append_items(menu, *items)) {
        DestroyMenu(menu);
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return menu;
}

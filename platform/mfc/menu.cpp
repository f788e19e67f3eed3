#include "mfc/menu.h"

#include "mfc/winapp.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

std::mutex g_menu_mutex;
std::unordered_map<HMENU, CMenu*> g_permanent_menus;

// Objects made by FromHandle for menus without one; one per menu, replaced once the menu has
// gone. They never own their menu.
struct TemporaryMenu {
    CMenu menu;
    ~TemporaryMenu() { menu.m_hMenu = nullptr; }
};
thread_local std::unordered_map<HMENU, std::unique_ptr<TemporaryMenu>> t_temporary_menus;

void drop_dead_temporaries() {
    for (auto it = t_temporary_menus.begin(); it != t_temporary_menus.end();) {
        if (::IsMenu(it->first))
            ++it;
        else
            it = t_temporary_menus.erase(it);
    }
}

} // namespace

namespace lv::mfc {

CMenu* permanent_menu_with_item(UINT id) {
    std::lock_guard lock(g_menu_mutex);
    for (const auto& [handle, menu] : g_permanent_menus)
        if (::GetMenuState(handle, id, MF_BYCOMMAND) != static_cast<UINT>(-1))
            return menu;
    return nullptr;
}

} // namespace lv::mfc

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandlePermanent(HMENU menu) {
    if (menu == nullptr)
        return nullptr;
    std::lock_guard lock(g_menu_mutex);
    const auto it = g_permanent_menus.find(menu);
    return it == g_permanent_menus.end() ? nullptr : it->second;
}

CMenu* CMenu::FromHandle(HMENU menu) {
    if (menu == nullptr)
        return nullptr;
    if (CMenu* permanent = FromHandlePermanent(menu))
        return permanent;
    auto it = t_temporary_menus.find(menu);
    if (it == t_temporary_menus.end()) {
        drop_dead_temporaries();
        it = t_temporary_menus.emplace(menu, std::make_unique<TemporaryMenu>()).first;
        it->second->menu.m_hMenu = menu;
    }
    return &it->second->menu;
}

BOOL CMenu::Attach(HMENU menu) {
    if (m_hMenu != nullptr || !::IsMenu(menu))
        return FALSE;
    std::lock_guard lock(g_menu_mutex);
    if (!g_permanent_menus.emplace(menu, this).second)
        return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    if (menu == nullptr)
        return nullptr;
    {
        std::lock_guard lock(g_menu_mutex);
        const auto it = g_permanent_menus.find(menu);
        if (it != g_permanent_menus.end() && it->second == this)
            g_permanent_menus.erase(it);
    }
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::CreateMenu() {
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu() {
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR name) {
    return Attach(::LoadMenuA(AfxGetResourceHandle(), name));
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    int length = ::GetMenuStringA(m_hMenu, item, nullptr, 0, flags);
    if (length <= 0) {
        text.Empty();
        return 0;
    }
    LPTSTR buffer = text.GetBuffer(length + 1);
    int copied = ::GetMenuStringA(m_hMenu, item, buffer, length + 1, flags);
    text.ReleaseBuffer(copied);
    return copied;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT) {
    return ::TrackPopupMenuEx(m_hMenu, flags, x, y, owner ? owner->m_hWnd : nullptr, nullptr);
}

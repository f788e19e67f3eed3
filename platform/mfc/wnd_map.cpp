// The handle map: which CWnd object belongs to which window, for every thread.
#include "mfc/wnd.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

std::mutex g_map_mutex;
std::unordered_map<HWND, CWnd*> g_permanent;

// Objects made by FromHandle for windows without one; one per window, replaced once the
// window has gone. They never own their window.
struct TemporaryWnd {
    CWnd wnd;
    ~TemporaryWnd() { wnd.m_hWnd = nullptr; }
};
thread_local std::unordered_map<HWND, std::unique_ptr<TemporaryWnd>> t_temporaries;

void drop_dead_temporaries() {
    for (auto it = t_temporaries.begin(); it != t_temporaries.end();) {
        if (::IsWindow(it->first))
            ++it;
        else
            it = t_temporaries.erase(it);
    }
}

} // namespace

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    std::lock_guard lock(g_map_mutex);
    const auto it = g_permanent.find(hwnd);
    return it == g_permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hwnd))
        return permanent;
    auto it = t_temporaries.find(hwnd);
    if (it == t_temporaries.end()) {
        drop_dead_temporaries();
        it = t_temporaries.emplace(hwnd, std::make_unique<TemporaryWnd>()).first;
        it->second->wnd.m_hWnd = hwnd;
    }
    return &it->second->wnd;
}

BOOL CWnd::Attach(HWND hwnd) {
    if (m_hWnd != nullptr || hwnd == nullptr || !::IsWindow(hwnd))
        return FALSE;
    std::lock_guard lock(g_map_mutex);
    if (!g_permanent.emplace(hwnd, this).second)
        return FALSE;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd == nullptr)
        return nullptr;
    {
        std::lock_guard lock(g_map_mutex);
        const auto it = g_permanent.find(hwnd);
        if (it != g_permanent.end() && it->second == this)
            g_permanent.erase(it);
    }
    m_hWnd = nullptr;
    return hwnd;
}

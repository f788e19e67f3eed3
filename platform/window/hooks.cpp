#include "window/hooks.h"

#include "win32/errors.h"
#include "window/thread_id.h"
#include "window/window_table.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

namespace lv::window {
namespace {

constexpr int kFirstType = WH_MSGFILTER;
constexpr int kLastType = WH_MOUSE_LL;

struct Hook {
    HHOOK handle = nullptr;
    int type = 0;
    DWORD thread = 0;
    HOOKPROC proc = nullptr;
};

struct HookTable {
    std::mutex mutex;
    std::vector<Hook> hooks; // newest last
    std::uintptr_t next_handle = 0x20010;
};

HookTable& hooks_table() {
    static auto* t = new HookTable;
    return *t;
}

bool supported(int type) {
    switch (type) {
    case WH_MSGFILTER:
    case WH_KEYBOARD:
    case WH_GETMESSAGE:
    case WH_CALLWNDPROC:
    case WH_CBT:
    case WH_CALLWNDPROCRET:
        return true;
    default:
        return false;
    }
}

// The chain the calling thread runs for `type`: its own hooks newest first, then global ones.
std::vector<Hook> chain_for(int type, DWORD thread) {
    auto& t = hooks_table();
    std::lock_guard lock(t.mutex);
    std::vector<Hook> chain;
    for (auto it = t.hooks.rbegin(); it != t.hooks.rend(); ++it)
        if (it->type == type && it->thread == thread)
            chain.push_back(*it);
    for (auto it = t.hooks.rbegin(); it != t.hooks.rend(); ++it)
        if (it->type == type && it->thread == 0)
            chain.push_back(*it);
    return chain;
}

} // namespace

bool has_hooks(int type) {
    auto& t = hooks_table();
    DWORD thread = current_thread_id();
    std::lock_guard lock(t.mutex);
    return std::any_of(t.hooks.begin(), t.hooks.end(), [&](const Hook& h) {
        return h.type == type && (h.thread == thread || h.thread == 0);
    });
}

LRESULT call_hooks(int type, int code, WPARAM wparam, LPARAM lparam) {
    auto chain = chain_for(type, current_thread_id());
    if (chain.empty())
        return 0;
    expect_tree_unlocked();
    return chain.front().proc(code, wparam, lparam);
}

void remove_thread_hooks(DWORD thread) {
    auto& t = hooks_table();
    std::lock_guard lock(t.mutex);
    std::erase_if(t.hooks, [&](const Hook& h) { return h.thread == thread; });
}

} // namespace lv::window

using namespace lv::window;

HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadId) {
    if (idHook < kFirstType || idHook > kLastType || !proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!supported(idHook)) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return nullptr;
    }
    auto& t = hooks_table();
    std::lock_guard lock(t.mutex);
    Hook hook;
    hook.handle = reinterpret_cast<HHOOK>(t.next_handle);
    t.next_handle += 0x10;
    hook.type = idHook;
    hook.thread = threadId;
    hook.proc = proc;
    t.hooks.push_back(hook);
    return hook.handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    auto& t = hooks_table();
    std::lock_guard lock(t.mutex);
    auto it = std::find_if(t.hooks.begin(), t.hooks.end(),
                           [&](const Hook& h) { return h.handle == hook; });
    if (it == t.hooks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    t.hooks.erase(it);
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    int type = 0;
    {
        auto& t = hooks_table();
        std::lock_guard lock(t.mutex);
        auto it = std::find_if(t.hooks.begin(), t.hooks.end(),
                               [&](const Hook& h) { return h.handle == hook; });
        if (it == t.hooks.end())
            return 0;
        type = it->type;
    }
    auto chain = chain_for(type, current_thread_id());
    auto at =
        std::find_if(chain.begin(), chain.end(), [&](const Hook& h) { return h.handle == hook; });
    if (at == chain.end() || ++at == chain.end())
        return 0;
    expect_tree_unlocked();
    return at->proc(code, wParam, lParam);
}

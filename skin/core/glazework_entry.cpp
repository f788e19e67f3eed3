#include "skin/core/glazework.h"

#include "skin/core/glazework_state.h"
#include "skin/core/mem_stream.h"
#include "skin/core/skin_manager.h"
#include "skin/core/skin_os_class.h"
#include "skin/skinners/scroll_api_hooks.h"
#include "skin/skinners/skin_popup_menu_wnd.h"

#include <cstring>

namespace {

using glazework::State;
using glazework::ToolkitState;

constexpr char kProbeClass[] = "Glazework_XP_Compatible";
constexpr UINT kProbeClassStyle = 0x840;
constexpr std::size_t kSkinGrowStep = 10240;

// Unhooks the calling thread; true when it was hooked.
bool UnhookThread(ToolkitState& s) {
    const DWORD thread = GetCurrentThreadId();
    bool hooked = false;
    for (auto* hooks : {&s.callWndProcHooks, &s.keyboardHooks}) {
        const auto found = hooks->find(thread);
        if (found == hooks->end())
            continue;
        UnhookWindowsHookEx(found->second);
        hooks->erase(found);
        hooked = true;
    }
    return hooked;
}

bool InterceptsScrollApis(const ToolkitState& s) {
    return s.osClass < 0 || s.osClass > 3;
}

// The popup-menu class and the scroll interception live exactly while a thread is started: a
// start-up that fails, and the last shut-down, take them away again.
void TearDownProcess(ToolkitState& s) {
    s.processReady = false;
    UnregisterPopupMenuClass(s.instance);
    if (InterceptsScrollApis(s))
        GlazeworkUnhookScrollApis();
}

bool HookThread(ToolkitState& s, std::map<DWORD, HHOOK>& hooks, int type, HOOKPROC proc) {
    const DWORD thread = GetCurrentThreadId();
    if (hooks.count(thread))
        return true;
    HHOOK hook = SetWindowsHookExA(type, proc, s.instance, thread);
    if (!hook)
        return false;
    hooks.emplace(thread, hook);
    return true;
}

} // namespace

int GlazeworkProbeXpButton(HINSTANCE instance) {
    WNDCLASSEXA probe{};
    probe.cbSize = sizeof probe;
    probe.style = kProbeClassStyle;
    probe.lpfnWndProc = &DefWindowProcA;
    probe.hInstance = instance;
    probe.hCursor = LoadCursorA(instance, IDC_ARROW);
    probe.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    probe.lpszClassName = kProbeClass;
    // A start-up after a shut-down finds the class from the first one.
    if (!RegisterClassExA(&probe) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return 0;
    HWND top = CreateWindowExA(0, kProbeClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 1, 1, nullptr,
                               nullptr, instance, nullptr);
    if (!top)
        return 0;
    HWND button =
        CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, instance, nullptr);
    if (button) {
        State().systemButtonProc =
            reinterpret_cast<WNDPROC>(GetClassLongPtrA(button, GCLP_WNDPROC));
        DestroyWindow(button);
    }
    DestroyWindow(top);
    return 1;
}

int GlazeworkStartup(HINSTANCE instance, const char*, DWORD, DWORD) {
    ToolkitState& s = State();
    // One lock for the whole start: two first start-ups cannot both set the process up.
    std::lock_guard guard(s.lock);
    if (!s.processReady) {
        s.instance = instance;
        if (!RegisterPopupMenuClass(instance))
            return 0;
        s.osClass = GlazeworkGetOsClass();
        if (InterceptsScrollApis(s))
            GlazeworkHookScrollApis();
        s.processReady = true;
        if (s.osClass == kOsClassXp && !GlazeworkProbeXpButton(instance)) {
            TearDownProcess(s);
            return 0;
        }
    }
    if (!HookThread(s, s.callWndProcHooks, WH_CALLWNDPROC, &GlazeworkCallWndProcHook) ||
        !HookThread(s, s.keyboardHooks, WH_KEYBOARD, &GlazeworkKeyboardHookProc)) {
        // A thread is started with both hooks or not at all.
        UnhookThread(s);
        if (s.callWndProcHooks.empty())
            TearDownProcess(s);
        return 0;
    }
    return 1;
}

int GlazeworkLoadSkinResource(HINSTANCE instance, const char* resourceName,
                              const char* resourceType) {
    HRSRC found = FindResourceA(instance, resourceName, resourceType);
    if (!found)
        return 0;
    HGLOBAL loaded = LoadResource(instance, found);
    if (!loaded)
        return 0;
    const void* bytes = LockResource(loaded);
    const DWORD size = SizeofResource(instance, found);
    if (!bytes)
        return 0;
    MemStream stream(bytes, size, kSkinGrowStep);
    auto skin = std::make_unique<SkinData>();
    if (!skin->Load(stream))
        return 0;
    return SkinManager::Instance().SetSkin(std::move(skin));
}

int GlazeworkSetDialogSkinName(const char* skinObjectName) {
    ToolkitState& s = State();
    std::lock_guard guard(s.lock);
    lstrcpynA(s.dialogSkinName.data(), skinObjectName ? skinObjectName : "",
              static_cast<int>(glazework::kDialogSkinNameSize - 1));
    s.dialogSkinName.back() = '\0';
    return 1;
}

int GlazeworkClearDialogSkinName() {
    return GlazeworkSetDialogSkinName("");
}

int GlazeworkSetWindowSkinName(const char* skinObjectName) {
    ToolkitState& s = State();
    std::lock_guard guard(s.lock);
    lstrcpynA(s.windowSkinName.data(), skinObjectName ? skinObjectName : "",
              static_cast<int>(glazework::kDialogSkinNameSize - 1));
    s.windowSkinName.back() = '\0';
    return 1;
}

int GlazeworkClearWindowSkinName() {
    return GlazeworkSetWindowSkinName("");
}

void GlazeworkShutdown() {
    ToolkitState& s = State();
    std::lock_guard guard(s.lock);
    UnhookThread(s);
    if (!s.callWndProcHooks.empty() || !s.processReady)
        return;
    GlazeworkClearDialogSkinName();
    GlazeworkClearWindowSkinName();
    SkinManager::Instance().RemoveAll();
    TearDownProcess(s);
}

// The two per-thread hooks: new windows are handed to the skinners, and menu keys to the
// skinned window (or open skinned popup menu) that may take them.
#include "skin/core/glazework.h"

#include "skin/core/glazework_state.h"
#include "skin/core/skin_manager.h"
#include "skin/core/skin_paint_utils.h"
#include "skin/skinners/skin_messages.h"
#include "skin/skinners/skin_wnd.h"

#include <cstring>
#include <string>

namespace {

using glazework::ToolkitState;

constexpr char kDialogClass[] = "#32770";
constexpr char kToolbarClass[] = "ToolbarWindow32";
constexpr char kReBarClass[] = "ReBarWindow32";
constexpr char kControlBarPrefix[] = "AfxControlBar";
constexpr char kPopupMenuObjectProperty[] = "this";
constexpr LPARAM kReleasedBit = static_cast<LPARAM>(1u << 31);

// A toolbar floating in a tool window of its own, which nothing skinned holds; toolbars in
// rebars and in the class library's control bars are skinned with those.
bool IsFloatingToolbarFrame(HWND parent) {
    char parentClass[100] = {};
    if (GetClassNameA(parent, parentClass, sizeof parentClass) == 0)
        return false;
    if (std::strcmp(parentClass, kReBarClass) == 0 ||
        std::strncmp(parentClass, kControlBarPrefix, sizeof kControlBarPrefix - 1) == 0)
        return false;
    return GetParent(parent) && (GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

void OnWindowCreated(HWND hwnd) {
    char className[100] = {};
    if (GetClassNameA(hwnd, className, sizeof className) == 0)
        return;
    SkinManager& manager = SkinManager::Instance();
    const std::string dialogSkin = glazework::DialogSkinName();
    if (std::strcmp(className, kDialogClass) == 0 && !dialogSkin.empty()) {
        manager.SkinDialog(hwnd, dialogSkin.c_str());
        return;
    }
    const std::string windowSkin = glazework::WindowSkinName();
    if (!windowSkin.empty() && GlazeworkIsSizableToolWindow(hwnd)) {
        manager.SkinWindow(hwnd, windowSkin.c_str());
        return;
    }
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    if (SkinWnd* skinner = manager.FindForWindow(parent)) {
        skinner->SkinChild(hwnd);
        return;
    }
    if (std::strcmp(className, kToolbarClass) == 0 && IsFloatingToolbarFrame(parent))
        manager.SkinToolbar(hwnd);
}

bool IsSkinnedPopupMenu(HWND hwnd) {
    char className[100] = {};
    return hwnd && GetClassNameA(hwnd, className, sizeof className) != 0 &&
           lstrcmpiA(className, kGlazeworkPopupMenuClass) == 0 &&
           GetPropA(hwnd, kPopupMenuObjectProperty) != nullptr;
}

// The top-level window above a window, climbing through child windows only.
HWND RootOf(HWND hwnd) {
    while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) && GetParent(hwnd))
        hwnd = GetParent(hwnd);
    return hwnd;
}

// Which key a receiver is offered: F10 up and down, the release of Alt itself as -1, and every
// other key as it goes down (with Alt held a menu key; without it, a key for a menu bar that
// Alt alone or F10 highlighted; receivers that have no use for it answer 0).
bool MenuKeyOf(WPARAM key, LPARAM data, WPARAM& offered) {
    const bool released = (data & kReleasedBit) != 0;
    if (key == VK_F10) {
        offered = key;
        return true;
    }
    if (key == VK_MENU) {
        offered = static_cast<WPARAM>(-1);
        return released;
    }
    offered = key;
    return !released;
}

// True when a receiver took the key.
bool OfferMenuKey(WPARAM key, LPARAM data) {
    WPARAM offered = 0;
    if (!MenuKeyOf(key, data, offered))
        return false;
    HWND active = GetActiveWindow();
    // An open skinned popup menu comes first; then the window it was opened for.
    if (IsSkinnedPopupMenu(active)) {
        if (SendMessageA(active, GWM_MENUKEY, offered, data) != 0)
            return true;
        active = RootOf(GetWindow(active, GW_OWNER));
    }
    SkinWnd* skinner = FindSkinWnd(active);
    return skinner && skinner->SendMessage(GWM_MENUKEY, offered, data) != 0;
}

} // namespace

LRESULT CALLBACK GlazeworkCallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
    HHOOK hook = glazework::ThreadHook(&ToolkitState::callWndProcHooks);
    if (!hook)
        return 0;
    const auto* record = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && record && record->message == WM_CREATE)
        OnWindowCreated(record->hwnd);
    return CallNextHookEx(hook, code, wParam, lParam);
}

LRESULT CALLBACK GlazeworkKeyboardHookProc(int code, WPARAM virtualKey, LPARAM keyData) {
    HHOOK hook = glazework::ThreadHook(&ToolkitState::keyboardHooks);
    if (!hook)
        return 0;
    if (code == HC_ACTION && OfferMenuKey(virtualKey, keyData))
        return 1;
    return CallNextHookEx(hook, code, virtualKey, keyData);
}

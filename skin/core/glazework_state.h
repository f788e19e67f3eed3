// The toolkit's process-wide state: the hooked threads, the dialog skin name and what the
// start-up learnt about the system. Guarded by its lock, which lives as long as the process.
#pragma once

#include "win32/win32.h"

#include <array>
#include <map>
#include <mutex>
#include <string>

namespace glazework {

constexpr std::size_t kDialogSkinNameSize = 51;

struct ToolkitState {
    std::recursive_mutex lock;
    HINSTANCE instance = nullptr;
    // Thread id to hook; an empty map of window-procedure hooks means "not started".
    std::map<DWORD, HHOOK> callWndProcHooks;
    std::map<DWORD, HHOOK> keyboardHooks;
    std::array<char, kDialogSkinNameSize> dialogSkinName{};
    int osClass = 0;
    bool processReady = false;
    WNDPROC systemButtonProc = nullptr;
};

ToolkitState& State();

// The calling thread's hook of that kind, null when it has none.
HHOOK ThreadHook(const std::map<DWORD, HHOOK> ToolkitState::*hooks);
std::string DialogSkinName();
int OsClass();
// The system "BUTTON" procedure found by the XP probe; null elsewhere.
WNDPROC SystemButtonProc();

} // namespace glazework

#include "skin/core/glazework_state.h"

namespace glazework {

ToolkitState& State() {
    // Never destroyed: windows may be unskinned from static destructors.
    static auto* state = new ToolkitState;
    return *state;
}

HHOOK ThreadHook(const std::map<DWORD, HHOOK> ToolkitState::*hooks) {
    ToolkitState& s = State();
    std::lock_guard guard(s.lock);
    const auto& map = s.*hooks;
    const auto found = map.find(GetCurrentThreadId());
    return found == map.end() ? nullptr : found->second;
}

std::string DialogSkinName() {
    ToolkitState& s = State();
    std::lock_guard guard(s.lock);
    return s.dialogSkinName.data();
}

int OsClass() {
    ToolkitState& s = State();
    std::lock_guard guard(s.lock);
    return s.osClass;
}

WNDPROC SystemButtonProc() {
    ToolkitState& s = State();
    std::lock_guard guard(s.lock);
    return s.systemButtonProc;
}

} // namespace glazework

#include "dialog/dialog_state.h"

#include <map>
#include <mutex>

namespace lv::dialog {
namespace {

struct States {
    std::mutex lock;
    std::map<HWND, DialogStatePtr> by_window;
};

States& states() {
    static auto* s = new States;
    return *s;
}

thread_local PendingDialog t_pending;

} // namespace

DialogState::~DialogState() {
    if (owns_font && font)
        DeleteObject(font);
}

DialogStatePtr dialog_state(HWND hwnd) {
    States& s = states();
    std::lock_guard guard(s.lock);
    const auto found = s.by_window.find(hwnd);
    return found == s.by_window.end() ? nullptr : found->second;
}

void attach_dialog_state(HWND hwnd, DialogStatePtr state) {
    state->hwnd = hwnd;
    States& s = states();
    std::lock_guard guard(s.lock);
    s.by_window[hwnd] = std::move(state);
}

void detach_dialog_state(HWND hwnd) {
    DialogStatePtr gone;
    States& s = states();
    std::lock_guard guard(s.lock);
    const auto found = s.by_window.find(hwnd);
    if (found == s.by_window.end())
        return;
    gone = std::move(found->second);
    s.by_window.erase(found);
}

void set_pending_dialog(PendingDialog pending) {
    t_pending = std::move(pending);
}

PendingDialog take_pending_dialog() {
    PendingDialog taken = std::move(t_pending);
    t_pending = {};
    return taken;
}

} // namespace lv::dialog

#include "dialog/modal_loop.h"

#include "dialog/dialog_create.h"
#include "dialog/dialog_state.h"
#include "dialog/unattended.h"
#include "testing/answer_source.h"
#include "win32/errors.h"
#include "window/message_queue.h"
#include "window/timers.h"

#include <chrono>
#include <iostream>

namespace lv::dialog {
namespace {

// Nothing the thread waits for can still arrive by itself: no timer is set.
bool thread_has_timers() {
    std::uint64_t due = 0;
    return window::next_timer_due(window::current_queue(), due);
}

void hand_to_answer(HWND dialog, const ModalOptions& options) {
    if (options.driver) {
        options.driver(dialog);
        return;
    }
    const auto answer = testing::take_modal_answer();
    if (answer) {
        if (answer->driver) {
            answer->driver(dialog);
            return;
        }
        EndDialog(dialog,
                  options.answer_result ? options.answer_result(answer->result) : answer->result);
        return;
    }
    if (options.unattended_result && nobody_can_answer())
        EndDialog(dialog, *options.unattended_result);
}

// Another thread may still post or send to the dialog (a worker reporting progress): give it
// a moment of real time before deciding that nothing will come.
bool something_arrives_soon() {
    constexpr auto kGrace = std::chrono::milliseconds(300);
    if (thread_has_timers())
        return true;
    window::wait_for_arrival(kGrace);
    MSG probe{};
    return PeekMessageA(&probe, nullptr, 0, 0, PM_NOREMOVE) || thread_has_timers();
}

void cancel_unanswered(HWND dialog) {
    char caption[128] = {};
    GetWindowTextA(dialog, caption, sizeof(caption));
    std::cerr << "DialogBox [" << caption << "]: waits for input that nobody can give; cancelled\n";
    EndDialog(dialog, IDCANCEL);
}

void pump_until_ended(HWND dialog, HWND owner, const DialogState& state) {
    const bool idle_messages =
        owner && !(static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)) & DS_NOIDLEMSG);
    MSG msg{};
    while (!state.ended && IsWindow(dialog)) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (nobody_can_answer() && !thread_has_timers() && !something_arrives_soon()) {
                cancel_unanswered(dialog);
                break;
            }
            if (idle_messages)
                SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

} // namespace

INT_PTR dialog_box(HINSTANCE instance, const DialogTemplate& t, HWND parent, DLGPROC proc,
                   LPARAM param, const ModalOptions& options) {
    HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
    if (owner == GetDesktopWindow())
        owner = nullptr;
    const bool disabled_owner = owner && IsWindowEnabled(owner);
    if (disabled_owner)
        EnableWindow(owner, FALSE);
    HWND dialog = create_dialog(instance, t, owner, proc, param, true);
    const DialogStatePtr state = dialog ? dialog_state(dialog) : nullptr;
    if (!state) {
        if (disabled_owner)
            EnableWindow(owner, TRUE);
        if (dialog)
            DestroyWindow(dialog);
        return -1;
    }
    if (!state->ended) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        UpdateWindow(dialog);
        hand_to_answer(dialog, options);
    }
    pump_until_ended(dialog, owner, *state);
    // The owner comes back before the dialog goes, so that activation returns to it.
    if (disabled_owner)
        EnableWindow(owner, TRUE);
    if (IsWindow(dialog)) {
        const bool was_active = GetActiveWindow() == dialog;
        ShowWindow(dialog, SW_HIDE);
        if (was_active && owner)
            SetActiveWindow(owner);
        DestroyWindow(dialog);
    }
    return state->result;
}

} // namespace lv::dialog

using namespace lv::dialog;

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                DLGPROC proc, LPARAM initParam) {
    const auto t = template_from_memory(dialogTemplate);
    if (!t) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    return dialog_box(instance, *t, parent, proc, initParam, {});
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                        LPARAM initParam) {
    const auto t = template_from_resource(templateName);
    if (!t) {
        if (GetLastError() == 0)
            SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return -1;
    }
    return dialog_box(instance, *t, parent, proc, initParam, {});
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    const DialogStatePtr state = dialog_state(dialog);
    if (!state) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    state->ended = true;
    state->result = result;
    if (!state->modal)
        ShowWindow(dialog, SW_HIDE);
    PostMessageA(dialog, WM_NULL, 0, 0);
    return TRUE;
}

#include "dialog_test_support.h"

namespace dlgtest {

std::vector<Command>& commands() {
    static std::vector<Command> recorded;
    return recorded;
}

void reset_commands() {
    commands().clear();
}

INT_PTR CALLBACK recording_proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG)
        return lParam;
    if (msg != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    commands().push_back({id, HIWORD(wParam)});
    if (id == IDOK || id == IDCANCEL || id == 321)
        EndDialog(dialog, id);
    return TRUE;
}

void pump(HWND dialog) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsDialogMessageA(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int id_of_focus() {
    HWND focus = GetFocus();
    return focus ? GetDlgCtrlID(focus) : 0;
}

} // namespace dlgtest

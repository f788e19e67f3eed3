#include "tools/skingallery/gallery_scroll_anim.h"

#include "tools/skingallery/gallery_ids.h"

#include <cstdio>
#include <string>

namespace gallery {
namespace {

constexpr int kLines = 60;
constexpr int kTextRepeats = 6;

std::string text(HINSTANCE instance, int id) {
    char buffer[512] = {};
    LoadStringA(instance, static_cast<UINT>(id), buffer, sizeof buffer);
    return buffer;
}

void fill(HINSTANCE instance, HWND dialog) {
    const std::string format = text(instance, kScrollAnimLine);
    for (int i = 1; i <= kLines; ++i) {
        char line[64] = {};
        std::snprintf(line, sizeof line, format.c_str(), i);
        SendDlgItemMessageA(dialog, kScrollAnimList, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(line));
    }
    // Long lines, several times over: the text scrolls both ways.
    const std::string paragraph = text(instance, kScrollAnimText);
    std::string body;
    for (int i = 0; i < kTextRepeats; ++i)
        body += paragraph + "\r\n";
    SetDlgItemTextA(dialog, kScrollAnimEdit, body.c_str());
}

void play(HWND dialog) {
    SendDlgItemMessageA(dialog, kScrollAnimate, ACM_PLAY, static_cast<WPARAM>(-1),
                        MAKELPARAM(0, -1));
}

BOOL on_init(HWND dialog) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    fill(instance, dialog);
    SendDlgItemMessageA(dialog, kScrollAnimate, ACM_OPENA, reinterpret_cast<WPARAM>(instance),
                        reinterpret_cast<LPARAM>(MAKEINTRESOURCE(kScrollAnimClip)));
    play(dialog);
    return TRUE;
}

INT_PTR CALLBACK scroll_anim_proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        return on_init(dialog);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kScrollAnimPlay:
            play(dialog);
            return TRUE;
        case kScrollAnimStop:
            SendDlgItemMessageA(dialog, kScrollAnimate, ACM_STOP, 0, 0);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR RunScrollAnimWindow(HINSTANCE instance, HWND owner) {
    return DialogBoxParamA(instance, MAKEINTRESOURCE(kScrollAnimDialog), owner, scroll_anim_proc,
                           0);
}

} // namespace gallery

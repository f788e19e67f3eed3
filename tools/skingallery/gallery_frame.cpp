#include "tools/skingallery/gallery_frame.h"

#include "skin/core/glazework.h"
#include "skin/core/skin_manager.h"
#include "tools/skingallery/gallery_colour_items.h"
#include "tools/skingallery/gallery_dialog.h"
#include "tools/skingallery/gallery_frame_ids.h"
#include "tools/skingallery/gallery_pictures.h"

#include <cstdio>
#include <string>

namespace gallery {
namespace {

constexpr char kFrameClass[] = "SkinGalleryFrame";
// The skin's frame object for main windows.
constexpr char kMainFrameObject[] = "MainFrame";
constexpr int kWidth = 760;
constexpr int kHeight = 540;

struct FrameState {
    HINSTANCE instance = nullptr;
    HWND client = nullptr;
    HMENU menu = nullptr;
    int pictures = 0;
};

FrameState* StateOf(HWND frame) {
    return reinterpret_cast<FrameState*>(GetWindowLongPtrA(frame, GWLP_USERDATA));
}

std::string Text(HINSTANCE instance, int id) {
    char buffer[256] = {};
    LoadStringA(instance, static_cast<UINT>(id), buffer, sizeof buffer);
    return buffer;
}

HWND ActivePicture(const FrameState& state) {
    return reinterpret_cast<HWND>(SendMessageA(state.client, WM_MDIGETACTIVE, 0, 0));
}

void NewPicture(FrameState& state) {
    char title[128] = {};
    std::snprintf(title, sizeof title, Text(state.instance, kPictureTitleFormat).c_str(),
                  ++state.pictures);
    OpenPicture(state.client, title);
}

// A recent picture opens under its file name: the item's text less its "&1 " number.
void OpenRecent(FrameState& state, int command) {
    char text[128] = {};
    GetMenuStringA(state.menu, static_cast<UINT>(command), text, sizeof text, MF_BYCOMMAND);
    std::string name = text;
    if (const auto space = name.find(' '); space != std::string::npos)
        name.erase(0, space + 1);
    OpenPicture(state.client, name);
}

void Check(HMENU menu, int command, bool on) {
    CheckMenuItem(menu, static_cast<UINT>(command),
                  MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

// The check marks and the enabled commands as the pictures are now, in whichever menu opens.
void UpdateMenu(const FrameState& state, HMENU menu) {
    Check(menu, kShowGrid, Pictures().grid);
    Check(menu, kDarkBackground, Pictures().dark);
    HWND active = ActivePicture(state);
    for (int command = kColourFirst; command <= kColourLast; ++command)
        Check(menu, command, active && PictureColour(active) == ColourOfCommand(command));
    const UINT enabled = active ? MF_ENABLED : MF_GRAYED;
    for (int command : {kClosePicture, kCascade, kTile})
        EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | enabled);
}

bool OnCommand(HWND frame, FrameState& state, int command) {
    HWND active = ActivePicture(state);
    if (command >= kRecentFirst && command <= kRecentLast) {
        OpenRecent(state, command);
        return true;
    }
    if (IsColourCommand(command)) {
        if (active)
            SetPictureColour(active, ColourOfCommand(command));
        return true;
    }
    switch (command) {
    case kNewPicture:
        NewPicture(state);
        return true;
    case kControlsDialog:
        RunGallery(state.instance, frame);
        return true;
    case kExit:
        DestroyWindow(frame);
        return true;
    case kShowGrid:
        Pictures().grid = !Pictures().grid;
        RedrawPictures(state.client);
        return true;
    case kDarkBackground:
        Pictures().dark = !Pictures().dark;
        RedrawPictures(state.client);
        return true;
    case kCascade:
        SendMessageA(state.client, WM_MDICASCADE, 0, 0);
        return true;
    case kTile:
        SendMessageA(state.client, WM_MDITILE, MDITILE_VERTICAL, 0);
        return true;
    case kClosePicture:
        if (active)
            SendMessageA(state.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(active), 0);
        return true;
    case kAbout:
        MessageBoxA(frame, Text(state.instance, kAboutText).c_str(),
                    Text(state.instance, kFrameTitle).c_str(), MB_OK | MB_ICONINFORMATION);
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    FrameState* state = StateOf(hwnd);
    HWND client = state ? state->client : nullptr;
    switch (message) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        state = static_cast<FrameState*>(create->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        CLIENTCREATESTRUCT clientCreate{nullptr, static_cast<UINT>(kFirstPicture)};
        RECT area{};
        GetClientRect(hwnd, &area);
        state->client = CreateWindowExA(0, "MDIClient", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                        0, 0, area.right, area.bottom, hwnd,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMdiClient)),
                                        state->instance, &clientCreate);
        return state->client ? 0 : -1;
    }
    case WM_COMMAND:
        if (state && OnCommand(hwnd, *state, LOWORD(wParam)))
            return 0;
        break;
    case WM_INITMENUPOPUP:
        if (state)
            UpdateMenu(*state, reinterpret_cast<HMENU>(wParam));
        break;
    case WM_MEASUREITEM:
        if (MeasureColourItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_DRAWITEM:
        if (DrawColourItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete state;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    default:
        break;
    }
    return DefFrameProcA(hwnd, client, message, wParam, lParam);
}

bool RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kFrameClass, &existing))
        return true;
    WNDCLASSA frame{};
    frame.style = CS_DBLCLKS;
    frame.lpfnWndProc = &FrameProc;
    frame.hInstance = instance;
    frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_APPWORKSPACE + 1));
    frame.lpszClassName = kFrameClass;
    return RegisterClassA(&frame) != 0;
}

// Ctrl+N, the shortcut the File menu shows beside "New picture".
bool TranslateShortcut(HWND frame, const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != 'N' || !(GetKeyState(VK_CONTROL) & 0x8000) ||
        (GetKeyState(VK_MENU) & 0x8000))
        return false;
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(kNewPicture, 1), 0);
    return true;
}

} // namespace

HWND CreateGalleryFrame(HINSTANCE instance, int showCommand) {
    if (!RegisterFrameClass(instance) || !RegisterPictureClass(instance))
        return nullptr;
    // Skinned, the frame and its pictures (sizable tool windows) take the skin's main frame.
    if (SkinManager::Instance().GetSkin())
        GlazeworkSetWindowSkinName(kMainFrameObject);
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCE(kFrameMenu));
    if (!menu)
        return nullptr;
    MakeColourItemsOwnerDrawn(menu);
    Pictures() = PictureOptions{};
    auto* state = new FrameState{instance, nullptr, menu, 0};
    const std::string title = Text(instance, kFrameTitle);
    HWND frame = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_APPWINDOW, kFrameClass, title.c_str(),
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                 CW_USEDEFAULT, kWidth, kHeight, nullptr, menu, instance, state);
    if (!frame) {
        delete state;
        DestroyMenu(menu);
        return nullptr;
    }
    NewPicture(*state);
    NewPicture(*state);
    ShowWindow(frame, showCommand);
    UpdateWindow(frame);
    return frame;
}

HWND GalleryMdiClient(HWND frame) {
    const FrameState* state = StateOf(frame);
    return state ? state->client : nullptr;
}

HMENU GalleryFrameMenu(HWND frame) {
    const FrameState* state = StateOf(frame);
    return state ? state->menu : nullptr;
}

int RunGalleryFrame(HINSTANCE instance) {
    HWND frame = CreateGalleryFrame(instance, SW_SHOWNORMAL);
    if (!frame)
        return 1;
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        HWND client = IsWindow(frame) ? GalleryMdiClient(frame) : nullptr;
        if ((client && TranslateMDISysAccel(client, &msg)) ||
            (IsWindow(frame) && TranslateShortcut(frame, msg)))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace gallery
